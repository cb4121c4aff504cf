#include "shipgen/Ports.h"

#include <nlohmann/json.hpp>
#include <set>
#include <stdexcept>

namespace kv::shipgen {

namespace {

bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }

// Country part: two letters; place part: three letters or digits 2 to 9.
bool IsLocode(const std::string& code) {
    if (code.size() != 5 || !IsUpper(code[0]) || !IsUpper(code[1])) return false;
    for (size_t i = 2; i < 5; ++i) {
        char c = code[i];
        if (!IsUpper(c) && !(c >= '2' && c <= '9')) return false;
    }
    return true;
}

}  // namespace

std::vector<port_rec> BuildPortList(const nlohmann::json& portsJson) {
    std::vector<port_rec> list;
    if (!portsJson.contains("ports")) return list;
    std::set<std::string> seen;
    for (const auto& p : portsJson.at("ports")) {
        std::string code = p.at("code").get<std::string>();
        std::string name = p.at("name").get<std::string>();
        if (!IsLocode(code)) throw std::runtime_error("ports: \"" + code + "\" is not a UN/LOCODE");
        if (name.empty() || name.size() > 100)
            throw std::runtime_error("ports: name of " + code + " must have 1 to 100 characters");
        if (!seen.insert(code).second) throw std::runtime_error("ports: " + code + " is listed twice");
        port_rec r;
        r.code.set(code);
        r.name.set(name);
        list.push_back(r);
    }
    return list;
}

}  // namespace kv::shipgen
