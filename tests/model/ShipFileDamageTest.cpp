// Truncated and garbage ship data files: every reader must stop with IoError,
// never crash, hang or allocate what the file cannot hold.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "ShipFileFixtures.h"
#include "model/ContainerGeometryFile.h"
#include "model/ShipInfoFile.h"
#include "model/TankGroupFile.h"

using namespace kv;

namespace {

struct Reader {
    const char* name;
    std::function<std::vector<uint8_t>()> image;
    std::function<void(BinReader&)> decode;
};

std::vector<Reader> Readers() {
    return {
        {"LSI", [] { return kvtest::ShipFileImage(); },
         [](BinReader& r) {
             shipinfo_rec s;
             DecodeShipInfo(r, s);
         }},
        {"TGP", [] { return kvtest::TankFileImage(); },
         [](BinReader& r) {
             tankgroup_rec g;
             DecodeTankGroups(r, g);
         }},
        {"CNT", [] { return kvtest::ContainerFileImage(); },
         [](BinReader& r) {
             continfo_rec g;
             DecodeContainerGeometry(r, g);
         }},
    };
}

}  // namespace

// Every prefix of a valid file (shorter than the whole) is a short file.
TEST(ShipFileDamage, EveryPrefixOfAValidFileThrowsIoError) {
    for (const Reader& rd : Readers()) {
        const std::vector<uint8_t> full = rd.image();
        {
            BinReader whole(full, rd.name);
            ASSERT_NO_THROW(rd.decode(whole)) << rd.name;
        }
        for (size_t len = 0; len < full.size(); ++len) {
            BinReader r(std::vector<uint8_t>(full.begin(), full.begin() + long(len)), rd.name);
            EXPECT_THROW(rd.decode(r), IoError) << rd.name << " prefix " << len;
        }
    }
}

// Counts that promise more than the file holds are refused before anything
// is allocated.
TEST(ShipFileDamage, AbsurdCountsAreRefused) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        std::function<void(BinReader&)> decode;
    };
    auto lsi = [](BinReader& r) {
        shipinfo_rec s;
        DecodeShipInfo(r, s);
    };
    auto withFixed = [](std::function<void(kvtest::Image&)> rest) {
        kvtest::Image im;
        im.bytes(std::vector<uint8_t>(720, 0));
        rest(im);
        im.bytes(std::vector<uint8_t>(4096, 0));  // room that is still far too small
        return im.data;
    };
    std::vector<Case> cases = {
        {"frame count", withFixed([](kvtest::Image& im) { im.i32(0x7FFFFFFF); }), lsi},
        {"object count", withFixed([](kvtest::Image& im) { im.i32(0).i32(100000); }), lsi},
        {"point count",
         withFixed([](kvtest::Image& im) { im.i32(0).i32(1).bytes(kvtest::ObjectHead("X", 0, 0x40000000, 1)); }), lsi},
        {"segment count",
         withFixed([](kvtest::Image& im) { im.i32(0).i32(0).i32(0).i32(0).i32(0).bytes(kvtest::AllowHead(0, 0x7FFFFFF0, 0, 1)); }),
         lsi},
        {"table rows without columns",
         withFixed([](kvtest::Image& im) {
             im.i32(0).i32(0).i32(0).i32(0).i32(0);
             for (int i = 0; i < 4; ++i) im.bytes(kvtest::AllowHead(0, 0, 0, 1));
             im.shortStr("", 50, 0).i32(0).i32(0x7FFFFFFF).i32(0).i32(0);
         }),
         lsi},
        {"table rows with columns, no layers",
         withFixed([](kvtest::Image& im) {
             im.i32(0).i32(0).i32(0).i32(0).i32(0);
             for (int i = 0; i < 4; ++i) im.bytes(kvtest::AllowHead(0, 0, 0, 1));
             im.shortStr("", 50, 0).i32(20).i32(0x7FFFFFFF).i32(0).i32(0);
         }),
         lsi},
        {"tank count",
         [] {
             kvtest::Image im;
             im.i32(1000000).i32(0).shortStr("", 50, 0).bytes(std::vector<uint8_t>(100000, 0));
             return im.data;
         }(),
         [](BinReader& r) {
             tankgroup_rec g;
             DecodeTankGroups(r, g);
         }},
        {"bay count",
         [] {
             kvtest::Image im;
             im.i32(0x7FFFFFFF).i32(1).i32(1).i32(1).i32(1).i32(0).i32(0).bytes(std::vector<uint8_t>(1000, 0));
             return im.data;
         }(),
         [](BinReader& r) {
             continfo_rec g;
             DecodeContainerGeometry(r, g);
         }},
        {"rows x tiers overflow",
         [] {
             kvtest::Image im;
             im.i32(1).i32(0x7FFFFFFF).i32(0).i32(0x7FFFFFFF).i32(0).i32(0).i32(0).bytes(std::vector<uint8_t>(1000, 0));
             return im.data;
         }(),
         [](BinReader& r) {
             continfo_rec g;
             DecodeContainerGeometry(r, g);
         }},
        {"port count",
         [] {
             kvtest::Image im;
             im.i32(0).i32(0).i32(0).i32(0).i32(0).i32(0x7FFFFFFF).bytes(std::vector<uint8_t>(1000, 0));
             return im.data;
         }(),
         [](BinReader& r) {
             continfo_rec g;
             DecodeContainerGeometry(r, g);
         }},
    };
    for (const Case& c : cases) {
        BinReader r(c.bytes, "x");
        EXPECT_THROW(c.decode(r), IoError) << c.what;
    }
}

// Random damage to valid files: each reader either reads the file or throws
// IoError. (A crash, a hang or another exception fails the test.)
TEST(ShipFileDamage, GarbageGivesIoErrorOrAResultNeverACrash) {
    std::mt19937 rng(12345);
    for (const Reader& rd : Readers()) {
        const std::vector<uint8_t> full = rd.image();
        int thrown = 0;
        for (int trial = 0; trial < 300; ++trial) {
            std::vector<uint8_t> bytes = full;
            int flips = 1 + int(rng() % 8);
            for (int f = 0; f < flips; ++f) {
                size_t at = rng() % bytes.size();
                // Mostly damage to count-sized words: put a random Int32 there.
                if (at + 4 <= bytes.size() && rng() % 2) PutInt32(bytes.data(), at, int32_t(rng()));
                else bytes[at] = uint8_t(rng());
            }
            BinReader r(bytes, rd.name);
            try {
                rd.decode(r);
            } catch (const IoError&) {
                ++thrown;
            }
        }
        EXPECT_GT(thrown, 0) << rd.name;  // the damage did reach the counts
    }
    // Pure noise of a few sizes.
    for (size_t n : {size_t(3), size_t(700), size_t(5000), size_t(70000)}) {
        for (const Reader& rd : Readers()) {
            std::vector<uint8_t> bytes(n);
            for (uint8_t& b : bytes) b = uint8_t(rng());
            BinReader r(bytes, rd.name);
            try {
                rd.decode(r);
            } catch (const IoError&) {
            }
        }
    }
}
