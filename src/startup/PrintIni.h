// "Print.INI": the number of text lines between the bottom margin of a
// printed page and its footer.
#pragma once

#include <stdexcept>
#include <string>

namespace kv {

// A value in a settings file that is not a number.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads key "TAIL" of section "Print" into tailLines and returns true when the
// file exists; a missing file gives 4 and false. A present file whose key is
// missing or not an integer throws ConversionError naming the file.
bool ReadPrintIni(const std::string& path, int& tailLines);

}  // namespace kv
