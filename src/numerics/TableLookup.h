// Lookup in the generic ship table: GetTableValue with its helpers, linear
// interpolation and the tolerant comparison of limit checks.
#pragma once

#include <string>
#include <string_view>

#include "model/Messages.h"
#include "numerics/Table.h"

namespace kv {

// State that every table lookup shares: the out-of-range flag (set by
// lookups asked to report, cleared by the calculation cycle) and the message
// interface for "Get Value from table error".
struct TableLookupState {
    bool TableRangeExceeded = false;
    MessageSink* Messages = nullptr;
};

// The value of column ResultName where column KeyName equals KeyValue, on the
// layer LayerKey, interpolated linearly along the key column and between
// numerically headed columns and layers. Result is 0 unless true is returned.
// With Clamp a key beyond the table is held at its end, otherwise it is
// extrapolated from the two end rows (headings: held at the last, extrapolated
// from the first two); with Report every such excursion sets
// state.TableRangeExceeded. Special forms: KeyName "MAX" or "MIN" gives the
// largest or smallest value of the result column on the layer; ResultName
// "AVG" the mean over every column but the key column. An unknown layer name
// on a table of several layers shows "Get Value from table error" and uses
// the first layer. Unknown columns, a key column without a bracket for the
// key and "AVG" without any other column give false.
bool GetTableValue(const xyztable_rec& Table, std::string ResultName, std::string KeyName, std::string LayerKey,
                   Extended KeyValue, Extended& Result, bool Clamp, bool Report, TableLookupState& state);

// A lookup of GetTableValue (without Report) whose result column, key
// column and layer have been found once, for a lookup repeated at many keys:
// GetPreparedTableValue gives exactly what GetTableValue gives for the same
// names. Not Valid when the names do not resolve to a plain lookup (unknown
// columns or layer, "MAX", "MIN", "AVG"): then use GetTableValue.
struct PreparedLookup {
    bool Valid = false;
    int j = 0, k = 0, f = 0;
    bool Clamp = false;
    bool LayerNumeric = false, ColNumeric = false;
    Extended vL = 0, vR = 0;
};
PreparedLookup PrepareTableValue(const xyztable_rec& Table, std::string ResultName, std::string KeyName,
                                 std::string LayerKey, bool Clamp);
bool GetPreparedTableValue(const xyztable_rec& Table, const PreparedLookup& p, Extended KeyValue, Extended& Result,
                           TableLookupState& state);
// Index of the heading matching Key (a name, compared without case and
// surrounding blanks, or a number bracketed by numeric headings: the lower
// heading of the bracketing pair), or -1. A numeric Key beyond the numeric
// headings gives the end heading; with Clamp Key is rewritten as the text of
// the (held) value.
int FindHeading(std::string& Key, const head_rec& Heads, bool Clamp, bool Report, TableLookupState& state);

// Row of Values[Layer][Column] at or below X (the first of the bracketing
// pair), or -1. Beyond the first row: 1; beyond the last: n, or n - 1 without
// Clamp so that the caller extrapolates from the last two rows. With Clamp X
// is held at the end value.
int FindKeyRow(Extended& X, const xyzdata_rec& Values, int32_t Column, bool Report, bool Clamp, int32_t Layer,
               TableLookupState& state);

// Y1 + (Y2 - Y1)(X - X1)/(X2 - X1); Y1 when X2 = X1. Extrapolates outside.
Extended LinInterp(Extended X, Extended X1, Extended Y1, Extended X2, Extended Y2);

// Tolerant comparison (tolerance 1e-5) for "=", ">", "<", ">=" / "=>",
// "<=" / "=<"; any other operator is never true.
bool CompareValues(std::string_view Op, Extended A, Extended B);

}  // namespace kv
