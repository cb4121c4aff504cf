// The loading condition file (".LCF"): new condition, open and save.
//
// The file has no header: its layout follows from the ship's group counts
// and bay count. Open reads the whole file into a separate image first and
// adopts it only when every byte was accounted for, so a damaged file or a
// file of another ship never replaces the condition in memory.
#pragma once

#include <string>
#include <vector>

#include "model/kvGlobal.h"

namespace kv {

// Sizes the condition's arrays from the ship data: one container list per
// bay, CompCodes (group 0 count) and the items of groups 1 to 8. Existing
// contents are kept where the sizes allow.
void SizeConditionArrays(KvState& state);

// Resets the condition to an empty one. The tween deck panels are left alone
// (the New command releases them first).
void NewCondition(KvState& state);

// The condition as it is read from a file, before it is adopted.
struct ConditionImage {
    loaddata_rec LoadData;
    std::vector<panel_rec> Panels;
};

// Decodes a condition file image for this ship. Throws IoError (naming the
// file) when the image is short or longer than the layout for this ship.
ConditionImage DecodeConditionFile(const KvState& state, BinReader& r);
// Encodes the current condition.
std::vector<uint8_t> EncodeConditionFile(const KvState& state);

// Replaces the current condition by the image: frees the slots of the old
// containers, keeps only containers whose position resolves to a slot of
// the bay they are stored with and whose slot no earlier container took (the
// others are dropped; their number is returned), marks their slots occupied
// and recomputes the bays' geometry.
int AdoptCondition(KvState& state, ConditionImage image);

enum class OpenResult { Opened, Missing, Failed };

// Opens a condition file. A missing file does nothing. A file that cannot be
// read completely, or whose length does not match this ship, is reported
// through messages (naming the file) and leaves the current condition as it
// was. On success the modified flag is cleared, ConditionFileName is set and
// the "USER INPUT" constant set mirrors the group 8 items; containers left
// out for want of a slot are reported by their number.
OpenResult OpenConditionFile(KvState& state, const std::string& fileName, MessageSink& messages);

// Writes the condition (through a temporary file, so a failed write leaves
// the previous file intact). Throws IoError and then changes nothing else; on
// success refreshes "USER INPUT", clears the modified flag and sets the name.
void SaveConditionFile(KvState& state, const std::string& fileName);

}  // namespace kv
