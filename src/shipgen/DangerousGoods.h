// The dangerous-goods database carried in the container stowage geometry:
// public facts of the IMDG Dangerous Goods List laid out in the 2832-byte
// entries that the database dialog and the segregation check read.
#pragma once

#include <nlohmann/json_fwd.hpp>
#include <string>
#include <vector>

#include "model/ContInfo.h"

namespace kv::shipgen {

// Field offsets inside an entry (short strings unless marked fixed).
struct ImdgField {
    size_t offset;
    int capacity;  // characters; the stored field takes capacity + 1 bytes
};
constexpr ImdgField ImdgKey{0, 10};
constexpr ImdgField ImdgUnNumber{11, 7};
constexpr ImdgField ImdgShippingName{19, 255};
constexpr ImdgField ImdgPrimaryClass{275, 7};
constexpr ImdgField ImdgSecondaryClass{283, 6};
constexpr ImdgField ImdgTertiaryClass{290, 6};
constexpr ImdgField ImdgMarinePollutant{297, 3};
constexpr ImdgField ImdgPackingGroup{301, 3};
constexpr ImdgField ImdgSpecialProvisions{305, 35};
constexpr ImdgField ImdgLimitedQuantities{341, 10};
constexpr ImdgField ImdgPackingInstructions{352, 20};
constexpr ImdgField ImdgPackingProvisions{373, 125};
constexpr ImdgField ImdgNos{499, 10};
constexpr ImdgField ImdgMfag{510, 10};
constexpr ImdgField ImdgEms{521, 10};
constexpr size_t ImdgStowageOffset = 532;      // 700 characters, fixed length
constexpr size_t ImdgStowageLength = 700;
constexpr size_t ImdgPropertiesOffset = 1232;  // 1600 characters, fixed length
constexpr size_t ImdgPropertiesLength = 1600;

// Reads a short-string field of an entry.
std::string ImdgText(const imdg_rec& e, ImdgField f);
// Reads a fixed-length text field with its trailing blanks removed.
std::string ImdgFixedText(const imdg_rec& e, size_t offset, size_t length);

// dangerous_goods.json: {"entries": [{"un": "1203", "name": "...", "class": "3",
// "subsidiary": ["6.1"], "packingGroup": "II", "marinePollutant": "P", "ems": "...",
// "stowage": "...", "properties": "..."}]}. The key is "UN" + the UN number,
// followed by "/" + the packing group when the number occurs more than once.
// Throws std::runtime_error for a missing or malformed field, a text longer
// than its field, a class outside the IMDG classes, or a duplicate key.
std::vector<imdg_rec> BuildDangerousGoodsList(const nlohmann::json& dgJson);

}  // namespace kv::shipgen
