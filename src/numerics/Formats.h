// Number text: the one place where numbers are turned into text and back.
//
// FormatFloat   custom picture formats such as "0.000", "0.0##", "#.#",
//               "0.00 m2", "fr0.00", "(0.0%)"
// FormatC       printf-style formats such as "%.3f", "%8.2f", "%7d/%7d",
//               "%3s%2s%2s", "[NO.%d HOLD FLOODED]"
// FloatToStr    the general conversion (up to 15 significant digits, no
//               trailing zeros) used wherever a value becomes a heading or key
// TryTextToFloat the matching text-to-number conversion
//
// All of them ignore the process locale: the decimal point is always '.' and
// the thousands separator ','. Values are first taken to 15 significant
// decimal digits and then rounded half away from zero, so a value read from
// the text "0.125" shows as "0.13" with "0.00", and nothing that rounds to
// zero is shown with a minus sign.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>

#include "model/BinaryStream.h"

namespace kv {

// A format string that does not fit its arguments (a programming error).
class FormatError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// Custom picture format, one to three sections separated by ';' (positive;
// negative; zero). In a section:
//   0      digit, always shown (leading or trailing zero when needed)
//   #      digit, shown only when significant
//   .      the first one is the decimal point; it is left out when no
//          decimal digit follows it
//   ,      anywhere before the decimal point: group the integer digits by
//          thousands
//   '..' or ".."  literal text; every other character is literal too
//          (so "0%" shows the value followed by a percent sign, unscaled)
// A value that is negative after rounding gets '-' in front of its first
// digit, unless a non-empty negative section was chosen. An empty format
// gives FloatToStr. NaN and infinities give "NAN", "INF" and "-INF".
std::string FormatFloat(std::string_view fmt, Extended v);

// The general conversion: up to 15 significant digits, no trailing zeros,
// no thousands separators; "1.5E20" / "1E-6" style when the value needs more
// than 15 integer digits or is smaller than 0.00001.
std::string FloatToStr(Extended v);

// Reads a number: blanks and control characters around it are ignored, an
// optional sign, digits with at most one point, an optional exponent (E or
// e). Anything else, or a value out of range, gives false and leaves v as it
// was.
bool TryTextToFloat(std::string_view s, Extended& v);

// The quick form of TryTextToFloat for plain decimals: blanks around, an
// optional '-', digits with at most one point and at least one digit, read
// exactly as TryTextToFloat reads them. Anything else (also signs, exponents,
// and more than 19 significant digits) gives false and leaves v unchanged.
// Every text it accepts is also accepted by IsNumericText.
bool TryPlainDecimal(std::string_view s, Extended& v);

// One argument of FormatC: an integer, a real or a text.
class FmtArg {
public:
    enum class Kind { Int, Real, Text };

    template <class T>
        requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char>)
    FmtArg(T v) : kind_(Kind::Int), int_(static_cast<long long>(v)) {}  // NOLINT
    template <class T>
        requires std::is_floating_point_v<T>
    FmtArg(T v) : kind_(Kind::Real), real_(static_cast<Extended>(v)) {}  // NOLINT
    FmtArg(const char* s) : kind_(Kind::Text), text_(s ? s : "") {}  // NOLINT
    FmtArg(const std::string& s) : kind_(Kind::Text), text_(s) {}  // NOLINT
    FmtArg(std::string_view s) : kind_(Kind::Text), text_(s) {}  // NOLINT

    Kind kind() const { return kind_; }
    long long Int() const { return int_; }
    Extended Real() const { return real_; }
    std::string_view Text() const { return text_; }

private:
    Kind kind_;
    long long int_ = 0;
    Extended real_ = 0;
    std::string_view text_;
};

// printf-style formatting with the conversions
//   %d  integer (precision = minimum digits)      %u  same, for unsigned values
//   %x  integer in upper-case hexadecimal         %s  text (precision = most characters)
//   %f  real, fixed point (precision = decimals, 2 when not given)
//   %%  a percent sign
// each with an optional '-' (left-justify) or '0' (pad with zeros) flag and a
// width. Reals are rounded as FormatFloat rounds them. A conversion that does
// not match its argument, a missing argument or an unknown conversion throws
// FormatError; surplus arguments are ignored.
std::string FormatCList(std::string_view fmt, std::initializer_list<FmtArg> args);

template <class... A>
std::string FormatC(std::string_view fmt, const A&... args) {
    return FormatCList(fmt, {FmtArg(args)...});
}

}  // namespace kv
