#include "numerics/Formats.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

namespace kv {

namespace {

// A finite value as decimal digits: value = 0.D1D2D3... x 10^Point, digits
// without trailing zeros (none at all for zero).
struct DecimalDigits {
    bool Negative = false;
    int Count = 0;
    int Point = 0;
    char Digits[24] = {};
};

constexpr int kSignificant = 15;

DecimalDigits ToDecimal(Extended v) {
    DecimalDigits d;
    d.Negative = std::signbit(v);
    if (v == 0) {
        d.Negative = false;
        return d;
    }
    char buf[48];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, kSignificant - 1);
    // "d.dddddddddddddde+XX"
    const char* p = buf;
    const char* end = res.ptr;
    while (p < end && *p != 'e') {
        if (*p >= '0' && *p <= '9') d.Digits[d.Count++] = *p;
        ++p;
    }
    int exp = 0;
    if (p < end) std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, exp);
    d.Point = exp + 1;
    while (d.Count > 0 && d.Digits[d.Count - 1] == '0') --d.Count;
    return d;
}

// Rounds to the given number of decimals, half away from zero.
void RoundDecimals(DecimalDigits& d, int decimals) {
    int keep = d.Point + decimals;
    if (keep >= d.Count) return;
    if (keep < 0) {
        d.Count = 0;
        d.Point = 0;
        return;
    }
    bool up = d.Digits[keep] >= '5';
    d.Count = keep;
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.Digits[i] == '9') --i;
        if (i < 0) {
            // every kept digit was 9 (or none was kept): the carry gives "1"
            d.Digits[0] = '1';
            d.Count = 1;
            d.Point += 1;
        } else {
            d.Digits[i] += 1;
            d.Count = i + 1;
        }
    }
    while (d.Count > 0 && d.Digits[d.Count - 1] == '0') --d.Count;
    if (d.Count == 0) d.Point = 0;
}

char DigitAt(const DecimalDigits& d, int i) { return i >= 0 && i < d.Count ? d.Digits[i] : '0'; }

std::string NonFinite(Extended v) {
    if (std::isnan(v)) return "NAN";
    return v < 0 ? "-INF" : "INF";
}

// Splits a picture format into its sections (';' outside quotes).
int SplitSections(std::string_view fmt, std::string_view out[3]) {
    int n = 0;
    size_t start = 0;
    char quote = 0;
    for (size_t i = 0; i <= fmt.size(); ++i) {
        if (i < fmt.size()) {
            char c = fmt[i];
            if (quote) {
                if (c == quote) quote = 0;
                continue;
            }
            if (c == '\'' || c == '"') {
                quote = c;
                continue;
            }
            if (c != ';') continue;
        }
        if (n < 3) out[n++] = fmt.substr(start, i - start);
        start = i + 1;
        if (n == 3) break;
    }
    return n;
}

struct Picture {
    int IntPlaces = 0;    // digit placeholders before the decimal point
    int IntForced = 0;    // of which shown even when not significant
    int DecPlaces = 0;    // digit placeholders after the decimal point
    int DecForced = 0;    // decimals always shown
    bool Thousands = false;
};

Picture ScanPicture(std::string_view sec) {
    Picture p;
    bool afterPoint = false;
    int firstZero = -1;
    char quote = 0;
    for (char c : sec) {
        if (quote) {
            if (c == quote) quote = 0;
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '0' || c == '#') {
            if (afterPoint) {
                ++p.DecPlaces;
                if (c == '0') p.DecForced = p.DecPlaces;
            } else {
                if (c == '0' && firstZero < 0) firstZero = p.IntPlaces;
                ++p.IntPlaces;
            }
        } else if (c == '.') {
            afterPoint = true;
        } else if (c == ',' && !afterPoint) {
            p.Thousands = true;
        }
    }
    if (firstZero >= 0) p.IntForced = p.IntPlaces - firstZero;
    return p;
}

std::string ApplyPicture(std::string_view sec, DecimalDigits d, bool showSign) {
    Picture pic = ScanPicture(sec);
    RoundDecimals(d, pic.DecPlaces);
    bool negative = showSign && d.Negative && d.Count > 0;

    // Integer digits, with leading zeros up to the forced count.
    std::string intDigits;
    const int sigInt = d.Point > 0 ? d.Point : 0;
    if (pic.IntForced > sigInt) intDigits.append(size_t(pic.IntForced - sigInt), '0');
    for (int i = 0; i < sigInt; ++i) intDigits += DigitAt(d, i);
    // Decimal digits, trailing zeros dropped down to the forced count.
    std::string decDigits;
    for (int i = 0; i < pic.DecPlaces; ++i) decDigits += DigitAt(d, d.Point + i);
    while (int(decDigits.size()) > pic.DecForced && decDigits.back() == '0') decDigits.pop_back();
    if (intDigits.empty() && decDigits.empty() && (pic.IntPlaces > 0 || pic.DecPlaces > 0))
        intDigits = "0";  // a number is never shown as nothing
    const int intLen = int(intDigits.size());
    const int decLen = int(decDigits.size());

    std::string out;
    out.reserve(sec.size() + 24);
    bool signDone = !negative;
    auto sign = [&]() {
        if (!signDone) {
            out += '-';
            signDone = true;
        }
    };
    auto putInt = [&](int i) {
        sign();
        out += intDigits[size_t(i)];
        int rest = intLen - 1 - i;
        if (pic.Thousands && rest > 0 && rest % 3 == 0) out += ',';
    };

    int intPlace = 0, decPlace = 0;
    bool afterPoint = false;
    char quote = 0;
    for (char c : sec) {
        if (quote) {
            if (c == quote) quote = 0;
            else out += c;
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
        } else if ((c == '0' || c == '#') && !afterPoint) {
            // Placeholders are filled from the right; the first one also takes
            // every digit the picture has no room for.
            int idx = intLen - (pic.IntPlaces - intPlace);
            if (intPlace == 0) {
                for (int i = 0; i <= idx; ++i) putInt(i);
            } else if (idx >= 0) {
                putInt(idx);
            }
            ++intPlace;
        } else if (c == '0' || c == '#') {
            if (decPlace < decLen) out += decDigits[size_t(decPlace)];
            ++decPlace;
        } else if (c == '.') {
            if (!afterPoint) {
                afterPoint = true;
                if (pic.IntPlaces == 0 && intLen > 0) {
                    for (int i = 0; i < intLen; ++i) putInt(i);
                }
                if (decLen > 0) {
                    sign();
                    out += '.';
                }
            }
        } else if (c == ',') {
            if (afterPoint) out += c;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::string FormatFloat(std::string_view fmt, Extended v) {
    if (!std::isfinite(v)) return NonFinite(v);
    std::string_view sections[3];
    int n = SplitSections(fmt, sections);
    if (n == 0 || (n == 1 && sections[0].empty())) return FloatToStr(v);
    DecimalDigits d = ToDecimal(v);
    if (n >= 3 && !sections[2].empty()) {
        DecimalDigits r = d;
        RoundDecimals(r, ScanPicture(sections[0]).DecPlaces);
        if (r.Count == 0) return ApplyPicture(sections[2], d, false);
    }
    if (d.Negative && n >= 2 && !sections[1].empty()) {
        DecimalDigits r = d;
        RoundDecimals(r, ScanPicture(sections[1]).DecPlaces);
        if (r.Count > 0) return ApplyPicture(sections[1], d, false);
    }
    return ApplyPicture(sections[0], d, true);
}

std::string FloatToStr(Extended v) {
    if (!std::isfinite(v)) return NonFinite(v);
    DecimalDigits d = ToDecimal(v);
    if (d.Count == 0) return "0";
    std::string out;
    if (d.Negative) out += '-';
    if (d.Point > kSignificant || d.Point < -4) {
        out += d.Digits[0];
        if (d.Count > 1) {
            out += '.';
            out.append(d.Digits + 1, size_t(d.Count - 1));
        }
        out += 'E';
        out += std::to_string(d.Point - 1);
        return out;
    }
    if (d.Point <= 0) {
        out += "0.";
        out.append(size_t(-d.Point), '0');
        out.append(d.Digits, size_t(d.Count));
        return out;
    }
    for (int i = 0; i < d.Point; ++i) out += DigitAt(d, i);
    if (d.Count > d.Point) {
        out += '.';
        out.append(d.Digits + d.Point, size_t(d.Count - d.Point));
    }
    return out;
}

namespace {

constexpr int kMaxExactPow10 = 27;  // 5^27 < 2^63: 10^n is exact up to here

struct Pow10Table {
    Extended v[kMaxExactPow10 + 1];
    constexpr Pow10Table() : v() {
        v[0] = 1;
        for (int i = 1; i <= kMaxExactPow10; ++i) v[i] = v[i - 1] * 10;
    }
};
constexpr Pow10Table kPow10;

// Plain decimals such as "-12.375" (the usual table heading) are read
// directly: the digits as an integer, exact below 2^64, divided by an exact
// power of ten, which rounds once, as the general reader does.
bool ReadPlainDecimal(const char* p, const char* e, Extended& v) {
    bool neg = false;
    if (p < e && *p == '-') {
        neg = true;
        ++p;
    }
    uint64_t m = 0;
    int digits = 0, frac = 0;
    bool point = false, any = false;
    for (; p < e; ++p) {
        const char c = *p;
        if (c == '.') {
            if (point) return false;
            point = true;
            continue;
        }
        if (c < '0' || c > '9') return false;
        any = true;
        if (point) ++frac;
        if (m == 0 && c == '0') continue;
        if (++digits > 19) return false;
        m = m * 10 + uint64_t(c - '0');
    }
    if (!any || frac > kMaxExactPow10) return false;
    Extended x = Extended(m);
    if (frac > 0) x /= kPow10.v[frac];
    v = neg ? -x : x;
    return true;
}

}  // namespace

bool TryPlainDecimal(std::string_view s, Extended& v) {
    size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return ReadPlainDecimal(s.data() + b, s.data() + e, v);
}

bool TryTextToFloat(std::string_view s, Extended& v) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    if (b < e && s[b] == '+') {
        ++b;
        if (b < e && s[b] == '-') return false;
    }
    if (b == e) return false;
    size_t first = (s[b] == '-') ? b + 1 : b;
    if (first == e || !((s[first] >= '0' && s[first] <= '9') || s[first] == '.')) return false;
    if (ReadPlainDecimal(s.data() + b, s.data() + e, v)) return true;
    Extended x = 0;
    auto res = std::from_chars(s.data() + b, s.data() + e, x, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != s.data() + e || !std::isfinite(x)) return false;
    v = x;
    return true;
}

namespace {

[[noreturn]] void Bad(std::string_view fmt, const char* why) {
    throw FormatError("Format '" + std::string(fmt) + "' " + why);
}

void Pad(std::string& out, std::string_view body, int width, bool left, bool zeros) {
    int fill = width - int(body.size());
    if (fill <= 0) {
        out += body;
        return;
    }
    if (left) {
        out += body;
        out.append(size_t(fill), ' ');
    } else if (zeros) {
        size_t sign = (!body.empty() && body[0] == '-') ? 1 : 0;
        out += body.substr(0, sign);
        out.append(size_t(fill), '0');
        out += body.substr(sign);
    } else {
        out.append(size_t(fill), ' ');
        out += body;
    }
}

std::string FixedText(Extended v, int decimals) {
    if (!std::isfinite(v)) return NonFinite(v);
    std::string pic = "0";
    if (decimals > 0) {
        pic += '.';
        pic.append(size_t(decimals), '0');
    }
    return ApplyPicture(pic, ToDecimal(v), true);
}

}  // namespace

std::string FormatCList(std::string_view fmt, std::initializer_list<FmtArg> args) {
    std::string out;
    out.reserve(fmt.size() + 16);
    auto next = args.begin();
    size_t i = 0;
    while (i < fmt.size()) {
        char c = fmt[i++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i >= fmt.size()) Bad(fmt, "ends in '%'");
        if (fmt[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        bool left = false, zeros = false;
        while (i < fmt.size() && (fmt[i] == '-' || fmt[i] == '0')) {
            (fmt[i] == '-' ? left : zeros) = true;
            ++i;
        }
        int width = 0, prec = -1;
        while (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9') width = std::min(width * 10 + (fmt[i++] - '0'), 1000);
        if (i < fmt.size() && fmt[i] == '.') {
            ++i;
            prec = 0;
            while (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9') prec = std::min(prec * 10 + (fmt[i++] - '0'), 1000);
        }
        if (i >= fmt.size()) Bad(fmt, "has an incomplete conversion");
        char conv = fmt[i++];
        if (next == args.end()) Bad(fmt, "has more conversions than arguments");
        const FmtArg& a = *next++;
        std::string body;
        switch (conv) {
        case 'd':
        case 'u':
        case 'x': {
            if (a.kind() != FmtArg::Kind::Int) Bad(fmt, "expects an integer");
            long long n = a.Int();
            bool neg = n < 0 && conv == 'd';
            unsigned long long m = neg ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
            char buf[32];
            auto r = std::to_chars(buf, buf + sizeof buf, m, conv == 'x' ? 16 : 10);
            std::string digits(buf, r.ptr);
            if (conv == 'x')
                for (char& ch : digits) ch = char(std::toupper(static_cast<unsigned char>(ch)));
            if (prec > int(digits.size())) digits.insert(0, size_t(prec) - digits.size(), '0');
            body = (neg ? "-" : "") + digits;
            break;
        }
        case 'f':
            if (a.kind() != FmtArg::Kind::Real) Bad(fmt, "expects a real");
            body = FixedText(a.Real(), prec < 0 ? 2 : prec);
            break;
        case 's': {
            if (a.kind() != FmtArg::Kind::Text) Bad(fmt, "expects a text");
            std::string_view t = a.Text();
            if (prec >= 0 && size_t(prec) < t.size()) t = t.substr(0, size_t(prec));
            Pad(out, t, width, left, false);
            continue;
        }
        default:
            Bad(fmt, "has an unknown conversion");
        }
        Pad(out, body, width, left, zeros);
    }
    return out;
}

}  // namespace kv
