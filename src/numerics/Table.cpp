#include "numerics/Table.h"

namespace kv {

static int32_t NonNeg(int32_t n) { return n < 0 ? 0 : n; }

void xyztable_rec::Resize(int32_t cols, int32_t rows, int32_t layers) {
    ColCount = cols;
    RowCount = rows;
    LayerCount = layers;
    int32_t nc = NonNeg(cols), nr = NonNeg(rows), nl = NonNeg(layers);
    ColHeads.assign(size_t(nc) + 1, Heading());
    LayerHeads.assign(size_t(nl) + 1, Heading());
    // Element 0 of every dimension exists and stays empty, so a table without
    // columns or layers allocates nothing for its rows.
    Values.assign(size_t(nl) + 1, {});
    for (int32_t k = 1; k <= nl; ++k) {
        auto& layer = Values[size_t(k)];
        layer.assign(size_t(nc) + 1, {});
        for (int32_t j = 1; j <= nc; ++j) layer[size_t(j)].assign(size_t(nr) + 1, 0.0L);
    }
}

xyztable_rec ReadStoredTable(BinReader& r) {
    xyztable_rec t;
    t.Title = r.Short<50>();
    int32_t nc = r.Int32(), nr = r.Int32(), nl = r.Int32(), spare = r.Int32();
    int64_t c = NonNeg(nc), rr = NonNeg(nr), l = NonNeg(nl);
    // Headings, then values: bound the whole table by the bytes left.
    int64_t bytes = (c + l) * 51;
    int64_t cells = c * rr;  // fits in 63 bits
    if (cells > 0 && l > 0) {
        if (cells > int64_t(r.remaining()) / (10 * l)) r.ThrowBeyondEnd();
        bytes += cells * l * 10;
    }
    if (bytes > int64_t(r.remaining())) r.ThrowBeyondEnd();
    t.Resize(nc, nr, nl);
    t.SpareCount = spare;
    for (int64_t i = 1; i <= c; ++i) t.ColHeads[size_t(i)] = r.Short<50>();
    for (int64_t i = 1; i <= l; ++i) t.LayerHeads[size_t(i)] = r.Short<50>();
    for (int64_t k = 1; k <= l; ++k)
        for (int64_t j = 1; j <= c; ++j)
            for (int64_t i = 1; i <= rr; ++i) t.Values[size_t(k)][size_t(j)][size_t(i)] = r.Ext();
    return t;
}

void WriteStoredTable(BinWriter& w, const xyztable_rec& t) {
    w.Short(t.Title);
    w.Int32(t.ColCount);
    w.Int32(t.RowCount);
    w.Int32(t.LayerCount);
    w.Int32(t.SpareCount);
    int32_t c = NonNeg(t.ColCount), rr = NonNeg(t.RowCount), l = NonNeg(t.LayerCount);
    auto head = [](const head_rec& h, int32_t i) { return size_t(i) < h.size() ? h[size_t(i)] : Heading(); };
    for (int32_t i = 1; i <= c; ++i) w.Short(head(t.ColHeads, i));
    for (int32_t i = 1; i <= l; ++i) w.Short(head(t.LayerHeads, i));
    for (int32_t k = 1; k <= l; ++k)
        for (int32_t j = 1; j <= c; ++j)
            for (int32_t i = 1; i <= rr; ++i) {
                Extended v = 0;
                if (size_t(k) < t.Values.size() && size_t(j) < t.Values[k].size() && size_t(i) < t.Values[k][j].size())
                    v = t.Values[k][j][i];
                w.Ext(v);
            }
}

size_t StoredTableSize(const xyztable_rec& t) {
    size_t c = size_t(NonNeg(t.ColCount)), rr = size_t(NonNeg(t.RowCount)), l = size_t(NonNeg(t.LayerCount));
    return 51 + 16 + (c + l) * 51 + c * rr * l * 10;
}

}  // namespace kv
