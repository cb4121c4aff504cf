#include "startup/PrintIni.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>

#include "model/BinaryStream.h"

namespace kv {

namespace {

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace((unsigned char)s[b])) ++b;
    while (e > b && std::isspace((unsigned char)s[e - 1])) --e;
    return s.substr(b, e - b);
}

std::string Upper(std::string s) {
    for (char& c : s) c = char(std::toupper((unsigned char)c));
    return s;
}

}  // namespace

bool ReadPrintIni(const std::string& path, int& tailLines) {
    if (!FileExists(path)) {
        tailLines = 4;
        return false;
    }
    std::ifstream in(path);
    if (!in) throw IoError("Cannot open file " + path);
    // INI section and key names are matched without regard to case.
    std::string line, section, value;
    bool found = false;
    while (std::getline(in, line)) {
        std::string t = Trim(line);
        if (t.empty() || t[0] == ';') continue;
        if (t.front() == '[' && t.back() == ']') {
            section = Upper(Trim(t.substr(1, t.size() - 2)));
            continue;
        }
        size_t eq = t.find('=');
        if (eq == std::string::npos || section != "PRINT") continue;
        if (Upper(Trim(t.substr(0, eq))) == "TAIL") {
            value = Trim(t.substr(eq + 1));
            found = true;
            break;
        }
    }
    errno = 0;
    char* end = nullptr;
    long v = found && !value.empty() ? std::strtol(value.c_str(), &end, 10) : 0;
    if (!found || value.empty() || *end != '\0' || errno == ERANGE || v < INT_MIN || v > INT_MAX)
        throw ConversionError("'" + value + "' is not a valid integer value (key TAIL in " + path + ")");
    tailLines = int(v);
    return true;
}

}  // namespace kv
