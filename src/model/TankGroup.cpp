#include "model/TankGroup.h"

namespace kv {

namespace {

// Blanks and control characters at both ends are removed, as the names are
// typed and padded by hand in the ship data.
std::string TrimBlanks(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && static_cast<unsigned char>(s[a]) <= ' ') ++a;
    while (b > a && static_cast<unsigned char>(s[b - 1]) <= ' ') --b;
    return s.substr(a, b - a);
}

}  // namespace

int FindTankByName(const tankgroup_rec& tg, int group, const std::string& name) {
    if (group < 1 || group > 8) return -1;
    const std::string wanted = TrimBlanks(name);
    const std::vector<tank_rec>& tanks = tg.Groups[size_t(group)].Tanks;
    for (size_t i = 0; i < tanks.size(); ++i)
        if (TrimBlanks(tanks[i].TankName.str()) == wanted) return int(i);
    return -1;
}

}  // namespace kv
