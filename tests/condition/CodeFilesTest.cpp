#include <gtest/gtest.h>

#include <random>

#include "ConditionFixture.h"
#include "TestSupport.h"
#include "model/CodeFiles.h"
#include "model/ConfigFile.h"

using namespace kv;

TEST(CargoCodeFile, MissingFileGivesTheBuiltInBoxAndWritesOneRecord) {
    kvtest::TempDir dir;
    std::vector<cargocode_rec> list;
    ReadCargoCodeFile(list, dir.file("Cargo.code"));
    ASSERT_EQ(list.size(), 1u);
    const cargocode_rec& box = list[0];
    EXPECT_EQ(box.Code.str(), "BOX");
    EXPECT_EQ(box.CodeName.str(), "BOX");
    EXPECT_EQ(box.CodeRemark.str(), "BOX TYPE CARGO");
    EXPECT_EQ(box.Length, 10);
    EXPECT_EQ(box.Width, 5);
    EXPECT_EQ(box.Height, 4);
    EXPECT_EQ(box.CodeTCG, 2.5L);
    EXPECT_EQ(box.Color, 0x808080);
    EXPECT_EQ(box.TextColor, 0);
    WriteCargoCodeFile(list, dir.file("Cargo.code"));
    auto bytes = kvtest::ReadBytes(dir.file("Cargo.code"));
    ASSERT_EQ(bytes.size(), 4u + 408u);
    EXPECT_EQ(GetInt32(bytes.data(), 0), 1);
    EXPECT_EQ(GetInt32(bytes.data(), 4 + 144), 0x808080);
}

TEST(CargoCodeFile, RoundTripKeepsFillersAndZeroesTheReference) {
    kvtest::TempDir dir;
    std::vector<uint8_t> image(4 + 2 * 408);
    std::mt19937 rng(7);
    for (auto& b : image) b = uint8_t(rng());
    PutInt32(image.data(), 0, 2);
    for (size_t r = 0; r < 2; ++r) {
        uint8_t* p = image.data() + 4 + 408 * r;
        p[0] = 3;  // short string lengths within capacity
        p[11] = 5;
        p[148] = 7;
        PutInt32(p, 404, 0);
    }
    kvtest::WriteBytes(dir.file("Cargo.code"), image);
    std::vector<cargocode_rec> list;
    ReadCargoCodeFile(list, dir.file("Cargo.code"));
    ASSERT_EQ(list.size(), 2u);
    WriteCargoCodeFile(list, dir.file("out.code"));
    EXPECT_EQ(kvtest::ReadBytes(dir.file("out.code")), image);
}

TEST(CargoCodeFile, DamagedFileGivesAnEmptyList) {
    kvtest::TempDir dir;
    std::vector<cargocode_rec> two = {DefaultCargoCode(), DefaultCargoCode()};
    WriteCargoCodeFile(two, dir.file("good.code"));
    auto good = kvtest::ReadBytes(dir.file("good.code"));
    std::vector<std::vector<uint8_t>> damaged = {
        {1, 2},
        std::vector<uint8_t>(good.begin(), good.end() - 1),
        [&] { auto b = good; PutInt32(b.data(), 0, 3); return b; }(),
        [&] { auto b = good; PutInt32(b.data(), 0, 0x7FFFFFFF); return b; }(),
    };
    for (size_t i = 0; i < damaged.size(); ++i) {
        kvtest::WriteBytes(dir.file("Cargo.code"), damaged[i]);
        std::vector<cargocode_rec> list = {DefaultCargoCode()};
        ReadCargoCodeFile(list, dir.file("Cargo.code"));
        EXPECT_TRUE(list.empty()) << i;
    }
}

TEST(DwcFile, LayoutSkipsUserInputAndRoundTrips) {
    kvtest::TempDir dir;
    KvState s = kvtest::MakeShipState();  // 3 constant items
    ASSERT_EQ(s.DwcList.size(), 1u);
    std::string file = dir.file("dwc.code");
    dwcinfo_rec set;
    set.DwcName.set("DEPARTURE");
    set.DwcRemark.set("stores and crew");
    set.DwcLoads.resize(3);
    set.DwcLoads[2].Weight = 12.5L;
    set.DwcLoads[2].Spare24 = 0.3L;
    s.DwcList.push_back(set);
    set.DwcName.set("ARRIVAL");
    s.DwcList.push_back(set);
    WriteDWCFile(s.DwcList, 3, file);
    auto bytes = kvtest::ReadBytes(file);
    EXPECT_EQ(bytes.size(), 4u + 2u * (267u + 136u * 3u));
    EXPECT_EQ(GetInt32(bytes.data(), 0), 2);

    s.LoadData.Loads[8].Items[0].Weight = 7;
    std::vector<dwcinfo_rec> read;
    ReadDWCFile(read, s.LoadData.Loads[8].Items, 3, file);
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[0].DwcName.str(), "USER INPUT");
    EXPECT_EQ(read[0].DwcLoads[0].Weight, 7);
    EXPECT_EQ(read[1].DwcName.str(), "DEPARTURE");
    EXPECT_EQ(read[2].DwcRemark.str(), "stores and crew");
    EXPECT_EQ(read[2].DwcLoads[2].Weight, 12.5L);
    WriteDWCFile(read, 3, dir.file("again.code"));
    EXPECT_EQ(kvtest::ReadBytes(dir.file("again.code")), bytes);
}

TEST(DwcFile, LoadingASetReplacesTheConstantItems) {
    KvState s = kvtest::MakeShipState();
    dwcinfo_rec set;
    set.DwcName.set("DEP");
    set.DwcLoads.resize(3);
    set.DwcLoads[0].Weight = 5;
    set.DwcLoads[2].LCG = 70;
    s.DwcList.push_back(set);
    s.LoadData.Loads[8].Items[1].Weight = 9;
    EXPECT_FALSE(LoadConstantSet(s.DwcList, 2, s.LoadData.Loads[8].Items, s.ConditionModified));
    EXPECT_FALSE(s.ConditionModified);
    EXPECT_TRUE(LoadConstantSet(s.DwcList, 1, s.LoadData.Loads[8].Items, s.ConditionModified));
    EXPECT_TRUE(s.ConditionModified);
    EXPECT_EQ(s.LoadData.Loads[8].Items[0].Weight, 5);
    EXPECT_EQ(s.LoadData.Loads[8].Items[1].Weight, 0);
    EXPECT_EQ(s.LoadData.Loads[8].Items[2].LCG, 70);
}

TEST(DwcFile, MissingFileGivesOnlyUserInputAndNoFileIsCreated) {
    kvtest::TempDir dir;
    KvState s = kvtest::MakeShipState();
    std::vector<dwcinfo_rec> list;
    ReadDWCFile(list, s.LoadData.Loads[8].Items, 3, dir.file("dwc.code"));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].DwcLoads.size(), 3u);
    WriteDWCFile(list, 3, dir.file("dwc.code"));
    EXPECT_FALSE(FileExists(dir.file("dwc.code")));
}

TEST(DwcFile, DeletingEverySetEmptiesAnExistingFile) {
    kvtest::TempDir dir;
    KvState s = kvtest::MakeShipState();
    dwcinfo_rec set;
    set.DwcName.set("A");
    set.DwcLoads.resize(3);
    s.DwcList.push_back(set);
    WriteDWCFile(s.DwcList, 3, dir.file("dwc.code"));
    s.DwcList.resize(1);
    WriteDWCFile(s.DwcList, 3, dir.file("dwc.code"));
    std::vector<dwcinfo_rec> read;
    ReadDWCFile(read, s.LoadData.Loads[8].Items, 3, dir.file("dwc.code"));
    EXPECT_EQ(read.size(), 1u);
}

TEST(DwcFile, DamagedOrForeignFileThrowsNamingTheFile) {
    kvtest::TempDir dir;
    KvState s = kvtest::MakeShipState();
    dwcinfo_rec set;
    set.DwcName.set("A");
    set.DwcLoads.resize(3);
    s.DwcList.push_back(set);
    std::string file = dir.file("dwc.code");
    WriteDWCFile(s.DwcList, 3, file);
    auto good = kvtest::ReadBytes(file);
    struct Case {
        const char* name;
        std::vector<uint8_t> data;
        int items;
    };
    const Case cases[] = {
        {"short", std::vector<uint8_t>(good.begin(), good.end() - 1), 3},
        {"count beyond the file", [&] { auto b = good; PutInt32(b.data(), 0, 1000000); return b; }(), 3},
        {"written for 2 items", good, 2},
        {"written for 4 items", good, 4},
    };
    for (const Case& c : cases) {
        kvtest::WriteBytes(file, c.data);
        std::vector<dwcinfo_rec> list;
        try {
            ReadDWCFile(list, s.LoadData.Loads[8].Items, c.items, file);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const IoError& e) {
            EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << c.name;
        }
    }
}

TEST(ContainerCodeFile, RoundTripAndDamage) {
    kvtest::TempDir dir;
    std::vector<portcode_rec> list;
    ReadContainerCodeFile(list, dir.file("Container.code"));
    EXPECT_TRUE(list.empty());
    portcode_rec p;
    p.code.set("DEHAM");
    p.abbreviation.set("HAM");
    p.name.set("Hamburg");
    p.remark.set("first port");
    p.font_colour = 0xFFFFFF;
    p.back_colour = 0x0000FF;
    list = {p, p};
    list[1].code.set("NLRTM");
    list[1].abbreviation.set("RTM");
    WriteContainerCodeFile(list, dir.file("Container.code"));
    auto bytes = kvtest::ReadBytes(dir.file("Container.code"));
    ASSERT_EQ(bytes.size(), 4u + 2u * 328u);
    std::vector<portcode_rec> read;
    ReadContainerCodeFile(read, dir.file("Container.code"));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(PortByAbbreviation(read, "RTM", PortColumn::Code), "NLRTM");
    EXPECT_EQ(PortByCode(read, "DEHAM", PortColumn::Name), "Hamburg");
    EXPECT_EQ(PortByCode(read, "XXXXX", PortColumn::BackColour), std::to_string(0xFFFFFF));
    EXPECT_EQ(PortByCode(read, "XXXXX", PortColumn::Name), "");

    bytes.resize(bytes.size() - 10);
    kvtest::WriteBytes(dir.file("Container.code"), bytes);
    ReadContainerCodeFile(read, dir.file("Container.code"));
    EXPECT_TRUE(read.empty());
}

TEST(ConfigFile, MissingFileGivesDefaults) {
    kvtest::TempDir dir;
    config_rec c;
    c.LengthUnit = 1;
    c.ContVCGPercent = 3;
    ReadConfigFile(c, dir.file("config.cfg"));
    EXPECT_EQ(c.SeaDensity, 1.025L);
    EXPECT_EQ(c.LengthUnit, 0);
    EXPECT_EQ(c.VolumeUnit, 0);
    EXPECT_EQ(c.WeightUnit, 0);
    EXPECT_EQ(c.DensityUnit, 0);
    EXPECT_EQ(c.ContVCGPercent, 45.0f);
    EXPECT_EQ(c.MinDraftFwd(), 0);
}

TEST(ConfigFile, EveryByteRoundTripsAndNamedFieldsSitAtTheirOffsets) {
    kvtest::TempDir dir;
    std::vector<uint8_t> image(ConfigFileSize);
    std::mt19937 rng(11);
    for (auto& b : image) b = uint8_t(rng());
    // Short strings with lengths inside their capacity; a non-zero VCG percent.
    for (size_t at : {0u, 101u, 202u, 303u}) image[at] = 100;
    image[406] = 20;
    for (size_t font = 0; font < 3; ++font) image[438 + 64 * font] = 50;
    image[666] = 50;
    image[717] = 50;
    PutSingle(image.data(), 1238, 47.5f);
    PutExt(image.data(), 427, 1.0251L);
    PutInt32(image.data(), 642, 3);
    PutDouble(image.data(), 822 + 8 * 3, -2.5);
    PutInt32(image.data(), 1260, 768);
    kvtest::WriteBytes(dir.file("config.cfg"), image);

    config_rec c;
    ReadConfigFile(c, dir.file("config.cfg"));
    EXPECT_EQ(c.SeaDensity, 1.0251L);
    EXPECT_EQ(c.DensityUnit, 3);
    EXPECT_EQ(c.TrimLimitStern(), -2.5);
    EXPECT_EQ(c.ContVCGPercent, 47.5f);
    EXPECT_EQ(c.ContViewHeight, 768);
    WriteConfigFile(c, dir.file("out.cfg"));
    EXPECT_EQ(kvtest::ReadBytes(dir.file("out.cfg")), image);

    // A field changed in memory lands at its offset and nowhere else.
    c.Fonts[FontStrength].Size = 9;
    c.BayViewPos[1] = -4;
    WriteConfigFile(c, dir.file("out.cfg"));
    auto changed = kvtest::ReadBytes(dir.file("out.cfg"));
    auto expected = image;
    PutInt32(expected.data(), 438 + 128 + 52, 9);
    PutInt32(expected.data(), 1234, -4);
    EXPECT_EQ(changed, expected);
}

TEST(ConfigFile, ZeroVcgPercentReadsAs45AndShortFileThrows) {
    kvtest::TempDir dir;
    config_rec c;
    c.ContVCGPercent = 0;
    WriteConfigFile(c, dir.file("config.cfg"));
    EXPECT_EQ(kvtest::ReadBytes(dir.file("config.cfg")).size(), 1264u);
    config_rec r;
    ReadConfigFile(r, dir.file("config.cfg"));
    EXPECT_EQ(r.ContVCGPercent, 45.0f);

    kvtest::WriteBytes(dir.file("config.cfg"), std::vector<uint8_t>(1263));
    EXPECT_THROW(ReadConfigFile(r, dir.file("config.cfg")), IoError);
}
