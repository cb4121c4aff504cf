#include "model/CodeFiles.h"

namespace kv {

namespace {

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && (unsigned char)s[b] <= ' ') ++b;
    while (e > b && (unsigned char)s[e - 1] <= ' ') --e;
    return s.substr(b, e - b);
}

constexpr size_t DwcHeadSize = 11 + 256;

}  // namespace

int ContrastTextColor(int color) {
    int red = color & 0xFF, green = (color >> 8) & 0xFF, blue = (color >> 16) & 0xFF;
    int score = (red >= 200 ? 1 : 0) + (green >= 100 ? 2 : 0) + (blue >= 200 ? 1 : 0);
    return score < 2 ? 0xFFFFFF : 0;
}

cargocode_rec DefaultCargoCode() {
    cargocode_rec r;
    r.Code.set("BOX");
    r.CodeName.set("BOX");
    r.Length = 10;
    r.Width = 5;
    r.Height = 4;
    r.CodeLCG = 5;
    r.CodeTCG = 2.5L;
    r.CodeVCG = 2;
    r.Color = 0x808080;
    r.TextColor = ContrastTextColor(r.Color);
    r.CodeRemark.set("BOX TYPE CARGO");
    return r;
}

int FindCargoCode(const std::vector<cargocode_rec>& list, const std::string& code) {
    std::string key = Trim(code);
    for (size_t i = 0; i < list.size(); ++i)
        if (Trim(list[i].Code.str()) == key) return int(i);
    return -1;
}

void ReadCargoCodeFile(std::vector<cargocode_rec>& list, const std::string& fileName) {
    list.clear();
    if (!FileExists(fileName)) {
        list.push_back(DefaultCargoCode());
        return;
    }
    try {
        BinReader r = BinReader::FromFile(fileName);
        int32_t n = r.Count(CargoCodeSize);
        std::vector<cargocode_rec> read;
        read.reserve(size_t(n));
        for (int32_t i = 0; i < n; ++i) {
            auto img = r.Block<CargoCodeSize>();
            read.push_back(DecodeCargoCode(img.data()));
        }
        list = std::move(read);
    } catch (const IoError&) {
        list.clear();
    }
}

void WriteCargoCodeFile(const std::vector<cargocode_rec>& list, const std::string& fileName) {
    BinWriter w;
    w.Int32(int32_t(list.size()));
    std::array<uint8_t, CargoCodeSize> img{};
    for (const cargocode_rec& c : list) {
        EncodeCargoCode(c, img.data());
        w.Block(img);
    }
    w.SaveToFile(fileName);
}

int FindDwcSet(const std::vector<dwcinfo_rec>& list, const std::string& name) {
    std::string key = Trim(name);
    for (size_t i = 1; i < list.size(); ++i)
        if (Trim(list[i].DwcName.str()) == key) return int(i);
    return -1;
}

void RefreshUserInputSet(std::vector<dwcinfo_rec>& list, const ploadinfo_rec& group8) {
    if (list.empty() || list[0].DwcName.str() != UserInputSetName) {
        dwcinfo_rec user;
        user.DwcName.set(UserInputSetName);
        list.insert(list.begin(), user);
    }
    list[0].DwcLoads = group8;
}

bool LoadConstantSet(const std::vector<dwcinfo_rec>& list, int index, ploadinfo_rec& group8, bool& modified) {
    if (index < 0 || index >= int(list.size())) return false;
    const ploadinfo_rec& loads = list[size_t(index)].DwcLoads;
    for (size_t i = 0; i < group8.size() && i < loads.size(); ++i) group8[i] = loads[i];
    modified = true;
    return true;
}

void ReadDWCFile(std::vector<dwcinfo_rec>& list, const ploadinfo_rec& group8, int group8Count,
                 const std::string& fileName) {
    std::vector<dwcinfo_rec> sets;
    RefreshUserInputSet(sets, group8);
    if (FileExists(fileName)) {
        size_t g = size_t(group8Count > 0 ? group8Count : 0);
        size_t setSize = DwcHeadSize + LoadInfoSize * g;
        BinReader r = BinReader::FromFile(fileName);
        int32_t m = r.Count(setSize);
        for (int32_t k = 0; k < m; ++k) {
            dwcinfo_rec set;
            set.DwcName = r.Short<10>();
            set.DwcRemark = r.Short<255>();
            set.DwcLoads.reserve(g);
            for (size_t i = 0; i < g; ++i) {
                auto img = r.Block<LoadInfoSize>();
                set.DwcLoads.push_back(DecodeLoadInfo(img.data()));
            }
            sets.push_back(std::move(set));
        }
        if (!r.atEnd())
            throw IoError("Deadweight constant file " + fileName + " does not match the ship's " +
                          std::to_string(g) + " constant items (" + std::to_string(r.remaining()) +
                          " bytes left over)");
    }
    list = std::move(sets);
}

void WriteDWCFile(const std::vector<dwcinfo_rec>& list, int group8Count, const std::string& fileName) {
    // With no stored set left, a file that is not there stays absent; an
    // existing one is rewritten empty, so deleted sets do not come back at
    // the next start.
    if (list.size() <= 1 && !FileExists(fileName)) return;
    size_t g = size_t(group8Count > 0 ? group8Count : 0);
    BinWriter w;
    w.Int32(int32_t(list.empty() ? 0 : list.size() - 1));
    std::array<uint8_t, LoadInfoSize> img{};
    for (size_t k = 1; k < list.size(); ++k) {
        const dwcinfo_rec& set = list[k];
        w.Short(set.DwcName);
        w.Short(set.DwcRemark);
        for (size_t i = 0; i < g; ++i) {
            EncodeLoadInfo(i < set.DwcLoads.size() ? set.DwcLoads[i] : loadinfo_rec{}, img.data());
            w.Block(img);
        }
    }
    w.SaveToFile(fileName);
}

int FindPortCode(const std::vector<portcode_rec>& list, const std::string& code) {
    std::string key = Trim(code);
    for (size_t i = 0; i < list.size(); ++i)
        if (Trim(list[i].code.str()) == key) return int(i);
    return -1;
}

int FindPortAbbreviation(const std::vector<portcode_rec>& list, const std::string& abbreviation) {
    std::string key = Trim(abbreviation);
    for (size_t i = 0; i < list.size(); ++i)
        if (Trim(list[i].abbreviation.str()) == key) return int(i);
    return -1;
}

static std::string PortColumnText(const std::vector<portcode_rec>& list, int i, PortColumn column) {
    if (i < 0) {
        if (column == PortColumn::BackColour) return std::to_string(0xFFFFFF);
        if (column == PortColumn::FontColour) return "0";
        return {};
    }
    const portcode_rec& p = list[size_t(i)];
    switch (column) {
    case PortColumn::Code: return p.code.str();
    case PortColumn::Abbreviation: return p.abbreviation.str();
    case PortColumn::Remark: return p.remark.str();
    case PortColumn::Name: return p.name.str();
    case PortColumn::BackColour: return std::to_string(p.back_colour);
    case PortColumn::FontColour: return std::to_string(p.font_colour);
    }
    return {};
}

std::string PortByAbbreviation(const std::vector<portcode_rec>& list, const std::string& text, PortColumn column) {
    return PortColumnText(list, FindPortAbbreviation(list, text), column);
}

std::string PortByCode(const std::vector<portcode_rec>& list, const std::string& text, PortColumn column) {
    return PortColumnText(list, FindPortCode(list, text), column);
}

void ReadContainerCodeFile(std::vector<portcode_rec>& list, const std::string& fileName) {
    list.clear();
    if (!FileExists(fileName)) return;
    try {
        BinReader r = BinReader::FromFile(fileName);
        int32_t n = r.Count(PortCodeSize);
        std::vector<portcode_rec> read;
        read.reserve(size_t(n));
        for (int32_t i = 0; i < n; ++i) {
            auto img = r.Block<PortCodeSize>();
            read.push_back(DecodePortCode(img.data()));
        }
        list = std::move(read);
    } catch (const IoError&) {
        list.clear();
    }
}

void WriteContainerCodeFile(const std::vector<portcode_rec>& list, const std::string& fileName) {
    BinWriter w;
    w.Int32(int32_t(list.size()));
    std::array<uint8_t, PortCodeSize> img{};
    for (const portcode_rec& p : list) {
        EncodePortCode(p, img.data());
        w.Block(img);
    }
    w.SaveToFile(fileName);
}

}  // namespace kv
