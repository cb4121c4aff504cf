#include "calc/HydroTableDialogLogic.h"

#include <algorithm>
#include <cmath>

#include "calc/FloatingPosition.h"
#include "model/ShipConventions.h"
#include "numerics/Formats.h"

namespace kv {

namespace {

bool IsLongitudinal(const std::string& name) { return name == "LCB" || name == "LCF"; }

std::string Shown(const shipinfo_rec& ship, const std::string& name, Extended v) {
    return FormatFloat("0.000", IsLongitudinal(name) ? ToDisplayLong(ship, v) : v);
}

int LayerCount(const xyztable_rec& t) { return std::min<int>(t.LayerCount, int(t.LayerHeads.size()) - 1); }
int ColCount(const xyztable_rec& t) { return std::min<int>(t.ColCount, int(t.ColHeads.size()) - 1); }

}  // namespace

HydroDialogLists HydroDialogCreate(const shipinfo_rec& ship) {
    const xyztable_rec& t = ship.ShipTables.HydroTable();
    HydroDialogLists l;
    const int layers = LayerCount(t);
    if (layers >= 2) {
        for (int i = 1; i <= layers; ++i) {
            Extended v = 0;
            const std::string h = t.LayerHeads[size_t(i)].str();
            l.TrimItems.push_back(TryTextToFloat(h, v) ? FormatFloat("0.000", ToDisplayTrim(ship, v)) : h);
        }
        l.TrimEnabled = true;
    } else if (layers == 1) {
        l.TrimItems.push_back(t.LayerHeads[1].str());
    }
    for (int c = 1; c <= ColCount(t); ++c) l.Items.push_back(t.ColHeads[size_t(c)].str());
    l.ItemEnabled = !l.Items.empty();
    if (l.Items.size() >= 2) l.ItemIndex = 1;
    else if (!l.Items.empty()) l.ItemIndex = 0;
    return l;
}

std::vector<HydroDialogValue> HydroDialogCalc(const shipinfo_rec& ship, const HydroDialogInput& in,
                                              TableLookupState& tables) {
    const xyztable_rec& t = ship.ShipTables.HydroTable();
    const Extended trim = ToDisplayTrim(ship, in.Trim);  // the sign is its own inverse
    const std::string key = in.ByDraft ? "DRAFT" : "DISP";
    const Extended keyValue = in.ByDraft ? in.Draft : in.Disp;
    const std::string layer = TrimLayerKey(t, trim);
    std::vector<HydroDialogValue> out;
    for (int c = 1; c <= ColCount(t); ++c) {
        HydroDialogValue v;
        v.Name = t.ColHeads[size_t(c)].str();
        if (!GetTableValue(t, v.Name, key, layer, keyValue, v.Value, true, true, tables) || !std::isfinite(v.Value))
            v.Value = 0;
        v.Shown = Shown(ship, v.Name, v.Value);
        out.push_back(std::move(v));
    }
    return out;
}

std::vector<std::vector<std::string>> HydroDialogGrid(const shipinfo_rec& ship, int layerIndex,
                                                      const std::vector<HydroDialogValue>& results) {
    const xyztable_rec& t = ship.ShipTables.HydroTable();
    const int cols = ColCount(t);
    std::vector<std::vector<std::string>> g;
    std::vector<std::string> head{"No"};
    for (int c = 1; c <= cols; ++c) head.push_back(t.ColHeads[size_t(c)].str());
    g.push_back(head);
    const bool layerOk = layerIndex >= 1 && layerIndex <= LayerCount(t) && size_t(layerIndex) < t.Values.size();
    if (layerOk) {
        const auto& layer = t.Values[size_t(layerIndex)];
        for (int r = 1; r <= t.RowCount; ++r) {
            std::vector<std::string> row{std::to_string(r)};
            for (int c = 1; c <= cols; ++c) {
                const bool have = size_t(c) < layer.size() && size_t(r) < layer[size_t(c)].size();
                row.push_back(have ? Shown(ship, head[size_t(c)], layer[size_t(c)][size_t(r)]) : std::string());
            }
            g.push_back(std::move(row));
        }
    }
    std::vector<std::string> last{"Result"};
    for (int c = 1; c <= cols; ++c) last.push_back(size_t(c) <= results.size() ? results[size_t(c - 1)].Shown : "");
    g.push_back(std::move(last));
    return g;
}

HydroCurve HydroDialogCurve(const shipinfo_rec& ship, const std::string& item, int layerIndex,
                            TableLookupState& tables) {
    const xyztable_rec& t = ship.ShipTables.HydroTable();
    HydroCurve h;
    h.Caption = "Hydrostatic Curves [" + item + "]";
    h.MaxCaption = "Maximum Values of " + item;
    int col = -1;
    for (int c = 1; c <= ColCount(t); ++c)
        if (t.ColHeads[size_t(c)].str() == item) col = c;
    if (col < 0 || layerIndex < 1 || layerIndex > LayerCount(t) || size_t(layerIndex) >= t.Values.size()) return h;
    const std::string layer = t.LayerHeads[size_t(layerIndex)].str();
    GetTableValue(t, item, "MAX", layer, 0, h.Max, true, false, tables);
    GetTableValue(t, item, "MIN", layer, 0, h.Min, true, false, tables);
    const auto& values = t.Values[size_t(layerIndex)];
    if (values.size() <= size_t(col)) return h;
    for (int r = 1; r <= t.RowCount && size_t(r) < values[1].size() && size_t(r) < values[size_t(col)].size(); ++r)
        h.Points.emplace_back(values[1][size_t(r)], values[size_t(col)][size_t(r)]);
    return h;
}

}  // namespace kv
