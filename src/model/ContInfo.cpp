#include "model/ContInfo.h"

#include <cctype>

namespace kv {

// The port database is keyed by code like a string list: the comparison
// ignores the case of letters and the first entry with the code wins.
int continfo_rec::FindPort(const std::string& code) const {
    auto same = [](const std::string& a, const std::string& b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
                return false;
        return true;
    };
    for (size_t i = 0; i < port_list.size(); ++i)
        if (same(port_list[i].code.str(), code)) return int(i);
    return -1;
}

}  // namespace kv
