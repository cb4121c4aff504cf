// Container stowage geometry: bays, sections, rows, tiers and slots, with the
// port list and the dangerous-goods database that travel with the ship.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/BinaryStream.h"

namespace kv {

constexpr int OnDeck = 0;  // section 0
constexpr int InHold = 1;  // section 1

// One slot (48 bytes).
struct cell_rec {
    int32_t state = 0;                 // 0 no slot, 1 free, 2 occupied
    std::array<uint8_t, 4> pad{};      // 4
    double x = 0;                      // 8
    double y = 0;                      // 16
    double z = 0;                      // 24: VCG of an 8-ft box at 45 % of its height
    uint8_t mark = 0;                  // 32
    std::array<uint8_t, 15> spare{};   // 33
};

struct cellinfo_rec {
    std::vector<ShortString<5>> row_names;
    std::vector<ShortString<5>> tier_names;   // index 0 is the top tier
    std::vector<float> row_max_weight;
    std::vector<int32_t> row_value;
    std::vector<std::vector<cell_rec>> cells;  // [row][tier]
};

struct baycell_rec {
    ShortString<5> bay_name;
    int32_t bay_kind = 0;  // 0..2 20-ft bay, 3..4 40-ft bay
    std::array<cellinfo_rec, 2> sections;  // [0] ON DECK, [1] IN HOLD
};
using bay_rec = std::vector<baycell_rec>;

inline bool Is40ftBayKind(int32_t kind) { return kind == 3 || kind == 4; }

struct port_rec {
    ShortString<5> code;     // 0, the list key
    ShortString<100> name;   // 6
};

constexpr size_t ImdgEntrySize = 2832;
struct imdg_rec {
    std::array<uint8_t, ImdgEntrySize> Raw{};
    std::string Key() const { return GetShort<10>(Raw.data(), 0).str(); }
};

struct continfo_rec {
    int32_t bay_count = 0;
    std::array<int32_t, 2> row_count{};
    std::array<int32_t, 2> tier_count{};
    std::vector<port_rec> port_list;   // in list order; key = code
    std::vector<imdg_rec> imdg_list;   // in list order; key = leading short string
    bay_rec bays;

    // Index in port_list of the first entry whose code equals code, letter
    // case ignored (the list is keyed like a string list), or -1.
    int FindPort(const std::string& code) const;
};

}  // namespace kv
