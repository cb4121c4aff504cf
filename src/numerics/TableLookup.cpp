#include "numerics/TableLookup.h"

#include <cmath>

#include "numerics/Formats.h"
#include "numerics/Units.h"

namespace kv {

namespace {

std::string_view HeadText(const Heading& h) {
    size_t len = h.raw[0] > Heading::Capacity ? size_t(Heading::Capacity) : h.raw[0];
    return std::string_view(reinterpret_cast<const char*>(h.raw.data() + 1), len);
}

// A heading or key counts as a number when it passes the input test and
// also reads as one (the test alone lets "1 2" and a lone "E" through).
bool NumberOf(std::string_view s, Extended& v) {
    // Most numeric headings are plain decimals ("-1.5", " 10 "), read at once.
    return TryPlainDecimal(s, v) || (IsNumericText(s) && TryTextToFloat(s, v));
}
bool NumberOf(const Heading& h, Extended& v) { return NumberOf(HeadText(h), v); }

std::string_view Trimmed(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

char Upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

bool SameName(std::string_view a, std::string_view b) {
    a = Trimmed(a);
    b = Trimmed(b);
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i])) return false;
    return true;
}

// The counts must fit the arrays; columns are checked where they are read.
bool ShapeValid(const xyztable_rec& t) {
    const int NC = t.ColCount, NR = t.RowCount, NL = t.LayerCount;
    if (NC < 1 || NR < 1 || NL < 1) return false;
    return t.Values.size() >= size_t(NL) + 1 && t.ColHeads.size() >= size_t(NC) + 1 &&
           t.LayerHeads.size() >= size_t(NL) + 1;
}

// Column c of layer f holds every row the table promises.
bool ColumnValid(const xyztable_rec& t, int f, int c) {
    const auto& layer = t.Values[size_t(f)];
    return size_t(c) < layer.size() && layer[size_t(c)].size() >= size_t(t.RowCount) + 1;
}

struct Query {
    const xyztable_rec& T;
    bool Clamp;
    bool Report;
    TableLookupState& State;
    int j;               // result column
    int k;               // key column
    bool ColNumeric;     // interpolate between result columns
    Extended vR = 0;     // value of the result heading
    Extended x;          // key value, held at the table ends by FindKeyRow
};

// Value of column c at the key on layer f (row interpolation); false when
// the key column gives no row.
bool RowValue(Query& q, int f, int c, int& r, Extended& y) {
    const int NR = q.T.RowCount;
    if (!ColumnValid(q.T, f, q.k) || !ColumnValid(q.T, f, c) || !ColumnValid(q.T, f, 1)) return false;
    r = FindKeyRow(q.x, q.T.Values, q.k, q.Report, q.Clamp, f, q.State);
    if (r < 1 || r > NR) return false;
    const auto& key = q.T.Values[size_t(f)][size_t(q.k)];
    const auto& col = q.T.Values[size_t(f)][size_t(c)];
    if (r < NR) y = LinInterp(q.x, key[size_t(r)], col[size_t(r)], key[size_t(r) + 1], col[size_t(r) + 1]);
    else y = col[size_t(r)];
    return true;
}

// Row interpolation on layer f, then interpolation between the result column
// and the next one when the result heading is a number.
bool LayerValue(Query& q, int f, Extended& z) {
    int r = 0;
    Extended y = 0;
    if (!RowValue(q, f, q.j, r, y)) return false;
    z = y;
    if (!q.ColNumeric) return true;
    Extended h1 = 0, h2 = 0;
    if (!NumberOf(q.T.ColHeads[size_t(q.j)], h1)) return true;
    Extended y2 = y;
    h2 = h1;
    if (q.j < q.T.ColCount && NumberOf(q.T.ColHeads[size_t(q.j) + 1], h2) && ColumnValid(q.T, f, q.j + 1)) {
        // At the last row the next column is read at that row as well, so a
        // key held at the table end still interpolates between the columns.
        const auto& key = q.T.Values[size_t(f)][size_t(q.k)];
        const auto& col = q.T.Values[size_t(f)][size_t(q.j) + 1];
        if (r < q.T.RowCount)
            y2 = LinInterp(q.x, key[size_t(r)], col[size_t(r)], key[size_t(r) + 1], col[size_t(r) + 1]);
        else
            y2 = col[size_t(r)];
    } else {
        h2 = h1;
    }
    z = LinInterp(q.vR, h1, y, h2, y2);
    return true;
}

// The value on layer f, interpolated towards layer f + 1 when the layer key
// is a number and the table has several layers.
template <class LayerFn>
bool AcrossLayers(Query& q, int f, bool layerNumeric, Extended vL, LayerFn valueOn, Extended& result) {
    Extended z = 0;
    if (!valueOn(f, z)) return false;
    Extended g1 = 0, g2 = 0;
    if (!layerNumeric || q.T.LayerCount < 2 || !NumberOf(q.T.LayerHeads[size_t(f)], g1)) {
        result = z;
        return true;
    }
    Extended zUp = z;
    g2 = g1;
    // A layer key equal to the layer's heading takes nothing from the next
    // layer, which is then not read (its own key range must not raise the
    // out-of-range flag for a value it does not contribute to).
    if (vL != g1 && f < q.T.LayerCount && NumberOf(q.T.LayerHeads[size_t(f) + 1], g2)) {
        if (!valueOn(f + 1, zUp)) return false;
    } else {
        g2 = g1;
    }
    result = LinInterp(vL, g1, z, g2, zUp);
    return true;
}

}  // namespace

Extended LinInterp(Extended X, Extended X1, Extended Y1, Extended X2, Extended Y2) {
    if (X2 - X1 == 0) return Y1;
    return Y1 + (Y2 - Y1) * (X - X1) / (X2 - X1);
}

bool CompareValues(std::string_view Op, Extended A, Extended B) {
    const Extended tol = 1e-5L;
    const Extended d = A - B;
    const bool equal = std::fabs(d) < tol;
    if (Op == "=") return equal;
    if (Op == ">") return !equal && A > B;
    if (Op == "<") return !equal && A < B;
    if (Op == ">=" || Op == "=>") return equal || d > tol;
    if (Op == "<=" || Op == "=<") return equal || d < tol;
    return false;
}

int FindHeading(std::string& Key, const head_rec& Heads, bool Clamp, bool Report, TableLookupState& state) {
    if (Heads.size() < 2) return -1;
    const int High = int(Heads.size()) - 1;
    Extended v = 0, h1 = 0, h2 = 0;
    const bool keyNumeric = NumberOf(Key, v);
    int s = 1;
    bool headsNumeric = false;
    if (keyNumeric) {
        for (int i = 1; i <= High; ++i)
            if (NumberOf(Heads[size_t(i)], h1)) {
                s = i;
                headsNumeric = true;
                break;
            }
        headsNumeric = headsNumeric && NumberOf(Heads[size_t(High)], h2);
    }
    if (headsNumeric) {
        if (h1 == h2) return -1;
        int end = -1;
        Extended endValue = v;
        if (h2 >= h1) {
            if (v <= h1) end = s, endValue = h1;
            else if (v >= h2) end = High, endValue = h2;
        } else {
            if (v >= h1) end = s, endValue = h1;
            else if (v <= h2) end = High, endValue = h2;
        }
        if (end >= 0 && Report && v != endValue) state.TableRangeExceeded = true;
        if (Clamp) Key = FloatToStr(end >= 0 ? endValue : v);
        if (end >= 0) return end;
        // The lower heading of the bracketing pair, or the exact heading.
        Extended a = h1, b = 0;
        for (int d = s; d < High; ++d) {
            if (a == v) return d;
            if (!NumberOf(Heads[size_t(d) + 1], b)) break;
            if ((a < v && v < b) || (b < v && v < a)) return d;
            a = b;
        }
    }
    for (int i = s; i <= High; ++i)
        if (SameName(Key, HeadText(Heads[size_t(i)]))) return i;
    return -1;
}

int FindKeyRow(Extended& X, const xyzdata_rec& Values, int32_t Column, bool Report, bool Clamp, int32_t Layer,
               TableLookupState& state) {
    if (Layer < 0 || size_t(Layer) >= Values.size()) return -1;
    const auto& layer = Values[size_t(Layer)];
    if (layer.size() < 2 || Column < 1 || size_t(Column) >= layer.size()) return -1;
    const int n = int(layer[1].size()) - 1;
    const auto& C = layer[size_t(Column)];
    if (n < 1 || C.size() < size_t(n) + 1) return -1;

    const Extended w = C[1], a = C[size_t(n)];
    int end = 0;
    Extended endValue = 0;
    if (a >= w) {
        if (X <= w) end = 1, endValue = w;
        else if (X >= a) end = n, endValue = a;
    } else {
        if (X >= w) end = 1, endValue = w;
        else if (X <= a) end = n, endValue = a;
    }
    if (end > 0) {
        if (Report && X != endValue) state.TableRangeExceeded = true;
        if (Clamp) X = endValue;
        else if (end == n && n > 1) end = n - 1;  // extrapolate from the last two rows
        return end;
    }
    for (int i = 1; i < n; ++i) {
        const Extended c0 = C[size_t(i)], c1 = C[size_t(i) + 1];
        if (c0 == X || (c0 < X && X < c1) || (c1 < X && X < c0)) return i;
    }
    return -1;
}

bool GetTableValue(const xyztable_rec& Table, std::string ResultName, std::string KeyName, std::string LayerKey,
                   Extended KeyValue, Extended& Result, bool Clamp, bool Report, TableLookupState& state) {
    Result = 0;
    if (Table.ColCount <= 0 || Table.RowCount <= 0) return false;
    if (!ShapeValid(Table)) return false;
    const int NC = Table.ColCount, NR = Table.RowCount;

    int j = FindHeading(ResultName, Table.ColHeads, Clamp, Report, state);
    int k = FindHeading(KeyName, Table.ColHeads, Clamp, Report, state);
    int f = FindHeading(LayerKey, Table.LayerHeads, Clamp, Report, state);
    if (j > NC) j = -1;
    if (k > NC) k = -1;
    if (f < 1 || f > Table.LayerCount) {
        f = 1;
        if (Table.LayerCount != 1 && state.Messages) state.Messages->ShowMessage("Get Value from table error");
    }

    if (j != -1 && k == -1) {
        const bool max = KeyName == "MAX", min = KeyName == "MIN";
        if (!max && !min) return false;
        if (!ColumnValid(Table, f, j)) return false;
        const auto& col = Table.Values[size_t(f)][size_t(j)];
        Extended m = col[1];
        for (int r = 2; r <= NR; ++r) {
            if (max ? col[size_t(r)] > m : col[size_t(r)] < m) m = col[size_t(r)];
        }
        Result = m;
        return true;
    }
    if (k == -1) return false;

    Extended vL = 0;
    const bool layerNumeric = NumberOf(LayerKey, vL);
    Query q{Table, Clamp, Report, state, j, k, false, 0, KeyValue};

    if (j == -1) {
        if (ResultName != "AVG" || NC < 2) return false;
        Extended sum = 0;
        for (int c = 1; c <= NC; ++c) {
            if (c == k) continue;
            q.x = KeyValue;  // every column at the key asked, not at one held by another column
            auto plain = [&](int layer, Extended& z) {
                int r = 0;
                return RowValue(q, layer, c, r, z);
            };
            Extended value = 0;
            if (!AcrossLayers(q, f, layerNumeric, vL, plain, value)) return false;
            sum += value;
        }
        Result = sum / (NC - 1);
        return true;
    }

    q.ColNumeric = NumberOf(ResultName, q.vR);
    auto withColumns = [&](int layer, Extended& z) { return LayerValue(q, layer, z); };
    Extended value = 0;
    if (!AcrossLayers(q, f, layerNumeric, vL, withColumns, value)) return false;
    Result = value;
    return true;
}

PreparedLookup PrepareTableValue(const xyztable_rec& Table, std::string ResultName, std::string KeyName,
                                 std::string LayerKey, bool Clamp) {
    PreparedLookup p;
    if (Table.ColCount <= 0 || Table.RowCount <= 0 || !ShapeValid(Table)) return p;
    // Finding the headings must leave no trace: a lookup that would report
    // or show a message is not prepared, and GetTableValue does it each time.
    TableLookupState quiet;
    const int NC = Table.ColCount;
    int j = FindHeading(ResultName, Table.ColHeads, Clamp, false, quiet);
    int k = FindHeading(KeyName, Table.ColHeads, Clamp, false, quiet);
    int f = FindHeading(LayerKey, Table.LayerHeads, Clamp, false, quiet);
    if (j > NC) j = -1;
    if (k > NC) k = -1;
    if (j == -1 || k == -1) return p;
    if (f < 1 || f > Table.LayerCount) {
        // A table of one layer takes it silently; any other shows a message.
        if (Table.LayerCount != 1) return p;
        f = 1;
    }
    p.Valid = true;
    p.j = j;
    p.k = k;
    p.f = f;
    p.Clamp = Clamp;
    p.LayerNumeric = NumberOf(LayerKey, p.vL);
    p.ColNumeric = NumberOf(ResultName, p.vR);
    return p;
}

bool GetPreparedTableValue(const xyztable_rec& Table, const PreparedLookup& p, Extended KeyValue, Extended& Result,
                           TableLookupState& state) {
    Result = 0;
    if (!p.Valid || Table.ColCount <= 0 || Table.RowCount <= 0 || !ShapeValid(Table)) return false;
    Query q{Table, p.Clamp, false, state, p.j, p.k, p.ColNumeric, p.vR, KeyValue};
    auto withColumns = [&](int layer, Extended& z) { return LayerValue(q, layer, z); };
    Extended value = 0;
    if (!AcrossLayers(q, p.f, p.LayerNumeric, p.vL, withColumns, value)) return false;
    Result = value;
    return true;
}

}  // namespace kv
