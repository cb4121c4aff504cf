#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>

#include "numerics/Formats.h"
#include "numerics/Units.h"

using namespace kv;

namespace {

struct PictureCase {
    const char* fmt;
    long double value;
    const char* expected;
};

TEST(FormatFloat, PictureFormatsOfTheProgram) {
    const PictureCase cases[] = {
        // halves round away from zero on the decimal value, both signs
        {"0.000", 1.0005, "1.001"},
        {"0.000", -1.0005, "-1.001"},
        {"0.00", 0.125, "0.13"},
        {"0.00", -0.125, "-0.13"},
        {"0.0", 0.15, "0.2"},
        {"0.00", 0.995, "1.00"},
        {"0", 2.5, "3"},
        {"0", -2.5, "-3"},
        {"0.0", 2.4499, "2.4"},
        {"0.0", 9.96, "10.0"},
        // nothing that rounds to zero carries a minus sign
        {"0.000", -0.0004, "0.000"},
        {"0.000", -0.0, "0.000"},
        {"0.000", 0, "0.000"},
        {"0", -0.4, "0"},
        // the formats used across the program
        {"0.0000", 1.025, "1.0250"},
        {"0.00 m2", 123.456, "123.46 m2"},
        {"0.00 s", 9.999, "10.00 s"},
        {"0.000m", 3.5, "3.500m"},
        {"0.000deg", 1.5, "1.500deg"},
        {"0.0 Mt", 1234.56, "1234.6 Mt"},
        {"0.0 (Mt)", 800, "800.0 (Mt)"},
        {"fr0.00", 12.345, "fr12.35"},
        {"fr0.00", -3.456, "fr-3.46"},
        {"[fr0.0]", 12, "[fr12.0]"},
        {"0%", 150, "150%"},
        {"(0.0%)", 85.25, "(85.3%)"},
        {"(0.0%)", -3.04, "(-3.0%)"},
        {"0t", 12345.6, "12346t"},
        // optional digits
        {"0.000#", 12.3456, "12.3456"},
        {"0.000#", 12.3, "12.300"},
        {"0.000#", 12.34567, "12.3457"},
        {"0.0##", 12345.6, "12345.6"},
        {"0.0##", 3, "3.0"},
        {"0.##", 5, "5"},
        {"0.##", 5.1, "5.1"},
        {"0.##", 0.004, "0"},
        {"#.#", 3, "3"},
        {"#.#", 4.1, "4.1"},
        {"#.#", 0.5, ".5"},
        {"#.#", 0, "0"},
        {"#.#", -0.5, "-.5"},
        {"00.0", 5.25, "05.3"},
        {"000", 7, "007"},
        // thousands and big values
        {"#,##0.0", 1234567.89, "1,234,567.9"},
        {"#,##0", 999.5, "1,000"},
        {"#,##0", -1234, "-1,234"},
        {"#,##0", 12, "12"},
        {"0", 1e20, "100000000000000000000"},
        {"0.00", 123456789.125, "123456789.13"},
        // quoted literals
        {"0.0 \"t\"", 1, "1.0 t"},
        {"'#'0", 4, "#4"},
        // sections: positive; negative; zero
        {"0.0;(0.0);'zero'", 5, "5.0"},
        {"0.0;(0.0);'zero'", -2.25, "(2.3)"},
        {"0.0;(0.0);'zero'", 0, "zero"},
        {"0.0;(0.0);'zero'", 0.01, "zero"},
        {"0.0;;'zero'", -2.25, "-2.3"},
        // an empty format is the general conversion
        {"", 1.5, "1.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFloat(c.fmt, c.value), c.expected) << "format \"" << c.fmt << "\" value " << double(c.value);
}

TEST(FormatFloat, LongPicturesAndHugeValues) {
    EXPECT_EQ(FormatFloat(std::string(70, '0'), 5), std::string(69, '0') + "5");
    EXPECT_EQ(FormatFloat("0." + std::string(80, '0'), 0.5), "0.5" + std::string(79, '0'));
    EXPECT_EQ(FormatFloat("0", 1e40), "1" + std::string(40, '0'));
    EXPECT_EQ(FormatFloat("0.0", -1.5e300).size(), size_t(1 + 301 + 2));
    EXPECT_EQ(FormatC("%.60f", 0.25), "0.25" + std::string(58, '0'));
}

TEST(FormatFloat, NonFiniteValues) {
    EXPECT_EQ(FormatFloat("0.000", std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FormatFloat("0.000", std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(FormatFloat("0.000", -std::numeric_limits<double>::infinity()), "-INF");
}

TEST(FormatFloat, IgnoresTheProcessLocale) {
    // The desktop program takes the user's locale; numbers must not follow it.
    const char* set = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    if (!set) set = std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
    if (set) {
        char probe[16];
        std::snprintf(probe, sizeof probe, "%.1f", 1.5);
        EXPECT_STREQ(probe, "1,5") << "the decimal-comma locale is not in effect";
    }
    EXPECT_EQ(FormatFloat("0.000", 1.5), "1.500");
    EXPECT_EQ(FormatC("%.2f", 1.5), "1.50");
    EXPECT_EQ(FloatToStr(0.25), "0.25");
    long double v = 0;
    EXPECT_TRUE(TryTextToFloat("1.25E-1", v));
    EXPECT_EQ(v, 0.125L);
    std::setlocale(LC_NUMERIC, "C");
    if (!set) GTEST_SKIP() << "no decimal-comma locale installed; checked in the C locale only";
}

TEST(FloatToStr, GeneralConversion) {
    const struct {
        long double value;
        const char* expected;
    } cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {1.5, "1.5"},
        {-0.25, "-0.25"},
        {100, "100"},
        {0.1 + 0.2, "0.3"},
        {2.0 / 3.0, "0.666666666666667"},
        {123456789012345.0, "123456789012345"},
        {1234567890123456.0, "1.23456789012346E15"},
        {1e20, "1E20"},
        {0.00001, "0.00001"},
        {1.5e-6, "1.5E-6"},
        {-12.375, "-12.375"},
        {999999999999999.9, "1E15"},
    };
    for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.value), c.expected) << double(c.value);
}

TEST(TryTextToFloat, AcceptsNumbersAndRefusesTheRest) {
    const struct {
        const char* text;
        long double expected;
    } good[] = {
        {"12.5", 12.5L},     {" 12.5 ", 12.5L},  {"-3", -3.0L},       {"+5", 5.0L},
        {"1.2E-3", 1.2E-3L}, {"5E+2", 500.0L},   {"1e3", 1000.0L},    {".5", 0.5L},
        {"0.1", 0.1L},       {"-0.005", -0.005L}, {"\t7\r\n", 7.0L},  {"1234567.875", 1234567.875L},
    };
    for (const auto& c : good) {
        long double v = -99;
        EXPECT_TRUE(TryTextToFloat(c.text, v)) << c.text;
        EXPECT_EQ(v, c.expected) << c.text;
    }
    const char* bad[] = {"", "   ", "-", "+", ".", "1 2", "E", "1.2.3", "12a", "+-5", "--5", "1-2",
                         "inf", "nan", "1e99999", "0x10", "1,5"};
    for (const char* text : bad) {
        long double v = -99;
        EXPECT_FALSE(TryTextToFloat(text, v)) << text;
        EXPECT_EQ(v, -99) << "value changed for " << text;
    }
}

TEST(TryTextToFloat, PlainDecimalsReadExactlyAsTheLibraryReader) {
    // Plain decimals take a short path; it must give the correctly rounded
    // value in every case, the same as strtold.
    std::mt19937_64 rng(12345);
    for (int i = 0; i < 20000; ++i) {
        std::string body;
        const int digits = 1 + int(rng() % 19);
        for (int d = 0; d < digits; ++d) body += char('0' + rng() % 10);
        const int frac = int(rng() % 28);
        if (frac > 0) {
            if (int(body.size()) <= frac) body.insert(0, size_t(frac + 1 - int(body.size())), '0');
            body.insert(body.size() - size_t(frac), ".");
        }
        const std::string s = ((rng() & 1) ? "-" : "") + body;
        long double mine = 0;
        ASSERT_TRUE(TryTextToFloat(s, mine)) << s;
        long double ref = std::strtold(s.c_str(), nullptr);
        ASSERT_EQ(mine, ref) << s;
    }
}

TEST(TryPlainDecimal, OnlyPlainDecimalsAndAlwaysNumericText) {
    const struct {
        const char* text;
        bool plain;
    } cases[] = {
        {"10", true},   {" -1.5 ", true}, {"0.25", true}, {"-.5", true},  {"5.", true},
        {"+5", false},  {"1E3", false},   {"-", false},   {".", false},   {"", false},
        {"1.2.3", false}, {"1 2", false}, {"\t5", false}, {"--1", false}, {"1-", false},
        {"12345678901234567890", false},  // more digits than read exactly; the general reader takes it
    };
    for (const auto& c : cases) {
        long double plain = -99, general = -98;
        EXPECT_EQ(TryPlainDecimal(c.text, plain), c.plain) << c.text;
        if (c.plain) {
            EXPECT_TRUE(IsNumericText(c.text)) << c.text;
            ASSERT_TRUE(TryTextToFloat(c.text, general)) << c.text;
            EXPECT_EQ(plain, general) << c.text;
        } else {
            EXPECT_EQ(plain, -99) << c.text;
        }
    }
}

TEST(FormatC, PrintfStyleFormats) {
    EXPECT_EQ(FormatC("%.3f", 1.0005), "1.001");
    EXPECT_EQ(FormatC("%.3f", -0.0004), "0.000");
    EXPECT_EQ(FormatC("%.4f", 2.5), "2.5000");
    EXPECT_EQ(FormatC("%8.2f", 3.14159), "    3.14");
    EXPECT_EQ(FormatC("%-8.2f|", 3.14159), "3.14    |");
    EXPECT_EQ(FormatC("%8.3f", -2.0), "  -2.000");
    EXPECT_EQ(FormatC("%5.1f", 99.95), "100.0");
    EXPECT_EQ(FormatC("%.0f", 2.5), "3");
    EXPECT_EQ(FormatC("%.0f", -0.4), "0");
    EXPECT_EQ(FormatC("%f", 1.0), "1.00");
    EXPECT_EQ(FormatC("%.1f", 12.25L), "12.3");
    EXPECT_EQ(FormatC("%7d/%7d", 12, 40), "     12/     40");
    EXPECT_EQ(FormatC("%12.3f/%12.3f", 1.5, 1234.5678), "       1.500/    1234.568");
    EXPECT_EQ(FormatC("%3s%2s%2s", "1", "02", "82"), "  10282");
    EXPECT_EQ(FormatC("[NO.%d HOLD FLOODED]", 3), "[NO.3 HOLD FLOODED]");
    EXPECT_EQ(FormatC("NO. %d&%d HOLD", 2, 3), "NO. 2&3 HOLD");
    EXPECT_EQ(FormatC("%10.2f %s", 1234.567, std::string("TON")), "   1234.57 TON");
    EXPECT_EQ(FormatC("'UNT+%d+%s'", 25, std::string_view("REF1")), "'UNT+25+REF1'");
    EXPECT_EQ(FormatC("%-4s|", "AB"), "AB  |");
    EXPECT_EQ(FormatC("%.2s", "ABCD"), "AB");
    EXPECT_EQ(FormatC("%x", 255), "FF");
    EXPECT_EQ(FormatC("%05d", -42), "-0042");
    EXPECT_EQ(FormatC("%.3d", 7), "007");
    EXPECT_EQ(FormatC("%d", -2147483647 - 1), "-2147483648");
    EXPECT_EQ(FormatC("%u", 4000000000u), "4000000000");
    EXPECT_EQ(FormatC("100%%"), "100%");
    EXPECT_EQ(FormatC("%d", 1, 2), "1");  // surplus arguments are ignored
}

TEST(FormatC, MismatchedFormatsThrow) {
    EXPECT_THROW(FormatC("%d", 1.5), FormatError);
    EXPECT_THROW(FormatC("%f", 3), FormatError);
    EXPECT_THROW(FormatC("%s", 3), FormatError);
    EXPECT_THROW(FormatC("%d"), FormatError);
    EXPECT_THROW(FormatC("%d %d", 1), FormatError);
    EXPECT_THROW(FormatC("%q", 1), FormatError);
    EXPECT_THROW(FormatC("abc%", 1), FormatError);
    EXPECT_THROW(FormatC("%5.", 1), FormatError);
}

}  // namespace
