#include "containers/IsoCodes.h"

#include <array>
#include <cstring>
#include <vector>

#include "model/CodeFiles.h"

namespace kv {

const char* const DefaultHeightLabel = "8'6\"";
const char* const DefaultTypeGroup = "DC";

namespace {

struct LengthRow {
    const char* Code;
    const char* Feet;
    int MM;
    const char* Label;
};

const LengthRow Length1995[] = {
    {"1", "10", 2991, "10FT"},   {"2", "20", 6068, "20FT"},    {"3", "30", 9125, "30FT"},
    {"4", "40", 12192, "40FT"},  {"5", "unassigned", 0, "----"}, {"6", "unassigned", 0, "----"},
    {"7", "unassigned", 0, "----"}, {"8", "unassigned", 0, "----"}, {"9", "unassigned", 0, "----"},
    {"A", "-", 7150, "----"},    {"B", "24", 7315, "24FT"},    {"C", "24'6", 7430, "24FT6"},
    {"D", "-", 7450, "----"},    {"E", "-", 7820, "----"},     {"F", "-", 8100, "----"},
    {"G", "41", 12500, "41FT"},  {"H", "43", 13106, "43FT"},   {"K", "-", 13600, "----"},
    {"L", "45", 13716, "45FT"},  {"M", "48", 14630, "48FT"},   {"N", "49", 14935, "49FT"},
    {"P", "-", 16154, "----"},   {"R", "unassigned", 0, "----"},
};

const LengthRow Length1984[] = {
    {"1", "10", 2991, "10FT"},  {"2", "20", 6068, "20FT"}, {"3", "30", 9125, "30FT"},
    {"4", "40", 12192, "40FT"}, {"5", "unassigned", 6068, "----"}, {"6", "unassigned", 6068, "----"},
    {"7", "unassigned", 6068, "----"}, {"8", "35", 10668, "35FT"}, {"9", "45", 13716, "45FT"},
};

struct HeightRow {
    const char* Code;
    const char* Short;
    int MM;
    int SecondMM;  // 0: open upwards ("above")
    const char* Label;
    bool Tunnel;
};

const HeightRow Height1995[] = {
    {"0", "8'", 2438, 2438, "8'", false},       {"2", "8'6", 2591, 2591, "8'6\"", false},
    {"4", "9'", 2743, 2743, "9'", false},       {"5", "9'6", 2895, 2895, "9'6\"", false},
    {"6", "9'6", 2895, 0, "9'6\"", false},      {"8", "4'3", 1295, 1295, "4'3\"", false},
    {"9", "4'", 1219, 1219, "4'", false},       {"C", "8'6", 2591, 2591, "8'6\"", false},
    {"D", "9'", 2743, 2743, "9'", false},       {"E", "9'6", 2895, 2895, "9'6\"", false},
    {"F", "9'6", 2895, 0, "9'6\"", false},      {"L", "8'6", 2591, 2591, "8'6\"", false},
    {"M", "9'", 2743, 2743, "9'", false},       {"N", "9'6", 2895, 2895, "9'6\"", false},
    {"P", "9'6", 2895, 0, "9'6\"", false},
};

const HeightRow Height1984[] = {
    {"0", "8'", 2438, 2438, "8'", false},          {"1", "8'", 2438, 2438, "8'", true},
    {"2", "8'6", 2591, 2591, "8'6\"", false},      {"3", "8'6", 2591, 2591, "8'6\"", true},
    {"4", ">8'6", 2591, 0, ">8'6\"", false},       {"5", ">8'6", 2591, 0, ">8'6\"", true},
    {"6", "4'-4'3", 1219, 1295, "4'-4'3\"", false}, {"7", "4'-4'3", 1219, 1295, "4'-4'3\"", true},
    {"8", "4'3-8'", 1295, 2438, "4'3\"-8'", false},
};

struct TypeRow {
    std::string Code;
    std::string Group;     // the program's type group
    std::string IsoGroup;  // ISO group code (1995 only)
    std::string Description;
};

const std::vector<TypeRow>& Types1995() {
    static const std::vector<TypeRow> rows = [] {
        std::vector<TypeRow> v;
        auto add = [&](const char* code, const char* group, const char* iso, const char* desc) {
            v.push_back({code, group, iso, desc});
        };
        const char* spare = "Spare";
        add("G0", "DC", "GP", "Opening(s) at one or both ends");
        add("G1", "DC", "GP", "Passive vents at upper part of cargo space");
        add("G2", "DC", "GP", "Opening(s) at one or both ends plus full opening(s) on one or both sides");
        add("G3", "DC", "GP", "Opening(s) at one or both ends plus partial opening(s) on one or both sides");
        for (const char* c : {"G4", "G5", "G6", "G7", "G8", "G9"}) add(c, "DC", "GP", spare);
        add("V0", "VT", "VH", "Non-mechanical ventilation system, vents at lower and upper parts of cargo space");
        add("V1", "VT", "VH", spare);
        add("V2", "VT", "VH", "Mechanical ventilation system located internally");
        add("V3", "VT", "VH", spare);
        add("V4", "VT", "VH", "Mechanical ventilation system located externally");
        for (const char* c : {"V5", "V6", "V7", "V8", "V9"}) add(c, "VT", "VH", spare);
        add("B0", "DB", "BU", "Closed");
        add("B1", "DB", "BU", "Airtight");
        add("B2", "DB", "BU", spare);
        add("B3", "DB", "BK", "Horizontal discharge, test pressure 150 kPa");
        add("B4", "DB", "BK", "Horizontal discharge, test pressure 265 kPa");
        add("B5", "DB", "BK", "Tipping discharge, test pressure 150 kPa");
        add("B6", "DB", "BK", "Tipping discharge, test pressure 265 kPa");
        for (const char* c : {"B7", "B8", "B9"}) add(c, "DB", "BK", spare);
        add("S0", "NC", "SN", "Livestock carrier");
        add("S1", "NC", "SN", "Automobile carrier");
        add("S2", "NC", "SN", "Live fish carrier");
        for (const char* c : {"S3", "S4", "S5", "S6", "S7", "S8", "S9"}) add(c, "NC", "SN", spare);
        add("R0", "RF", "RE", "Mechanically refrigerated");
        add("R1", "RF", "RT", "Mechanically refrigerated and heated");
        add("R2", "RF", "RS", "Self-powered mechanically refrigerated");
        add("R3", "RF", "RS", "Self-powered mechanically refrigerated and heated");
        for (const char* c : {"R4", "R5", "R6", "R7", "R8", "R9"}) add(c, "RF", "RS", spare);
        add("H0", "TC", "HR", "Refrigerated and/or heated with removable equipment located externally");
        add("H1", "TC", "HR", "Refrigerated and/or heated with removable equipment located internally");
        add("H2", "TC", "HR", "Refrigerated and/or heated with removable equipment located externally; K = 0.4 W/(m2.K)");
        add("H3", "TC", "HR", "Refrigerated and/or heated with removable equipment located externally; K = 0.7 W/(m2.K)");
        add("H4", "TC", "HR", spare);
        add("H5", "TC", "HI", "Insulated; K = 0.4 W/(m2.K)");
        add("H6", "TC", "HI", "Insulated; K = 0.7 W/(m2.K)");
        for (const char* c : {"H7", "H8", "H9"}) add(c, "TC", "HI", spare);
        add("U0", "OT", "UT", "Opening(s) at one or both ends");
        add("U1", "OT", "UT", "Opening(s) at one or both ends plus removable top member(s) in end frame(s)");
        add("U2", "OS", "UT", "Opening(s) at one or both ends plus opening(s) at one or both sides");
        add("U3", "OS", "UT", "Opening(s) at one or both ends plus opening(s) at one or both sides plus removable top member(s) in end frame(s)");
        add("U4", "OT", "UT", "Opening(s) at one or both ends plus partial opening on one side and full opening on the other side");
        add("U5", "OT", "UT", "Complete, fixed side and end walls (no doors)");
        for (const char* c : {"U6", "U7", "U8", "U9"}) add(c, "OT", "UT", spare);
        add("P0", "PF", "PL", "Plain platform");
        add("P1", "FR", "PF", "Two complete and fixed ends");
        add("P2", "FR", "PF", "Fixed posts, either free-standing or with removable top member");
        add("P3", "FR", "PC", "Folding complete end structure");
        add("P4", "FR", "PC", "Folding posts, either free-standing or with removable top member");
        add("P5", "PF", "PS", "Open top, open ends (skeletal)");
        for (const char* c : {"P6", "P7", "P8", "P9"}) add(c, "PF", "PS", spare);
        add("T0", "TC", "TN", "Non-dangerous liquids, minimum pressure 45 kPa");
        add("T1", "TC", "TN", "Non-dangerous liquids, minimum pressure 150 kPa");
        add("T2", "TC", "TN", "Non-dangerous liquids, minimum pressure 265 kPa");
        add("T3", "TC", "TD", "Dangerous liquids, minimum pressure 150 kPa");
        add("T4", "TC", "TD", "Dangerous liquids, minimum pressure 265 kPa");
        add("T5", "TC", "TD", "Dangerous liquids, minimum pressure 400 kPa");
        add("T6", "TC", "TD", "Dangerous liquids, minimum pressure 600 kPa");
        add("T7", "TC", "TG", "Gases, minimum pressure 910 kPa");
        add("T8", "TC", "TG", "Gases, minimum pressure 2200 kPa");
        add("T9", "TC", "TG", "Gases, minimum pressure to be decided");
        add("A0", "AS", "AS", "Air/surface container");
        return v;
    }();
    return rows;
}

const std::vector<TypeRow>& Types1984() {
    static const std::vector<TypeRow> rows = [] {
        std::vector<TypeRow> v;
        for (int n = 0; n <= 99; ++n) {
            const char* group;
            const char* desc;
            if (n <= 12) group = "DC", desc = "General purpose container";
            else if (n <= 19) group = "VT", desc = "General purpose container with ventilation";
            else if (n <= 24) group = "DB", desc = "Dry bulk container";
            else if (n <= 29) group = "NC", desc = "Named cargo container";
            else if (n <= 49) group = "RF", desc = "Thermal container";
            else if (n == 52 || n == 53) group = "OS", desc = "Open side container";
            else if (n <= 59) group = "OT", desc = "Open top container";
            else if (n == 60) group = "PF", desc = "Platform container";
            else if (n <= 69) group = "FR", desc = "Platform based container with superstructure";
            else if (n <= 79) group = "TC", desc = "Tank container";
            else if (n <= 89) group = "DB", desc = "Dry bulk container, pressurized";
            else group = "AS", desc = "Air/surface container";
            char code[3] = {char('0' + n / 10), char('0' + n % 10), 0};
            v.push_back({code, group, "", desc});
        }
        return v;
    }();
    return rows;
}

std::string Trimmed(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && (unsigned char)s[b] <= ' ') ++b;
    while (e > b && (unsigned char)s[e - 1] <= ' ') --e;
    return s.substr(b, e - b);
}

bool IsNumericCode(const std::string& code) {
    if (code.empty()) return false;
    for (char c : code)
        if (c < '0' || c > '9') return false;
    return true;
}

template <typename Row, size_t N>
const Row* FindByCode(const Row (&rows)[N], char c) {
    for (const Row& r : rows)
        if (r.Code[0] == c && r.Code[1] == 0) return &r;
    return nullptr;
}

const LengthRow* LengthOf(const std::string& raw) {
    std::string code = Trimmed(raw);
    if (code.empty()) return nullptr;
    return IsNumericCode(code) ? FindByCode(Length1984, code[0]) : FindByCode(Length1995, code[0]);
}

const HeightRow* HeightOf(const std::string& raw) {
    std::string code = Trimmed(raw);
    if (code.size() < 2) return nullptr;
    return IsNumericCode(code) ? FindByCode(Height1984, code[1]) : FindByCode(Height1995, code[1]);
}

const TypeRow* TypeOf(const std::string& raw) {
    std::string code = Trimmed(raw);
    if (code.size() < 4) return nullptr;
    std::string part = code.substr(2, 2);
    const auto& rows = IsNumericCode(code) ? Types1984() : Types1995();
    for (const TypeRow& r : rows)
        if (r.Code == part) return &r;
    if (!IsNumericCode(code))
        for (const TypeRow& r : rows)
            if (r.IsoGroup == part) return &r;
    return nullptr;
}

const TypeGroupInfo Groups[TypeGroupCount] = {
    {"DC", "DRY", "Dry cargo containers", 0x808080},
    {"VT", "VENT", "Closed containers with vent", 0x00FFFF},
    {"DB", "BULK", "Dry bulk containers", 0x808000},
    {"NC", "NAME", "Named cargo containers", 0x008000},
    {"RF", "REEF", "Thermal containers", 0xFFFF00},
    {"OT", "OPEN", "Open top containers", 0xFF00FF},
    {"OS", "OPEN", "Open side containers", 0x00FF00},
    {"PF", "OOG", "Flatform based container", 0x0000FF},
    {"FR", "FLAT", "Flat rack containers", 0xFF0000},
    {"TC", "TANK", "Tank containers", 0x000080},
    {"AS", "AIR", "Air/surface containers", 0xF0CAA6},
};

}  // namespace

std::string DecodeLength(const std::string& code, LengthColumn column) {
    const LengthRow* r = LengthOf(code);
    if (!r) return {};
    switch (column) {
    case LengthColumn::MM: return std::to_string(r->MM);
    case LengthColumn::Feet: return r->Feet;
    case LengthColumn::Code: return r->Code;
    case LengthColumn::Label: return r->Label;
    }
    return {};
}

std::string DecodeHeight(const std::string& code, HeightColumn column) {
    const HeightRow* r = HeightOf(code);
    if (!r) return {};
    switch (column) {
    case HeightColumn::MM: return std::to_string(r->MM);
    case HeightColumn::Short: return r->Short;
    case HeightColumn::Code: return r->Code;
    case HeightColumn::Label: return r->Label;
    }
    return {};
}

std::string DecodeType(const std::string& code, TypeColumn column) {
    const TypeRow* r = TypeOf(code);
    if (!r) return {};
    switch (column) {
    case TypeColumn::Code: return r->Code;
    case TypeColumn::Group: return r->Group;
    case TypeColumn::Description: return r->Description;
    }
    return {};
}

int IsoLengthMM(const std::string& code) {
    const LengthRow* r = LengthOf(code);
    return r ? r->MM : 0;
}

int IsoHeightMM(const std::string& code) {
    const HeightRow* r = HeightOf(code);
    return r ? r->MM : 0;
}

std::string IsoTypeGroup(const std::string& code) { return DecodeType(code, TypeColumn::Group); }

bool IsoHasTunnel(const std::string& code) {
    const HeightRow* r = HeightOf(code);
    return r && r->Tunnel;
}

std::string ComposeIsoCode(const std::string& lengthLabel, const std::string& heightLabel,
                           const std::string& typeGroup) {
    std::string out;
    for (const LengthRow& r : Length1995)
        if (lengthLabel == r.Label && std::strcmp(r.Label, "----") != 0) {
            out += r.Code;
            break;
        }
    for (const HeightRow& r : Height1995)
        if (heightLabel == r.Label) {
            out += r.Code;
            break;
        }
    std::string type;
    for (const TypeRow& r : Types1995())
        if (r.Group == typeGroup) {
            type = r.Code;
            break;
        }
    if (type.empty())
        for (const TypeRow& r : Types1984())
            if (r.Group == typeGroup) {
                type = r.Code;
                break;
            }
    return out + type;
}

std::string DefaultLengthLabel(bool fortyFootBay) { return fortyFootBay ? "40FT" : "20FT"; }

const TypeGroupInfo& TypeGroupAt(int index) {
    if (index < 0 || index >= TypeGroupCount) index = 0;
    return Groups[index];
}

int TypeGroupIndex(const std::string& group) {
    for (int i = 0; i < TypeGroupCount; ++i)
        if (group == Groups[i].Group) return i;
    return -1;
}

int TypeGroupBackColour(const std::string& group) {
    int i = TypeGroupIndex(group);
    return i < 0 ? 0xFFFFFF : Groups[i].Colour;
}

int TypeGroupTextColour(const std::string& group) {
    int i = TypeGroupIndex(group);
    return i < 0 ? 0 : ContrastTextColor(Groups[i].Colour);
}

}  // namespace kv
