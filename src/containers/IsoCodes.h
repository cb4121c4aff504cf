// ISO 6346 size-type codes of both code forms (1984: all-numeric, e.g.
// "2210"; 1995: e.g. "22G1"), their composition from labels and their
// decoding, and the container type groups with their display colours.
#pragma once

#include <string>

namespace kv {

enum class LengthColumn { MM, Feet, Code, Label };
enum class HeightColumn { MM, Short, Code, Label };
enum class TypeColumn { Code, Group, Description };

// A decoded column as text; empty when the code part is not in the tables.
std::string DecodeLength(const std::string& code, LengthColumn column);
std::string DecodeHeight(const std::string& code, HeightColumn column);
std::string DecodeType(const std::string& code, TypeColumn column);

// Length and height in millimetres, 0 when the code gives none.
int IsoLengthMM(const std::string& code);
int IsoHeightMM(const std::string& code);
// The program's type group ("DC", "RF", ...), empty when unknown.
std::string IsoTypeGroup(const std::string& code);
// True when the height code is one of the 1984 codes with the tunnel mark.
bool IsoHasTunnel(const std::string& code);

// Composes a size-type code from a length label ("20FT"), a long height
// label (8'6 with an inch sign) and a type group ("DC"); each part that is
// not found is left out.
std::string ComposeIsoCode(const std::string& lengthLabel, const std::string& heightLabel,
                           const std::string& typeGroup);

// Defaults used when a container is entered by hand.
std::string DefaultLengthLabel(bool fortyFootBay);
extern const char* const DefaultHeightLabel;  // 8'6"
extern const char* const DefaultTypeGroup;    // "DC"

// The 11 container type groups.
struct TypeGroupInfo {
    const char* Group;
    const char* Short;
    const char* Description;
    int Colour;  // 0xBBGGRR
};
constexpr int TypeGroupCount = 11;
const TypeGroupInfo& TypeGroupAt(int index);
int TypeGroupIndex(const std::string& group);  // -1 when unknown
// Display colours of a group: unknown groups give white with black text.
int TypeGroupBackColour(const std::string& group);
int TypeGroupTextColour(const std::string& group);

}  // namespace kv
