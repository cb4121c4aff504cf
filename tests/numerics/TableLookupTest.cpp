#include <gtest/gtest.h>

#include <ctime>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "numerics/TableLookup.h"

using namespace kv;

namespace {

using Column = std::vector<long double>;

// A table from headings and, per layer, one vector per column.
xyztable_rec MakeTable(const std::vector<std::string>& cols, const std::vector<std::string>& layers,
                       const std::vector<std::vector<Column>>& values) {
    xyztable_rec t;
    const int nr = int(values.at(0).at(0).size());
    t.Resize(int(cols.size()), nr, int(layers.size()));
    for (size_t c = 0; c < cols.size(); ++c) t.ColHeads[c + 1].set(cols[c]);
    for (size_t l = 0; l < layers.size(); ++l) t.LayerHeads[l + 1].set(layers[l]);
    for (size_t l = 0; l < layers.size(); ++l)
        for (size_t c = 0; c < cols.size(); ++c)
            for (int r = 0; r < nr; ++r) t.Values[l + 1][c + 1][size_t(r) + 1] = values[l][c][size_t(r)];
    return t;
}

// Hydrostatic-like table: two trims, DRAFT ascending, DISP ascending.
xyztable_rec Hydro() {
    return MakeTable({"DRAFT", "DISP", "KMT"}, {"-1", "1"},
                     {{{1, 2, 3, 4}, {100, 200, 400, 700}, {9, 8, 7.5, 7.4}},
                      {{1, 2, 3, 4}, {110, 215, 420, 730}, {9.2, 8.1, 7.6, 7.3}}});
}

// Tank ullage table: key column descending.
xyztable_rec Ullage() { return MakeTable({"ULLAGE", "VOLUME"}, {""}, {{{10, 7, 4, 0}, {0, 30, 60, 100}}}); }

// Cross curves: a DISP key column followed by columns headed by angles.
xyztable_rec CrossCurves() {
    return MakeTable({"DISP", "0", "10", "20", "30"}, {"0"},
                     {{{1000, 2000, 3000}, {0, 0, 0}, {1.0, 0.9, 0.8}, {2.0, 1.8, 1.6}, {2.6, 2.5, 2.4}}});
}

struct Case {
    const char* name;
    xyztable_rec (*table)();
    std::string result, key, layer;
    long double x;
    bool clamp, report;
    bool ok;
    long double expected;
    bool rangeExceeded;
};

TEST(GetTableValue, TableOfCases) {
    const long double layerTwoAt300 = 2 + 85.0L / 205;  // DISP 300 on trim +1
    const Case cases[] = {
        // row interpolation on an ascending key column
        {"exact row", Hydro, "DRAFT", "DISP", "-1", 200, false, true, true, 2, false},
        {"between rows", Hydro, "DRAFT", "DISP", "-1", 300, false, true, true, 2.5, false},
        {"first row, next layer not needed", Hydro, "DRAFT", "DISP", "-1", 100, false, true, true, 1, false},
        {"last row", Hydro, "DRAFT", "DISP", "-1", 700, false, true, true, 4, false},
        {"last row clamped", Hydro, "DRAFT", "DISP", "-1", 700, true, true, true, 4, false},
        {"above, extrapolated", Hydro, "DRAFT", "DISP", "-1", 850, false, true, true, 4.5, true},
        {"above, held", Hydro, "DRAFT", "DISP", "-1", 850, true, true, true, 4, true},
        {"below, extrapolated", Hydro, "DRAFT", "DISP", "-1", 50, false, true, true, 0.5, true},
        {"below, held", Hydro, "DRAFT", "DISP", "-1", 50, true, true, true, 1, true},
        {"above, not reported", Hydro, "DRAFT", "DISP", "-1", 850, false, false, true, 4.5, false},
        {"other result column", Hydro, "KMT", "DRAFT", "-1", 3.5, false, true, true, 7.45L, false},
        // layers: interpolated between numeric layer headings
        {"on second layer", Hydro, "DRAFT", "DISP", "1", 300, false, true, true, layerTwoAt300, false},
        {"between layers", Hydro, "DRAFT", "DISP", "0", 300, false, true, true, (2.5L + layerTwoAt300) / 2, false},
        {"quarter between layers", Hydro, "DRAFT", "DISP", "-0.5", 300, false, true, true,
         2.5L + (layerTwoAt300 - 2.5L) / 4, false},
        {"beyond last layer", Hydro, "DRAFT", "DISP", "2", 300, false, true, true, layerTwoAt300, true},
        {"beyond last layer held", Hydro, "DRAFT", "DISP", "2", 300, true, true, true, layerTwoAt300, true},
        {"below first layer, extrapolated", Hydro, "DRAFT", "DISP", "-3", 300, false, true, true,
         2.5L - 2 * (layerTwoAt300 - 2.5L) / 2, true},
        {"below first layer, held", Hydro, "DRAFT", "DISP", "-3", 300, true, true, true, 2.5, true},
        // headings by name: any case, surrounding blanks
        {"names in any case", Hydro, "  draft", " disp ", "-1", 300, false, true, true, 2.5, false},
        // descending key column
        {"descending, between", Ullage, "VOLUME", "ULLAGE", "", 5.5, true, true, true, 45, false},
        {"descending, exact", Ullage, "VOLUME", "ULLAGE", "", 7, true, true, true, 30, false},
        {"descending, above first", Ullage, "VOLUME", "ULLAGE", "", 12, false, true, true, -20, true},
        {"descending, above first held", Ullage, "VOLUME", "ULLAGE", "", 12, true, true, true, 0, true},
        {"descending, below last", Ullage, "VOLUME", "ULLAGE", "", -2, false, true, true, 120, true},
        {"descending, below last held", Ullage, "VOLUME", "ULLAGE", "", -2, true, true, true, 100, true},
        {"descending, last row", Ullage, "VOLUME", "ULLAGE", "", 0, false, true, true, 100, false},
        // numeric column headings interpolated
        {"angle heading exact", CrossCurves, "10", "DISP", "", 1500, false, true, true, 0.95L, false},
        {"angle between headings", CrossCurves, "15", "DISP", "", 1500, false, true, true, (0.95L + 1.9L) / 2, false},
        {"angle written differently", CrossCurves, " 15.00 ", "DISP", "", 1500, false, true, true,
         (0.95L + 1.9L) / 2, false},
        {"angle beyond last heading", CrossCurves, "35", "DISP", "", 1000, false, true, true, 2.6L, true},
        {"angle below first, extrapolated", CrossCurves, "-5", "DISP", "", 1000, false, true, true, -0.5L, true},
        {"angle below first, held", CrossCurves, "-5", "DISP", "", 1000, true, true, true, 0, true},
        // a key held at the last row still interpolates between columns
        {"last row between headings", CrossCurves, "15", "DISP", "", 3500, true, true, true, 1.2L, true},
        {"last row extrapolated", CrossCurves, "15", "DISP", "", 3500, false, true, true, 1.125L, true},
        // MAX, MIN and AVG
        {"MAX on layer", Hydro, "DISP", "MAX", "1", 0, false, true, true, 730, false},
        {"MIN on layer", Hydro, "KMT", "MIN", "-1", 0, false, true, true, 7.4L, false},
        {"max is case-sensitive", Hydro, "DISP", "max", "1", 0, false, true, false, 0, false},
        {"AVG of the other columns", Hydro, "AVG", "DRAFT", "-1", 2.5, false, true, true, (300 + 7.75L) / 2, false},
        {"AVG between layers", Hydro, "AVG", "DRAFT", "0", 2, false, true, true, (207.5L + 8.05L) / 2, false},
        {"AVG, each column at the key asked", Hydro, "AVG", "DISP", "0", 105, true, true, true, 5.05L, true},
        {"avg is case-sensitive", Hydro, "avg", "DRAFT", "-1", 2.5, false, true, false, 0, false},
        // unknown columns
        {"unknown result", Hydro, "LCB", "DISP", "-1", 300, false, true, false, 0, false},
        {"unknown key", Hydro, "DRAFT", "TPC", "-1", 300, false, true, false, 0, false},
        {"key not a number", Hydro, "DRAFT", "DISP", "-1", std::numeric_limits<long double>::quiet_NaN(), false,
         true, false, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        xyztable_rec t = c.table();
        RecordingSink sink;
        TableLookupState st{false, &sink};
        long double result = -999;
        bool ok = GetTableValue(t, c.result, c.key, c.layer, c.x, result, c.clamp, c.report, st);
        EXPECT_EQ(ok, c.ok);
        EXPECT_NEAR(double(result), double(c.expected), 1e-12);
        EXPECT_EQ(st.TableRangeExceeded, c.rangeExceeded);
        EXPECT_TRUE(sink.messages.empty());
    }
}

TEST(GetTableValue, ExactRowsGiveTheStoredValueExactly) {
    xyztable_rec t = MakeTable({"DRAFT", "DISP"}, {""}, {{{0.1, 0.7, 1.3, 2.9}, {11.1, 23.3, 37.7, 81.9}}});
    TableLookupState st;
    for (int r = 1; r <= 4; ++r) {
        for (bool clamp : {false, true}) {
            long double v = 0;
            ASSERT_TRUE(GetTableValue(t, "DISP", "DRAFT", "", t.Values[1][1][r], v, clamp, true, st));
            EXPECT_EQ(v, t.Values[1][2][r]) << "row " << r << " clamp " << clamp;
        }
    }
    EXPECT_FALSE(st.TableRangeExceeded);
}

TEST(GetTableValue, UnknownLayerNameShowsTheMessageAndUsesTheFirstLayer) {
    xyztable_rec t = MakeTable({"DRAFT", "DISP"}, {"-1", "0", "1"},
                               {{{1, 2}, {100, 200}}, {{1, 2}, {150, 250}}, {{1, 2}, {190, 290}}});
    RecordingSink sink;
    TableLookupState st{false, &sink};
    long double v = 0;
    EXPECT_TRUE(GetTableValue(t, "DISP", "DRAFT", "EVEN KEEL", 1.5, v, false, true, st));
    EXPECT_DOUBLE_EQ(double(v), 150);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "Get Value from table error");

    // Without a message interface the lookup goes on silently.
    TableLookupState quiet;
    EXPECT_TRUE(GetTableValue(t, "DISP", "DRAFT", "EVEN KEEL", 1.5, v, false, true, quiet));
    EXPECT_DOUBLE_EQ(double(v), 150);

    // A single-layer table asked with any layer key gives no message.
    xyztable_rec single = Ullage();
    for (const char* layer : {"", "ANY", "3.5"}) {
        EXPECT_TRUE(GetTableValue(single, "VOLUME", "ULLAGE", layer, 5.5, v, true, true, st)) << layer;
        EXPECT_DOUBLE_EQ(double(v), 45);
    }
    EXPECT_EQ(sink.messages.size(), 1u);
}

TEST(GetTableValue, DescendingLayerHeadings) {
    // Trims listed from +1 down to -1.
    xyztable_rec t = MakeTable({"DRAFT", "DISP"}, {"1", "-1"}, {{{1, 2}, {110, 210}}, {{1, 2}, {100, 200}}});
    TableLookupState st;
    long double v = 0;
    ASSERT_TRUE(GetTableValue(t, "DISP", "DRAFT", "0.5", 1.5, v, false, true, st));
    EXPECT_DOUBLE_EQ(double(v), 157.5);
    ASSERT_TRUE(GetTableValue(t, "DISP", "DRAFT", "1.5", 1.5, v, true, true, st));
    EXPECT_DOUBLE_EQ(double(v), 160);
    EXPECT_TRUE(st.TableRangeExceeded);
}

TEST(GetTableValue, CallerArgumentsAreNotChanged) {
    xyztable_rec t = CrossCurves();
    const xyztable_rec copy = t;
    std::string result = "35", key = "DISP", layer = "7";
    long double x = 5000, v = 0;
    TableLookupState st;
    ASSERT_TRUE(GetTableValue(t, result, key, layer, x, v, true, true, st));
    EXPECT_EQ(result, "35");
    EXPECT_EQ(layer, "7");
    EXPECT_EQ(x, 5000);
    EXPECT_EQ(t.Values, copy.Values);
}

TEST(GetTableValue, DegenerateTablesAnswerFalseOrTheirOnlyRow) {
    TableLookupState st;
    long double v = -1;
    xyztable_rec empty;
    EXPECT_FALSE(GetTableValue(empty, "A", "B", "", 1, v, false, true, st));
    EXPECT_EQ(v, 0);

    // One row: no neighbour to interpolate with, the row's value is the answer.
    xyztable_rec oneRow = MakeTable({"LEVEL", "VOLUME"}, {""}, {{{2}, {40}}});
    for (long double x : {1.0L, 2.0L, 3.0L}) {
        for (bool clamp : {false, true}) {
            ASSERT_TRUE(GetTableValue(oneRow, "VOLUME", "LEVEL", "", x, v, clamp, true, st));
            EXPECT_EQ(v, 40) << double(x) << clamp;
        }
    }

    // Counts that promise more than the arrays hold.
    xyztable_rec lying = Ullage();
    lying.RowCount = 9;
    EXPECT_FALSE(GetTableValue(lying, "VOLUME", "ULLAGE", "", 5, v, false, true, st));
    lying = Ullage();
    lying.LayerCount = 0;
    EXPECT_FALSE(GetTableValue(lying, "VOLUME", "ULLAGE", "", 5, v, false, true, st));
    lying = Ullage();
    lying.ColHeads.push_back(Heading("EXTRA"));
    EXPECT_FALSE(GetTableValue(lying, "EXTRA", "ULLAGE", "", 5, v, false, true, st));

    // AVG over a table whose only column is the key column.
    xyztable_rec keyOnly = MakeTable({"DRAFT"}, {""}, {{{1, 2}}});
    EXPECT_FALSE(GetTableValue(keyOnly, "AVG", "DRAFT", "", 1.5, v, false, true, st));
}

TEST(FindHeading, NamesNumbersAndClamping) {
    head_rec heads{Heading(), Heading("DISP"), Heading("0"), Heading("10"), Heading("20"), Heading(" KN ")};
    // The last heading is a name: numbers are matched as text only.
    TableLookupState st;
    std::string key = "10";
    EXPECT_EQ(FindHeading(key, heads, false, true, st), 3);
    key = "15";
    EXPECT_EQ(FindHeading(key, heads, false, true, st), -1);
    key = "kn";
    EXPECT_EQ(FindHeading(key, heads, false, true, st), 5);

    head_rec angles{Heading(), Heading("DISP"), Heading("0"), Heading("10"), Heading("20")};
    const struct {
        const char* key;
        bool clamp;
        int index;
        const char* keyAfter;
        bool exceeded;
    } cases[] = {
        {"10", false, 3, "10", false},   {"10.0", false, 3, "10.0", false}, {"15", false, 3, "15", false},
        {"0", false, 2, "0", false},     {"20", false, 4, "20", false},     {"25", false, 4, "25", true},
        {"-5", false, 2, "-5", true},    {"25", true, 4, "20", true},       {"-5", true, 2, "0", true},
        {"12.50", true, 3, "12.5", false}, {"disp", false, 1, "disp", false}, {"1 2", false, -1, "1 2", false},
    };
    for (const auto& c : cases) {
        TableLookupState s;
        std::string k = c.key;
        EXPECT_EQ(FindHeading(k, angles, c.clamp, true, s), c.index) << c.key;
        EXPECT_EQ(k, c.keyAfter) << c.key;
        EXPECT_EQ(s.TableRangeExceeded, c.exceeded) << c.key;
    }
    // Equal end headings make the numbers meaningless.
    head_rec same{Heading(), Heading("0"), Heading("0")};
    key = "0";
    EXPECT_EQ(FindHeading(key, same, false, true, st), -1);
    head_rec none{Heading()};
    EXPECT_EQ(FindHeading(key, none, false, true, st), -1);
}

TEST(FindKeyRow, RowsAndEnds) {
    xyztable_rec t = Hydro();
    TableLookupState st;
    const struct {
        long double x;
        bool clamp;
        int row;
        long double xAfter;
    } cases[] = {
        {100, false, 1, 100}, {150, false, 1, 150}, {200, false, 2, 200}, {699, false, 3, 699},
        {700, false, 3, 700}, {700, true, 4, 700},  {900, false, 3, 900}, {900, true, 4, 700},
        {10, false, 1, 10},   {10, true, 1, 100},
    };
    for (const auto& c : cases) {
        long double x = c.x;
        EXPECT_EQ(FindKeyRow(x, t.Values, 2, true, c.clamp, 1, st), c.row) << double(c.x);
        EXPECT_EQ(x, c.xAfter) << double(c.x);
    }
    long double x = 1;
    EXPECT_EQ(FindKeyRow(x, t.Values, 9, true, false, 1, st), -1);
    EXPECT_EQ(FindKeyRow(x, t.Values, 1, true, false, 7, st), -1);
}

TEST(LinInterp, InterpolatesAndExtrapolates) {
    EXPECT_EQ(LinInterp(5, 2, 7, 2, 9), 7);  // X1 = X2 gives Y1
    EXPECT_EQ(LinInterp(1.5L, 1, 10, 2, 20), 15);
    EXPECT_EQ(LinInterp(3, 1, 10, 2, 20), 30);
    EXPECT_EQ(LinInterp(0, 1, 10, 2, 20), 0);
    EXPECT_EQ(LinInterp(1.5L, 2, 20, 1, 10), 15);
}

TEST(CompareValues, ToleranceOfOneHundredThousandth) {
    const struct {
        const char* op;
        long double a, b;
        bool expected;
    } cases[] = {
        {"=", 1.0L, 1.0L + 5e-6L, true},   {"=", 1.0L, 1.0L + 2e-5L, false},
        {">", 1.0L + 5e-6L, 1.0L, false},  {">", 1.0L + 2e-5L, 1.0L, true},   {">", 1.0L, 1.0L + 2e-5L, false},
        {"<", 1.0L, 1.0L + 5e-6L, false},  {"<", 1.0L, 1.0L + 2e-5L, true},   {"<", 1.0L + 2e-5L, 1.0L, false},
        {">=", 1.0L, 1.0L + 5e-6L, true},  {">=", 1.0L, 1.0L + 2e-5L, false}, {">=", 2.0L, 1.0L, true},
        {"=>", 1.0L, 1.0L + 5e-6L, true},  {"=>", 1.0L, 1.0L + 2e-5L, false},
        {"<=", 1.0L + 5e-6L, 1.0L, true},  {"<=", 1.0L + 2e-5L, 1.0L, false}, {"<=", 1.0L, 2.0L, true},
        {"=<", 1.0L + 5e-6L, 1.0L, true},  {"=<", 1.0L + 2e-5L, 1.0L, false},
        {"<>", 1.0L, 2.0L, false},         {"", 1.0L, 1.0L, false},           {"==", 1.0L, 1.0L, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompareValues(c.op, c.a, c.b), c.expected) << c.op << " " << double(c.a) << " " << double(c.b);
}

}  // namespace

// A prepared lookup gives bit for bit what GetTableValue gives for the same
// names, over keys inside and beyond the rows and layer keys on, between and
// beyond the layers; names that do not make a plain lookup are not prepared.
TEST(PreparedTableValue, SameAsGetTableValue) {
    const xyztable_rec tables[] = {Hydro(), Ullage(), CrossCurves()};
    struct Names {
        int table;
        std::string result, key;
    } names[] = {{0, "DISP", "DRAFT"}, {0, "KMT", "DISP"}, {1, "VOLUME", "ULLAGE"}, {2, "15", "DISP"},
                 {2, "30", "DISP"}};
    const std::string layers[] = {"-1", "1", "0", "0.25", "-3", "7", ""};
    const long double keys[] = {-5, 0, 1, 1.5, 2.75, 4, 9, 150, 333, 1000, 2500, 3100};
    for (const Names& n : names)
        for (const std::string& layer : layers)
            for (bool clamp : {false, true}) {
                const xyztable_rec& t = tables[n.table];
                const PreparedLookup p = PrepareTableValue(t, n.result, n.key, layer, clamp);
                for (long double x : keys) {
                    SCOPED_TRACE(n.result + " by " + n.key + " layer '" + layer + "' key " + std::to_string(double(x)));
                    TableLookupState a, b;
                    RecordingSink sink;
                    a.Messages = &sink;
                    long double va = -1, vb = -1;
                    const bool oka = GetTableValue(t, n.result, n.key, layer, x, va, clamp, false, a);
                    if (!p.Valid) {
                        // Only a lookup that needed a message or a fallback layer is left to GetTableValue.
                        EXPECT_TRUE(!sink.messages.empty() || !oka);
                        continue;
                    }
                    const bool okb = GetPreparedTableValue(t, p, x, vb, b);
                    EXPECT_EQ(oka, okb);
                    EXPECT_EQ(va, vb);
                    EXPECT_FALSE(b.TableRangeExceeded);
                }
            }
    EXPECT_FALSE(PrepareTableValue(Hydro(), "NOPE", "DRAFT", "1", false).Valid);
    EXPECT_FALSE(PrepareTableValue(Hydro(), "DISP", "MAX", "1", false).Valid);
    EXPECT_FALSE(PrepareTableValue(Hydro(), "AVG", "DRAFT", "1", false).Valid);
}
