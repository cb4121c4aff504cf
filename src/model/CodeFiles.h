// The code databases kept beside the ship data: "Cargo.code" (cargo codes of
// bale cargo), "dwc.code" (named deadweight constant sets) and
// "Container.code" (the voyage port code list), plus the text colour rule
// shared by every coloured cell.
#pragma once

#include <string>
#include <vector>

#include "model/LoadData.h"

namespace kv {

// White (0xFFFFFF) or black (0) text for a background colour (0xBBGGRR).
int ContrastTextColor(int color);

// ---- cargo codes ----------------------------------------------------------

// The built-in code "BOX" used when there is no "Cargo.code".
cargocode_rec DefaultCargoCode();
// Index of the code (trimmed text equality), or -1.
int FindCargoCode(const std::vector<cargocode_rec>& list, const std::string& code);
// Missing file: the list holds the built-in "BOX". A read error (a count that
// promises more records than the file holds included) leaves the list empty.
void ReadCargoCodeFile(std::vector<cargocode_rec>& list, const std::string& fileName);
void WriteCargoCodeFile(const std::vector<cargocode_rec>& list, const std::string& fileName);

// ---- deadweight constant sets ---------------------------------------------

// Index of the set with this name from entry 1 on, or -1. "USER INPUT"
// (entry 0) is never found here.
int FindDwcSet(const std::vector<dwcinfo_rec>& list, const std::string& name);
// Entry 0 mirrors the condition's group 8 items; makes it when missing.
void RefreshUserInputSet(std::vector<dwcinfo_rec>& list, const ploadinfo_rec& group8);
// A click on a constant set: its loads become the condition's group 8 items
// (as many as both hold) and the condition is marked modified. Returns false
// for an index outside the list.
bool LoadConstantSet(const std::vector<dwcinfo_rec>& list, int index, ploadinfo_rec& group8, bool& modified);
// Rebuilds the list: "USER INPUT" from group8, then the stored sets, each with
// group8Count loads. Throws IoError (naming the file) on a read error or when
// the file's length does not fit group8Count.
void ReadDWCFile(std::vector<dwcinfo_rec>& list, const ploadinfo_rec& group8, int group8Count,
                 const std::string& fileName);
// Writes the sets from entry 1 on. With none left, an existing file is
// rewritten with a count of 0 and a missing one is not created.
void WriteDWCFile(const std::vector<dwcinfo_rec>& list, int group8Count, const std::string& fileName);

// ---- voyage port codes ----------------------------------------------------

enum class PortColumn { Code, Abbreviation, Remark, Name, BackColour, FontColour };
int FindPortCode(const std::vector<portcode_rec>& list, const std::string& code);
int FindPortAbbreviation(const std::vector<portcode_rec>& list, const std::string& abbreviation);
// A column of the entry found by abbreviation or by code; not found gives an
// empty text, or white background / black text for the colours.
std::string PortByAbbreviation(const std::vector<portcode_rec>& list, const std::string& text, PortColumn column);
std::string PortByCode(const std::vector<portcode_rec>& list, const std::string& text, PortColumn column);
// Missing file: empty list. A read error also leaves it empty.
void ReadContainerCodeFile(std::vector<portcode_rec>& list, const std::string& fileName);
void WriteContainerCodeFile(const std::vector<portcode_rec>& list, const std::string& fileName);

}  // namespace kv
