// Small but complete file images of the three ship data files, built by hand
// from the stored layouts (not through the writers under test). Every filler
// and unnamed byte holds non-zero junk, so a reader or writer that drops or
// moves a byte shows up as a difference.
#pragma once

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "model/BinaryStream.h"

namespace kvtest {

// n bytes of a non-zero pattern that differs with the seed.
inline std::vector<uint8_t> Junk(size_t n, uint8_t seed) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = uint8_t(((i * 37 + seed * 11 + 5) % 251) + 1);
    return v;
}

// A short string of capacity cap: length byte, text, junk after the text.
inline std::vector<uint8_t> ShortBytes(const std::string& text, size_t cap, uint8_t seed) {
    std::vector<uint8_t> v = Junk(cap + 1, seed);
    v[0] = uint8_t(text.size());
    for (size_t i = 0; i < text.size(); ++i) v[1 + i] = uint8_t(text[i]);
    return v;
}

// Appends raw images and little-endian values.
class Image {
public:
    Image& bytes(const std::vector<uint8_t>& b) {
        data.insert(data.end(), b.begin(), b.end());
        return *this;
    }
    Image& i32(int32_t v) {
        kv::BinWriter w;
        w.Int32(v);
        return bytes(w.data());
    }
    Image& f32(float v) {
        kv::BinWriter w;
        w.Single(v);
        return bytes(w.data());
    }
    Image& f64(double v) {
        kv::BinWriter w;
        w.Double(v);
        return bytes(w.data());
    }
    Image& ext(kv::Extended v) {
        kv::BinWriter w;
        w.Ext(v);
        return bytes(w.data());
    }
    Image& shortStr(const std::string& text, size_t cap, uint8_t seed) { return bytes(ShortBytes(text, cap, seed)); }
    // A stored table: title, counts, headings, values (value = 100 * layer + 10 * col + row).
    Image& table(const std::string& title, const std::vector<std::string>& cols, int32_t rows,
                 const std::vector<std::string>& layers, int32_t spare = 0) {
        shortStr(title, 50, 1);
        i32(int32_t(cols.size())).i32(rows).i32(int32_t(layers.size())).i32(spare);
        for (const auto& c : cols) shortStr(c, 50, 2);
        for (const auto& l : layers) shortStr(l, 50, 3);
        for (size_t k = 1; k <= layers.size(); ++k)
            for (size_t j = 1; j <= cols.size(); ++j)
                for (int32_t i = 1; i <= rows; ++i) ext(kv::Extended(100 * k + 10 * j + size_t(i)) + 0.25L);
        return *this;
    }
    Image& emptyTable(const std::string& title = "") { return table(title, {}, 0, {}); }

    std::vector<uint8_t> data;
};

// Puts v at offset inside a raw block.
inline void PutI32(std::vector<uint8_t>& b, size_t off, int32_t v) { kv::PutInt32(b.data(), off, v); }
inline void PutE(std::vector<uint8_t>& b, size_t off, kv::Extended v) { kv::PutExt(b.data(), off, v); }
inline void PutD(std::vector<uint8_t>& b, size_t off, double v) { kv::PutDouble(b.data(), off, v); }
inline void PutS(std::vector<uint8_t>& b, size_t off, const std::string& text, size_t cap) {
    b[off] = uint8_t(text.size());
    for (size_t i = 0; i < text.size(); ++i) b[off + 1 + i] = uint8_t(text[i]);
    (void)cap;
}

// ---- R549.LSI ---------------------------------------------------------------

// Values the ship fixture carries (checked by the tests).
struct ShipFixtureValues {
    static constexpr kv::Extended LBP = 182.5L;
    static constexpr kv::Extended LOA = 195.125L;
    static constexpr kv::Extended LightWeight = 7321.75L;
    static constexpr kv::Extended LightLCG = 81.0625L;
    static constexpr kv::Extended PropDiameter = 6.1L;
    static constexpr kv::Extended MarkDraftOffset = -0.035L;
    static constexpr kv::Extended ForeEndX = 190.3L;
};

inline std::vector<uint8_t> ShipFixedImage() {
    std::vector<uint8_t> b = Junk(720, 7);
    for (int g = 0; g < 9; ++g) PutI32(b, 12 + 4 * size_t(g), g + 1);
    PutI32(b, 124, -1);  // TrimSign
    PutI32(b, 132, 1);   // HeelSign
    PutI32(b, 140, 1);   // LongRefMidship
    PutI32(b, 148, -1);  // LongSign
    PutI32(b, 156, -1);  // TransSign
    for (int i = 0; i < 9; ++i) PutD(b, 160 + 8 * size_t(i), 1.5 + i);  // draft marks
    PutI32(b, 232, 2);   // PropImmMethod
    PutE(b, 240, ShipFixtureValues::PropDiameter);
    PutE(b, 256, 3.2L);
    PutE(b, 272, 4.75L);
    PutD(b, 288, 150.0);  // visibility points
    PutD(b, 296, 30.5);
    PutD(b, 304, 160.0);
    PutD(b, 312, 31.5);
    PutE(b, 320, 24.0L);
    PutE(b, 336, 0.0L);
    PutE(b, 352, ShipFixtureValues::MarkDraftOffset);
    PutS(b, 368, "MV KORVANEL TEST", 50);
    PutS(b, 419, "S-1234", 50);
    PutS(b, 470, "PRELIMINARY", 25);
    const kv::Extended particulars[14] = {ShipFixtureValues::LOA, ShipFixtureValues::LBP, 32.2L, 16.8L,
                                          31000.5L, 23500.25L, 18000, 9000, ShipFixtureValues::LightWeight,
                                          ShipFixtureValues::LightLCG, 0.0125L, 11.375L, -5.5L,
                                          ShipFixtureValues::ForeEndX};
    for (size_t i = 0; i < 14; ++i) PutE(b, 496 + 16 * i, particulars[i]);
    return b;
}

// An object head of 160 bytes with name, group and the point count.
inline std::vector<uint8_t> ObjectHead(const std::string& name, int32_t group, int32_t points, uint8_t seed) {
    std::vector<uint8_t> h = Junk(160, seed);
    PutS(h, 0, name, 40);
    kv::PutSingle(h.data(), 84, 2.5f);
    PutI32(h, 92, group);
    PutI32(h, 96, 3);
    PutI32(h, 100, -1);
    h[104] = 1;
    PutI32(h, 108, 0x00FF8040);
    PutI32(h, 116, points);
    return h;
}

inline std::vector<uint8_t> AllowHead(int32_t sf, int32_t bm, int32_t tm, uint8_t seed) {
    std::vector<uint8_t> h = Junk(72, seed);
    PutE(h, 0, 1000 + seed);
    PutE(h, 16, 2000 + seed);
    PutE(h, 32, 3000 + seed);
    PutE(h, 48, 4000 + seed);
    PutI32(h, 60, sf);
    PutI32(h, 64, bm);
    PutI32(h, 68, tm);
    return h;
}

inline std::vector<uint8_t> AllowSeg(kv::Extended aft, kv::Extended fore, uint8_t seed) {
    std::vector<uint8_t> s = Junk(168, seed);
    PutE(s, 0, aft);
    PutE(s, 10, fore);
    PutE(s, 56, 500 + aft);
    PutE(s, 66, 500 + fore);
    PutE(s, 112, 900 + aft);
    PutE(s, 122, 900 + fore);
    return s;
}

inline std::vector<uint8_t> MassPoint(kv::Extended draft, kv::Extended mass, uint8_t seed) {
    std::vector<uint8_t> p = Junk(64, seed);
    PutE(p, 0, draft);
    PutE(p, 16, -1);
    PutE(p, 32, mass);
    PutE(p, 48, -2);
    return p;
}

// The whole ship data file; trailingJunk bytes follow the options.
inline std::vector<uint8_t> ShipFileImage(size_t trailingJunk = 0) {
    Image im;
    im.bytes(ShipFixedImage());
    // Frames: frame -5 at -3000 mm, 0 at 0, 10 at 7000 mm, 200 at 182500 mm.
    const double frames[4][2] = {{-5, -3000}, {0, 0}, {10, 7000}, {200, 182500}};
    im.i32(4);
    for (int i = 0; i < 4; ++i) {
        std::vector<uint8_t> f = Junk(48, uint8_t(20 + i));
        PutE(f, 0, frames[i][0]);
        PutE(f, 16, frames[i][1]);
        PutE(f, 32, 99);
        im.bytes(f);
    }
    // Profile: an object with 0 points, then one with 3 points.
    im.i32(2).bytes(ObjectHead("DECK", -1, 0, 30)).bytes(ObjectHead("HULL", -1, 3, 31));
    im.f64(0).f64(0).f64(100).f64(12.5).f64(190).f64(20);
    // Section: none.
    im.i32(0);
    // Plan: one object with one point.
    im.i32(1).bytes(ObjectHead("NO.1 WBT(P)", 2, 1, 32)).f64(-1.5).f64(2.25);
    // Read-out points.
    im.i32(2);
    for (int i = 0; i < 2; ++i) {
        std::vector<uint8_t> r = Junk(48, uint8_t(40 + i));
        PutE(r, 0, 10.5 * (i + 1));
        PutE(r, 16, 7350.0 * (i + 1));
        PutE(r, 32, 1);
        PutI32(r, 44, -i);
        im.bytes(r);
    }
    // Allowable sets in file order: intact SEA, flooded SEA, intact PORT, flooded PORT.
    im.bytes(AllowHead(2, 1, 0, 50)).bytes(AllowSeg(0, 50, 51)).bytes(AllowSeg(50, 100, 52)).bytes(AllowSeg(0, 100, 53));
    im.bytes(AllowHead(0, 0, 0, 54));
    im.bytes(AllowHead(0, 0, 1, 55)).bytes(AllowSeg(10, 20, 56));
    im.bytes(AllowHead(0, 1, 1, 57)).bytes(AllowSeg(30, 40, 58)).bytes(AllowSeg(40, 60, 59));
    // Eleven ship tables.
    im.table("CROSS CURVES", {"DISP", "10", "20"}, 2, {"0.0"}, 7);
    im.table("HYDROSTATICS", {"DISP", "DRAFT"}, 3, {"-1.0", "0.0"});
    for (int k = 2; k < 11; ++k) im.emptyTable(k == 5 ? "LOAD LINE" : "");
    // Hold mass curves: one hold, curve counts 1,0,2,0 (SEA) and 0,0,0,1 (PORT).
    im.i32(1);
    const int counts[8] = {1, 0, 2, 0, 0, 0, 0, 1};
    for (int c = 0; c < 8; ++c) {
        im.i32(counts[c]);
        for (int p = 0; p < counts[c]; ++p) im.bytes(MassPoint(8 + p, 1000 * (c + 1) + p, uint8_t(60 + c)));
    }
    // Options: 3 on with text "2", 10 on, 19 off with text "1"; the others off with junk text.
    for (int i = 0; i < 51; ++i) {
        uint8_t enabled = (i == 3 || i == 10) ? 1 : 0;
        std::string text = i == 3 ? "2" : i == 19 ? "1" : "";
        im.bytes({enabled}).shortStr(text, 50, uint8_t(70 + i));
    }
    im.bytes(Junk(trailingJunk, 99));
    return im.data;
}

// ---- R549.TGP ---------------------------------------------------------------

inline std::vector<uint8_t> TankFixed(const std::string& name, kv::Extended maxVolume, uint8_t seed) {
    std::vector<uint8_t> b = Junk(536, seed);
    PutS(b, 4, name, 50);
    const size_t exts[] = {56, 72, 136, 152, 168, 184, 216, 232, 248, 264, 280, 296, 312,
                           328, 344, 360, 376, 392, 408, 488, 504, 520};
    for (size_t i = 0; i < std::size(exts); ++i) PutE(b, exts[i], kv::Extended(i + 1) + 0.5L);
    PutE(b, 248, maxVolume);
    for (size_t i = 0; i < 3; ++i) PutE(b, 424 + 10 * i, kv::Extended(0.1L * (i + 1)));
    return b;
}

// Nine groups: group 1 ("CARGO HOLD") holds two tanks, group 2 one tank stored
// with the wrong group index 7, all other groups none.
inline std::vector<uint8_t> TankFileImage() {
    Image im;
    for (int g = 0; g < 9; ++g) {
        int32_t count = g == 1 ? 2 : g == 2 ? 1 : 0;
        im.i32(count).i32(g == 2 ? 7 : g).shortStr(g == 1 ? "CARGO HOLD" : g == 2 ? "BALLAST" : "", 50, uint8_t(g));
        for (int t = 0; t < count; ++t) {
            std::string name = g == 1 ? (t == 0 ? "NO.1 HOLD" : " NO.2 HOLD ") : "FPT";
            im.bytes(TankFixed(name, 1000 + 100 * t + g, uint8_t(10 * g + t)));
            // Twelve tables; slot k (1-based) is titled "T<k>"; slot 1 holds
            // the base table, slot 12 the grain table, slots 8-10 are empty.
            for (int k = 1; k <= 12; ++k) {
                std::string title = "T" + std::to_string(k);
                if (k == 1)
                    im.table(title, {"LEVEL", "VOLUME", "LCG", "TCG", "VCG", "FSM"}, 2, {"0"});
                else if (k == 12)
                    im.table(title, {"ULLAGE", "VOLUME", "VCG", "GSM"}, 1, {"0"});
                else if (k >= 8 && k <= 10)
                    im.emptyTable();
                else
                    im.table(title, {"SOUND", "0.0"}, 1, {"0"});
            }
        }
    }
    return im.data;
}

// ---- R549.CNT ---------------------------------------------------------------

// Geometry with 2 rows x 2 tiers on deck, 1 row x 3 tiers in hold, two bays,
// two ports and one IMDG entry. Slot states cycle 0, 1, 2.
inline std::vector<uint8_t> ContainerFileImage(int ports = 2) {
    Image im;
    const int32_t rows[2] = {2, 1}, tiers[2] = {2, 3};
    im.i32(2).i32(rows[0]).i32(rows[1]).i32(tiers[0]).i32(tiers[1]);
    im.i32(ports);
    for (int p = 0; p < ports; ++p)
        im.shortStr(p == 0 ? "KRPUS" : p == 1 ? "NLRTM" : "DEHAM", 5, uint8_t(p + 1))
            .shortStr(p == 0 ? "BUSAN" : p == 1 ? "ROTTERDAM" : "HAMBURG", 100, uint8_t(p + 5));
    im.i32(1);
    std::vector<uint8_t> dg = Junk(2832, 9);
    PutS(dg, 0, "1203", 10);
    im.bytes(dg);
    int state = 0;
    for (int b = 0; b < 2; ++b) {
        im.shortStr(b == 0 ? "01" : "03", 5, uint8_t(b + 20)).i32(b == 0 ? 1 : 3);
        for (int s = 0; s < 2; ++s) {
            for (int r = 0; r < rows[s]; ++r) im.shortStr(r == 0 ? "01" : "02", 5, 30);
            for (int t = 0; t < tiers[s]; ++t) im.shortStr(std::to_string(82 + 2 * t), 5, 31);
            for (int r = 0; r < rows[s]; ++r) im.f32(90.5f + float(r));
            for (int r = 0; r < rows[s]; ++r) im.i32(r + 7);
            for (int r = 0; r < rows[s]; ++r)
                for (int t = 0; t < tiers[s]; ++t) {
                    std::vector<uint8_t> c = Junk(48, uint8_t(40 + state));
                    PutI32(c, 0, state % 3);
                    PutD(c, 8, 10.0 * b + r);
                    PutD(c, 16, -1.25 * r);
                    PutD(c, 24, 20.0 + t);
                    c[32] = uint8_t(t == 0);
                    im.bytes(c);
                    ++state;
                }
        }
    }
    return im.data;
}

}  // namespace kvtest
