#include "shipgen/GMLimits.h"

#include <cmath>
#include <memory>

#include "calc/StabProc.h"
#include "calc/StabilityTables.h"
#include "calc/WindProc.h"
#include "model/kvGlobal.h"
#include "numerics/Formats.h"

namespace kv::shipgen {

namespace {

int Column(const xyztable_rec& t, const char* name) {
    for (int j = 1; j <= t.ColCount; ++j)
        if (t.ColHeads[size_t(j)].str() == name) return j;
    return -1;
}

// The ship's stability calculation on one upright condition at a time.
class CriteriaProbe {
public:
    explicit CriteriaProbe(const shipinfo_rec& ship) : state_(std::make_unique<KvState>()) {
        KvState& s = *state_;
        s.ShipInfo.ShipTables = ship.ShipTables;
        s.ShipInfo.LBP = ship.LBP;
        s.ShipInfo.Breadth = ship.Breadth;
        s.ShipInfo.Depth = ship.Depth;
        s.ShipInfo.BilgeKeelArea = ship.BilgeKeelArea;
        s.ShipInfo.CrossCurveKG = ship.CrossCurveKG;
        // The general criteria and the weather criterion only, without the
        // limiting curves being built and without the range verdict (every
        // point lies on a row of the tables).
        const xyztable_rec& wind = ship.ShipTables.WindTable();
        weather_ = wind.LayerCount >= 1;
        if (weather_) {
            s.ShipInfo.Options[6].Enabled = 1;
            windLayer_ = wind.LayerHeads[size_t(wind.LayerCount)].str();
        }
        s.ShipInfo.Options[21].Enabled = 1;
        s.Tables.Messages = &sink_;
        s.Messages = &sink_;
    }

    void SetPoint(double disp, double trim, double draft, double kmt) {
        calcdata_rec& c = state_->CalcData;
        SetUprightProbePoint(c, disp, trim, draft);
        kmt_ = kmt;
    }

    bool Passes(double kg) {
        KvState& s = *state_;
        calcdata_rec& c = s.CalcData;
        c.VCG = kg;
        c.Stab.GMSolid = kmt_ - kg;
        c.Stab.GoM = c.Stab.GMSolid;
        s.Tables.TableRangeExceeded = false;
        BuildGZCurve(s, c.Trim);
        if (weather_) WeatherCriterionOnLayer(s, windLayer_);
        FillCriteria(s);
        return s.Calc.JudgementFlags[StabilityOK];
    }

private:
    std::unique_ptr<KvState> state_;
    RecordingSink sink_;
    std::string windLayer_;
    bool weather_ = false;
    double kmt_ = 0;
};

// Highest KG (to the millimetre, rounded down) that passes; 0 when none does.
double MaxKG(CriteriaProbe& probe, double kmt) {
    double hi = kmt - 0.15;  // no KG above this meets the GoM criterion
    if (hi <= 0) return 0;
    if (probe.Passes(hi)) return std::floor(hi * 1000) / 1000;
    double lo = hi;
    do {
        hi = lo;
        lo = std::max(0.0, lo - 0.25);
    } while (lo > 0 && !probe.Passes(lo));
    if (lo <= 0 && !probe.Passes(0)) return 0;
    while (hi - lo > 1e-4) {
        const double mid = (lo + hi) / 2;
        (probe.Passes(mid) ? lo : hi) = mid;
    }
    return std::floor(lo * 1000) / 1000;
}

}  // namespace

void SetUprightProbePoint(calcdata_rec& c, double disp, double trim, double draft) {
    c.Displacement = c.DisplacementSW = disp;
    c.Trim = trim;
    c.DraftMean = draft;
    c.DraftAP = draft - trim / 2;
    c.DraftFP = draft + trim / 2;
    c.TCG = 0;
    c.Heel = 0;
    c.Stab.FSC = 0;
}

void ForEachHydroPoint(const xyztable_rec& hydro, int cDisp, int cDraft, int cKmt,
                       const std::function<void(const HydroPoint&)>& fn) {
    const int layers = std::max(1, hydro.LayerCount);
    for (int l = 1; l <= layers; ++l) {
        Extended trim = 0;
        TryTextToFloat(hydro.LayerHeads[size_t(l)].str(), trim);
        const auto& v = hydro.Values[size_t(l)];
        for (int r = 1; r <= hydro.RowCount; ++r)
            fn({l, r, double(trim), double(v[size_t(cDisp)][size_t(r)]), double(v[size_t(cDraft)][size_t(r)]),
                double(v[size_t(cKmt)][size_t(r)])});
    }
}

xyztable_rec BuildGMLimitTable(const shipinfo_rec& ship) {
    const xyztable_rec& hydro = ship.ShipTables.HydroTable();
    const int cDisp = Column(hydro, "DISP"), cDraft = Column(hydro, "DRAFT"), cKmt = Column(hydro, "KMT");
    xyztable_rec t;
    if (hydro.Empty() || cDisp < 0 || cDraft < 0 || cKmt < 0 || ship.ShipTables.KNTable().Empty()) return t;
    const int rows = hydro.RowCount, layers = std::max(1, hydro.LayerCount);
    t.Title.set("LIMITING GM/KG");
    t.Resize(3, rows, layers);
    t.ColHeads[1].set("DISP");
    t.ColHeads[2].set("MINGM");
    t.ColHeads[3].set("MAXKG");
    for (int l = 1; l <= layers; ++l) t.LayerHeads[size_t(l)] = hydro.LayerHeads[size_t(l)];

    CriteriaProbe probe(ship);
    ForEachHydroPoint(hydro, cDisp, cDraft, cKmt, [&](const HydroPoint& p) {
        probe.SetPoint(p.disp, p.trim, p.draft, p.kmt);
        const double maxKg = MaxKG(probe, p.kmt);
        auto& v = t.Values[size_t(p.layer)];
        v[1][size_t(p.row)] = p.disp;
        v[2][size_t(p.row)] = std::round((p.kmt - maxKg) * 1000) / 1000;
        v[3][size_t(p.row)] = maxKg;
    });
    return t;
}

}  // namespace kv::shipgen
