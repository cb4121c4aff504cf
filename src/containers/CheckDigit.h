// ISO 6346 check digit of a container identification (owner code, category,
// serial number, check digit; 11 characters).
#pragma once

#include <string>

namespace kv {

// The check digit of the first ten characters (0..9; a remainder of 10
// counts as 0), or -1 when a character is not a letter or digit or the text
// is shorter than ten characters.
int IsoCheckDigit(const std::string& id);

// True when the id has exactly 11 characters and its last one is the check
// digit of the first ten.
bool IsoCheckDigitValid(const std::string& id);

}  // namespace kv
