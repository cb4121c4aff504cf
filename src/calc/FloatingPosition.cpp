#include "calc/FloatingPosition.h"

#include <algorithm>
#include <cmath>

#include "numerics/Formats.h"

namespace kv {

namespace {

constexpr Extended kFootTolerance = 1e-9;  // metres

// trim / lbp, or 0 for a ship without a length (no slope can be known).
Extended PerLength(Extended v, Extended lbp) { return lbp > 0 ? v / lbp : 0; }

// Distance from the origin (aft perpendicular, base line) to the foot of the
// point (x, z) on a waterline of slope s.
Extended FootDistance(Extended x, Extended z, Extended s) { return std::fabs(x + z * s) / std::sqrt(1 + s * s); }

Extended Lookup(const xyztable_rec& t, const char* name, const std::string& layer, Extended disp, bool clamp,
                TableLookupState& tables) {
    Extended v = 0;
    if (!GetTableValue(t, name, "DISP", layer, disp, v, clamp, true, tables)) return 0;
    return std::isfinite(v) ? v : 0;
}

}  // namespace

std::string TrimLayerKey(const xyztable_rec& table, Extended trim) {
    if (table.LayerCount < 2)
        return table.LayerCount == 1 && table.LayerHeads.size() > 1 ? table.LayerHeads[1].str() : std::string();
    return FloatToStr(trim);
}

bool FindEquilibriumTrim(const xyztable_rec& hydro, Extended lbp, Extended displacement, Extended lcg,
                         Extended vcg, Extended& trim, TableLookupState& tables) {
    if (lbp <= 0) return false;
    const int layers = std::min<int>(hydro.LayerCount, int(hydro.LayerHeads.size()) - 1);
    for (int i = 1; i + 1 <= layers; ++i) {
        Extended t1 = 0, t2 = 0;
        const std::string h1 = hydro.LayerHeads[size_t(i)].str(), h2 = hydro.LayerHeads[size_t(i + 1)].str();
        if (!TryTextToFloat(h1, t1) || !TryTextToFloat(h2, t2)) continue;
        const Extended s1 = std::tan(t1 / lbp), s2 = std::tan(t2 / lbp);
        const Extended lcb1 = Lookup(hydro, "LCB", h1, displacement, true, tables);
        const Extended vcb1 = Lookup(hydro, "VCB", h1, displacement, true, tables);
        const Extended lcb2 = Lookup(hydro, "LCB", h2, displacement, true, tables);
        const Extended vcb2 = Lookup(hydro, "VCB", h2, displacement, true, tables);
        const Extended dG1 = FootDistance(lcg, vcg, s1), dB1 = FootDistance(lcb1, vcb1, s1);
        const Extended dG2 = FootDistance(lcg, vcg, s2), dB2 = FootDistance(lcb2, vcb2, s2);
        // A hair of tolerance, so that G on the normal through B at an end
        // layer is not lost to the rounding of the feet.
        const Extended eps = kFootTolerance;
        if (std::min(dG1, dG2) >= std::min(dB1, dB2) - eps && std::max(dG1, dG2) <= std::max(dB1, dB2) + eps) {
            const Extended f1 = std::fabs(dG1 - dB1), f2 = std::fabs(dG2 - dB2);
            // Both zero: G stands on the normal through B at both trims (two
            // equal headings); the first trim is the answer.
            const Extended w = f1 + f2 > 0 ? f1 / (f1 + f2) : 0;
            trim = t1 + (t2 - t1) * w;
            return true;
        }
    }
    return false;
}

void ReadHydrostatics(const xyztable_rec& hydro, Extended lbp, calcdata_rec& r, Extended displacement, Extended trim,
                      TableLookupState& tables) {
    const std::string layer = TrimLayerKey(hydro, trim);
    r.DraftMean = Lookup(hydro, "DRAFT", layer, displacement, false, tables);
    r.KMT = Lookup(hydro, "KMT", layer, displacement, false, tables);
    r.LCB = Lookup(hydro, "LCB", layer, displacement, false, tables);
    r.VCB = Lookup(hydro, "VCB", layer, displacement, false, tables);
    r.LCF = Lookup(hydro, "LCF", layer, displacement, false, tables);
    r.TPC = Lookup(hydro, "TPC", layer, displacement, false, tables);
    r.MTC = Lookup(hydro, "MTC", layer, displacement, false, tables);
    // The tabulated draft is the draft amidships.
    r.DraftAtLCF = (r.LCF - lbp / 2) * PerLength(trim, lbp) + r.DraftMean;
}

Extended MarkDraftReading(const std::array<double, 3>& mark, Extended referenceDraft, Extended trim, Extended lbp,
                          Extended offset) {
    Extended x = mark[0];
    if (mark[2] > 0 && referenceDraft > mark[2]) x = mark[1];
    return referenceDraft + x * PerLength(trim, lbp) + offset;
}

void FloatingPosition(KvState& state) { FloatingPosition(state, state.CalcData); }

void FloatingPosition(KvState& state, calcdata_rec& c) {
    const shipinfo_rec& ship = state.ShipInfo;
    const xyztable_rec& hydro = ship.ShipTables.HydroTable();
    const Extended lbp = ship.LBP;
    Extended trim = c.Trim;
    if (FindEquilibriumTrim(hydro, lbp, c.DisplacementSW, c.LCG, c.VCG, trim, state.Tables)) {
        c.Trim = trim;
        ReadHydrostatics(hydro, lbp, c, c.DisplacementSW, trim, state.Tables);
    } else {
        // Outside the trim layers (or a single layer): the trim follows from
        // the moment to change trim at zero-trim hydrostatics. Without a
        // moment to change trim no trim can be derived and the ship is
        // taken as floating on an even keel.
        ReadHydrostatics(hydro, lbp, c, c.DisplacementSW, 0, state.Tables);
        c.Trim = c.MTC != 0 ? (c.LCG - c.LCB) * c.Displacement / (100 * c.MTC) : 0;
        if (!std::isfinite(c.Trim)) c.Trim = 0;
    }
    // The waterline turns about the centre of flotation, where the draft is
    // the one read from the table, so the displacement is kept.
    c.DraftAP = c.DraftAtLCF - c.LCF * PerLength(c.Trim, lbp);
    c.DraftFP = c.DraftAP + c.Trim;
    c.DraftMean = (c.DraftAP + c.DraftFP) / 2;
    const Extended offset = ship.MarkDraftOffset;
    c.MarkDraftAft = MarkDraftReading(ship.DraftMarks[0], c.DraftAP, c.Trim, lbp, offset);
    c.MarkDraftMid = MarkDraftReading(ship.DraftMarks[1], c.DraftMean, c.Trim, lbp, offset);
    c.MarkDraftFwd = MarkDraftReading(ship.DraftMarks[2], c.DraftFP, c.Trim, lbp, offset);
}

}  // namespace kv
