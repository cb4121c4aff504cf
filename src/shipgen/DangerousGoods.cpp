#include "shipgen/DangerousGoods.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <stdexcept>

namespace kv::shipgen {

namespace {

// The class and division texts the segregation table knows.
const std::set<std::string>& KnownClasses() {
    static const std::set<std::string> classes = {
        "1.1", "1.2", "1.3", "1.4", "1.5", "1.6", "2.1", "2.2", "2.3", "3", "4.1", "4.2",
        "4.3", "5.1", "5.2", "6.1", "6.2", "7", "8", "9"};
    return classes;
}

void PutText(imdg_rec& e, ImdgField f, const std::string& text, const std::string& what) {
    if (text.size() > size_t(f.capacity))
        throw std::runtime_error("dangerous goods: " + what + " \"" + text + "\" is longer than " +
                                 std::to_string(f.capacity) + " characters");
    e.Raw[f.offset] = uint8_t(text.size());
    std::memcpy(e.Raw.data() + f.offset + 1, text.data(), text.size());
}

// Fixed-length text fields are filled with blanks after the text.
void PutFixed(imdg_rec& e, size_t offset, size_t length, const std::string& text, const std::string& what) {
    if (text.size() > length)
        throw std::runtime_error("dangerous goods: " + what + " is longer than " + std::to_string(length) +
                                 " characters");
    std::memset(e.Raw.data() + offset, ' ', length);
    std::memcpy(e.Raw.data() + offset, text.data(), text.size());
}

std::string Optional(const nlohmann::json& j, const char* name) {
    return j.contains(name) ? j.at(name).get<std::string>() : std::string();
}

bool IsUnNumber(const std::string& s) {
    return s.size() == 4 && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string ImdgText(const imdg_rec& e, ImdgField f) {
    size_t len = std::min<size_t>(e.Raw[f.offset], size_t(f.capacity));
    return std::string(reinterpret_cast<const char*>(e.Raw.data() + f.offset + 1), len);
}

std::string ImdgFixedText(const imdg_rec& e, size_t offset, size_t length) {
    std::string s(reinterpret_cast<const char*>(e.Raw.data() + offset), length);
    size_t end = s.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : s.substr(0, end + 1);
}

std::vector<imdg_rec> BuildDangerousGoodsList(const nlohmann::json& dgJson) {
    std::vector<imdg_rec> list;
    if (!dgJson.contains("entries")) return list;
    const auto& entries = dgJson.at("entries");

    std::map<std::string, int> unCount;
    for (const auto& j : entries) unCount[j.at("un").get<std::string>()]++;

    std::set<std::string> keys;
    for (const auto& j : entries) {
        std::string un = j.at("un").get<std::string>();
        if (!IsUnNumber(un)) throw std::runtime_error("dangerous goods: \"" + un + "\" is not a four-digit UN number");
        std::string what = "UN " + un;
        std::string cls = j.at("class").get<std::string>();
        if (!KnownClasses().count(cls)) throw std::runtime_error("dangerous goods: " + what + " has unknown class " + cls);
        std::vector<std::string> subsidiary;
        if (j.contains("subsidiary")) subsidiary = j.at("subsidiary").get<std::vector<std::string>>();
        if (subsidiary.size() > 2) throw std::runtime_error("dangerous goods: " + what + " has more than two subsidiary risks");
        for (const auto& s : subsidiary)
            if (!KnownClasses().count(s)) throw std::runtime_error("dangerous goods: " + what + " has unknown subsidiary risk " + s);
        std::string pg = Optional(j, "packingGroup");
        if (!pg.empty() && pg != "I" && pg != "II" && pg != "III")
            throw std::runtime_error("dangerous goods: " + what + " has packing group \"" + pg + "\"");

        std::string key = "UN" + un;
        if (unCount[un] > 1) key += "/" + pg;
        if (!keys.insert(key).second) throw std::runtime_error("dangerous goods: key " + key + " occurs twice");

        imdg_rec e;
        PutText(e, ImdgKey, key, "key");
        PutText(e, ImdgUnNumber, un, "UN number");
        PutText(e, ImdgShippingName, j.at("name").get<std::string>(), what + " proper shipping name");
        PutText(e, ImdgPrimaryClass, cls, what + " class");
        PutText(e, ImdgSecondaryClass, subsidiary.size() > 0 ? subsidiary[0] : "", what + " subsidiary risk");
        PutText(e, ImdgTertiaryClass, subsidiary.size() > 1 ? subsidiary[1] : "", what + " subsidiary risk");
        PutText(e, ImdgMarinePollutant, Optional(j, "marinePollutant"), what + " marine pollutant mark");
        PutText(e, ImdgPackingGroup, pg, what + " packing group");
        PutText(e, ImdgEms, Optional(j, "ems"), what + " EmS");
        PutFixed(e, ImdgStowageOffset, ImdgStowageLength, Optional(j, "stowage"), what + " stowage text");
        PutFixed(e, ImdgPropertiesOffset, ImdgPropertiesLength, Optional(j, "properties"), what + " properties text");
        list.push_back(e);
    }
    return list;
}

}  // namespace kv::shipgen
