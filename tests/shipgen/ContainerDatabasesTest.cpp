#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <stdexcept>

#include "shipgen/DangerousGoods.h"
#include "shipgen/Ports.h"

using namespace kv;
using namespace kv::shipgen;
using nlohmann::json;

namespace {

json ReadShipFile(const char* name) {
    std::ifstream in(std::string(KORVANEL_SOURCE_DIR) + "/ships/R549/" + name);
    if (!in) throw std::runtime_error(std::string("cannot open ") + name);
    return json::parse(in);
}

}  // namespace

TEST(ContainerPorts, KeepListOrderAndRefuseBadCodes) {
    std::vector<port_rec> ports = BuildPortList(
        json::parse(R"({"ports": [{"code": "NLRTM", "name": "Rotterdam"}, {"code": "DEHAM", "name": "Hamburg"}]})"));
    ASSERT_EQ(ports.size(), 2u);
    EXPECT_EQ(ports[0].code.str(), "NLRTM");
    EXPECT_EQ(ports[1].name.str(), "Hamburg");
    // Stored form: code at 0 (length byte + 5), name at 6 (length byte + 100).
    EXPECT_EQ(ports[0].code.raw[0], 5);
    EXPECT_EQ(ports[0].name.raw[0], 9);

    const char* bad[] = {
        R"({"ports": [{"code": "DEHA", "name": "Hamburg"}]})",        // four characters
        R"({"ports": [{"code": "deham", "name": "Hamburg"}]})",       // lower case
        R"({"ports": [{"code": "DEH0M", "name": "Hamburg"}]})",       // digit 0 is not a LOCODE character
        R"({"ports": [{"code": "1EHAM", "name": "Hamburg"}]})",       // country must be letters
        R"({"ports": [{"code": "DEHAM", "name": ""}]})",              // no name
        R"({"ports": [{"code": "DEHAM", "name": "A"}, {"code": "DEHAM", "name": "B"}]})",  // twice
    };
    for (const char* b : bad) EXPECT_THROW(BuildPortList(json::parse(b)), std::runtime_error) << b;
    EXPECT_NO_THROW(BuildPortList(json::parse(R"({"ports": [{"code": "USNY2", "name": "x"}]})")));
}

TEST(ContainerDangerousGoods, EntryLayoutCarriesThePublicFacts) {
    std::vector<imdg_rec> list = BuildDangerousGoodsList(json::parse(R"({"entries": [
        {"un": "1017", "name": "CHLORINE", "class": "2.3", "subsidiary": ["5.1", "8"], "stowage": "On deck only."},
        {"un": "1263", "name": "PAINT", "class": "3", "packingGroup": "II"},
        {"un": "1263", "name": "PAINT", "class": "3", "packingGroup": "III"},
        {"un": "3082", "name": "ENVIRONMENTALLY HAZARDOUS SUBSTANCE, LIQUID, N.O.S.", "class": "9",
         "packingGroup": "III", "marinePollutant": "P"}]})"));
    ASSERT_EQ(list.size(), 4u);
    const imdg_rec& cl = list[0];
    EXPECT_EQ(cl.Key(), "UN1017");
    EXPECT_EQ(cl.Raw[0], 6);  // the key is the short string at offset 0
    EXPECT_EQ(ImdgText(cl, ImdgUnNumber), "1017");
    EXPECT_EQ(cl.Raw[11], 4);
    EXPECT_EQ(ImdgText(cl, ImdgShippingName), "CHLORINE");
    EXPECT_EQ(cl.Raw[19], 8);
    EXPECT_EQ(ImdgText(cl, ImdgPrimaryClass), "2.3");
    EXPECT_EQ(cl.Raw[275], 3);
    EXPECT_EQ(ImdgText(cl, ImdgSecondaryClass), "5.1");
    EXPECT_EQ(cl.Raw[283], 3);
    EXPECT_EQ(ImdgText(cl, ImdgTertiaryClass), "8");
    EXPECT_EQ(cl.Raw[290], 1);
    EXPECT_EQ(ImdgText(cl, ImdgPackingGroup), "");
    // Fixed-length texts are blank-filled.
    EXPECT_EQ(ImdgFixedText(cl, ImdgStowageOffset, ImdgStowageLength), "On deck only.");
    EXPECT_EQ(cl.Raw[532], 'O');
    EXPECT_EQ(cl.Raw[1231], ' ');
    EXPECT_EQ(cl.Raw[1232], ' ');
    EXPECT_EQ(cl.Raw[2831], ' ');
    // The same UN number twice: the packing group tells the keys apart.
    EXPECT_EQ(list[1].Key(), "UN1263/II");
    EXPECT_EQ(list[2].Key(), "UN1263/III");
    EXPECT_EQ(ImdgText(list[2], ImdgPackingGroup), "III");
    EXPECT_EQ(list[2].Raw[301], 3);
    EXPECT_EQ(ImdgText(list[3], ImdgMarinePollutant), "P");
    EXPECT_EQ(list[3].Raw[297], 1);
}

TEST(ContainerDangerousGoods, RefusesEntriesTheDatabaseCannotHold) {
    const char* bad[] = {
        R"({"entries": [{"un": "120", "name": "X", "class": "3"}]})",                 // not four digits
        R"({"entries": [{"un": "1203", "name": "X", "class": "3.0"}]})",              // no such class text
        R"({"entries": [{"un": "1203", "name": "X", "class": "3", "subsidiary": ["10"]}]})",
        R"({"entries": [{"un": "1203", "name": "X", "class": "3", "packingGroup": "IV"}]})",
        R"({"entries": [{"un": "1203", "name": "X", "class": "3"}, {"un": "1203", "name": "Y", "class": "3"}]})",
        R"({"entries": [{"un": "1203", "class": "3"}]})",                             // no name
    };
    for (const char* b : bad) EXPECT_THROW(BuildDangerousGoodsList(json::parse(b)), std::exception) << b;
    json tooLong = json::parse(R"({"entries": [{"un": "1203", "name": "", "class": "3"}]})");
    tooLong["entries"][0]["name"] = std::string(256, 'A');
    EXPECT_THROW(BuildDangerousGoodsList(tooLong), std::runtime_error);
    tooLong["entries"][0]["name"] = std::string(255, 'A');
    EXPECT_NO_THROW(BuildDangerousGoodsList(tooLong));
}

TEST(ContainerDangerousGoods, SampleDatabaseHasUniqueKeysAndKnownClasses) {
    std::vector<imdg_rec> list = BuildDangerousGoodsList(ReadShipFile("dangerous_goods.json"));
    EXPECT_GE(list.size(), 10u);
    EXPECT_LE(list.size(), 30u);
    std::set<std::string> keys;
    for (const auto& e : list) EXPECT_TRUE(keys.insert(e.Key()).second) << e.Key();
    std::vector<port_rec> ports = BuildPortList(ReadShipFile("ports.json"));
    EXPECT_GE(ports.size(), 20u);
    EXPECT_LE(ports.size(), 40u);
}
