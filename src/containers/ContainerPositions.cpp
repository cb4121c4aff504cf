#include "containers/ContainerPositions.h"

#include <cstdio>

namespace kv {

namespace {

// Labels are compared without copying: a cycle parses every container's
// position, so this runs thousands of times per calculation.
std::string_view Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && (unsigned char)s[b] <= ' ') ++b;
    while (e > b && (unsigned char)s[e - 1] <= ' ') --e;
    return s.substr(b, e - b);
}

// The value of a text of 1 to 9 digits, or -1.
long DigitsValue(std::string_view s) {
    if (s.empty() || s.size() > 9) return -1;
    long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

}  // namespace

bool LabelsMatch(std::string_view part, std::string_view label) {
    std::string_view a = Trim(part), b = Trim(label);
    long va = DigitsValue(a), vb = DigitsValue(b);
    if (va >= 0 && vb >= 0) return va == vb;
    return a == b;
}

std::string FormatPosition(const std::string& bay, const std::string& row, const std::string& tier) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%3s%2s%2s", bay.c_str(), row.c_str(), tier.c_str());
    return buf;
}

std::string SlotPosition(const continfo_rec& geo, const SlotRef& s) {
    if (!s.Resolved() || s.bay >= int(geo.bays.size())) return {};
    const baycell_rec& bay = geo.bays[size_t(s.bay)];
    const cellinfo_rec& sec = bay.sections[size_t(s.section)];
    return FormatPosition(bay.bay_name.str(), sec.row_names[size_t(s.row)].str(),
                          sec.tier_names[size_t(s.tier)].str());
}

int FindBay(const continfo_rec& geo, std::string_view label) {
    for (size_t i = 0; i < geo.bays.size(); ++i)
        if (LabelsMatch(label, geo.bays[i].bay_name.view())) return int(i);
    return -1;
}

int FindRow(const continfo_rec& geo, int bay, int section, std::string_view label) {
    if (bay < 0 || bay >= int(geo.bays.size()) || section < 0 || section > 1) return -1;
    const cellinfo_rec& sec = geo.bays[size_t(bay)].sections[size_t(section)];
    for (size_t i = 0; i < sec.row_names.size(); ++i)
        if (LabelsMatch(label, sec.row_names[i].view())) return int(i);
    return -1;
}

static int FindTier(const cellinfo_rec& sec, std::string_view label) {
    for (size_t i = 0; i < sec.tier_names.size(); ++i)
        if (LabelsMatch(label, sec.tier_names[i].view())) return int(i);
    return -1;
}

bool ParsePosition(const continfo_rec& geo, std::string_view text, SlotRef& slot) {
    slot = SlotRef{};
    // Only trailing blanks are cut first: a bay label shorter than its field
    // leaves leading blanks that belong to the 3 + 2 + 2 split.
    std::string_view t = text;
    while (!t.empty() && (unsigned char)t.back() <= ' ') t.remove_suffix(1);
    if (t.size() > 7) t = Trim(t);
    std::string_view bayPart;
    size_t rest;
    if (t.size() == 6) {
        bayPart = t.substr(0, 2);
        rest = 2;
    } else if (t.size() == 7) {
        bayPart = t.substr(0, 3);
        rest = 3;
    } else {
        return false;
    }
    std::string_view rowPart = t.substr(rest, 2), tierPart = t.substr(rest + 2, 2);

    slot.bay = FindBay(geo, bayPart);
    if (slot.bay < 0) return true;
    const baycell_rec& bay = geo.bays[size_t(slot.bay)];
    for (int s = OnDeck; s <= InHold; ++s) {
        int tier = FindTier(bay.sections[size_t(s)], tierPart);
        if (tier >= 0) {
            slot.section = s;
            slot.tier = tier;
            break;
        }
    }
    if (slot.section < 0) return true;
    slot.row = FindRow(geo, slot.bay, slot.section, rowPart);
    if (slot.row >= 0) {
        const cellinfo_rec& sec = bay.sections[size_t(slot.section)];
        const auto& rowCells = sec.cells[size_t(slot.row)];
        if (size_t(slot.tier) >= rowCells.size() || rowCells[size_t(slot.tier)].state == 0) slot.row = -1;
    }
    return true;
}

const cell_rec* SlotCell(const continfo_rec& geo, const SlotRef& s) {
    if (!s.Resolved() || s.bay >= int(geo.bays.size()) || s.section > 1) return nullptr;
    const cellinfo_rec& sec = geo.bays[size_t(s.bay)].sections[size_t(s.section)];
    if (size_t(s.row) >= sec.cells.size() || size_t(s.tier) >= sec.cells[size_t(s.row)].size()) return nullptr;
    return &sec.cells[size_t(s.row)][size_t(s.tier)];
}

cell_rec* SlotCell(continfo_rec& geo, const SlotRef& s) {
    return const_cast<cell_rec*>(SlotCell(static_cast<const continfo_rec&>(geo), s));
}

std::pair<int, int> FindContainer(const continfo_rec& geo, const loaddata_rec& load,
                                  const std::string& position) {
    SlotRef want;
    if (!ParsePosition(geo, position, want) || !want.Resolved()) return {-1, -1};
    if (want.bay >= int(load.BayLists.size())) return {-1, -1};
    const auto& list = load.BayLists[size_t(want.bay)];
    for (size_t i = 0; i < list.size(); ++i) {
        SlotRef got;
        if (ParsePosition(geo, list[i].position.str(), got) && got == want) return {want.bay, int(i)};
    }
    return {-1, -1};
}

}  // namespace kv
