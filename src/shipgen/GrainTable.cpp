#include "shipgen/GrainTable.h"

#include <algorithm>
#include <cmath>

#include "calc/Grain.h"
#include "calc/StabProc.h"
#include "model/kvGlobal.h"
#include "numerics/Formats.h"
#include "shipgen/GMLimits.h"
#include "shipgen/ShipDefinition.h"

namespace kv::shipgen {

namespace {

constexpr int kDeckEdgeOption = 18;

int Column(const xyztable_rec& t, const char* name) {
    for (int j = 1; j <= t.ColCount; ++j)
        if (t.ColHeads[size_t(j)].str() == name) return j;
    return -1;
}

}  // namespace

GrainCriteriaProbe::GrainCriteriaProbe(const shipinfo_rec& ship) : state_(std::make_unique<KvState>()) {
    KvState& s = *state_;
    s.ShipInfo.ShipTables = ship.ShipTables;
    s.ShipInfo.LBP = ship.LBP;
    s.ShipInfo.Breadth = ship.Breadth;
    s.ShipInfo.Depth = ship.Depth;
    s.ShipInfo.CrossCurveKG = ship.CrossCurveKG;
    s.ShipInfo.Options[kDeckEdgeOption] = ship.Options[kDeckEdgeOption];
}

GrainCriteriaProbe::~GrainCriteriaProbe() = default;

void GrainCriteriaProbe::SetPoint(double disp, double trim, double draft, double kmt) {
    KvState& s = *state_;
    calcdata_rec& c = s.CalcData;
    SetUprightProbePoint(c, disp, trim, draft);
    kmt_ = kmt;
    angleLimit_ = kGrainMaxStaticAngle;
    if (s.ShipInfo.OptionOn(kDeckEdgeOption)) {
        const double deckEdge = double(DeckImmersionAngle(s, disp, trim, 0));
        if (deckEdge < angleLimit_) angleLimit_ = deckEdge;
    }
}

void GrainCriteriaProbe::SetKG(double kgo) {
    KvState& s = *state_;
    calcdata_rec& c = s.CalcData;
    kgo_ = kgo;
    c.VCG = kgo;
    c.Stab.GMSolid = kmt_ - kgo;
    c.Stab.GoM = c.Stab.GMSolid;
    s.Tables.TableRangeExceeded = false;
    BuildGZCurve(s, c.Trim);
}

double GrainCriteriaProbe::StaticAngle(double moment) const {
    const Extended l0 = moment / double(state_->CalcData.Displacement);
    return double(GrainStaticAngle(state_->Calc.GZSpline, l0, 0.8L * l0));
}

double GrainCriteriaProbe::ResidualArea(double moment) const {
    const Extended l0 = moment / double(state_->CalcData.Displacement);
    const Extended angle = GrainStaticAngle(state_->Calc.GZSpline, l0, 0.8L * l0);
    return double(GrainResidualArea(state_->Calc.GZSpline, l0, 0.8L * l0, angle, state_->CalcData.Stab.MaxGZAngle));
}

bool GrainCriteriaProbe::Passes(double moment) const {
    if (kmt_ - kgo_ < kGrainMinGoM) return false;
    return StaticAngle(moment) <= angleLimit_ && ResidualArea(moment) >= kGrainMinResidual;
}

double GrainCriteriaProbe::MaxMoment() const {
    if (!Passes(0)) return 0;
    // Both criteria only get worse as the moment grows (the arm rises, the
    // static angle moves out and the residual area shrinks): bracket the
    // limit, then halve the bracket to a tenth of a tonne-metre.
    const double disp = double(state_->CalcData.Displacement);
    double lo = 0, hi = std::max(1.0, 0.1 * disp);
    for (int i = 0; i < 40 && Passes(hi); ++i) {
        lo = hi;
        hi *= 2;
    }
    if (Passes(hi)) return 0;  // a curve that no arm upsets: nothing to tabulate
    while (hi - lo > 0.1) {
        const double mid = 0.5 * (lo + hi);
        (Passes(mid) ? lo : hi) = mid;
    }
    return std::floor(lo);
}

xyztable_rec BuildGrainTable(const shipinfo_rec& ship, const std::vector<double>& kgColumns) {
    const xyztable_rec& hydro = ship.ShipTables.HydroTable();
    const int cDisp = Column(hydro, "DISP"), cDraft = Column(hydro, "DRAFT"), cKmt = Column(hydro, "KMT");
    xyztable_rec t;
    if (hydro.Empty() || cDisp < 0 || cDraft < 0 || cKmt < 0 || ship.ShipTables.KNTable().Empty() ||
        kgColumns.empty())
        return t;
    const int rows = hydro.RowCount, layers = std::max(1, hydro.LayerCount);
    const int cols = int(kgColumns.size()) + 1;
    t.Title.set("ALLOWABLE HEELING MOMENT(KGo)");
    t.Resize(cols, rows, layers);
    t.ColHeads[1].set("DISP");
    for (size_t k = 0; k < kgColumns.size(); ++k) t.ColHeads[k + 2].set(FormatFloat("0.0", kgColumns[k]));
    for (int l = 1; l <= layers; ++l) t.LayerHeads[size_t(l)] = hydro.LayerHeads[size_t(l)];

    GrainCriteriaProbe probe(ship);
    ForEachHydroPoint(hydro, cDisp, cDraft, cKmt, [&](const HydroPoint& p) {
        probe.SetPoint(p.disp, p.trim, p.draft, p.kmt);
        auto& v = t.Values[size_t(p.layer)];
        v[1][size_t(p.row)] = p.disp;
        for (size_t k = 0; k < kgColumns.size(); ++k) {
            probe.SetKG(kgColumns[k]);
            v[k + 2][size_t(p.row)] = probe.MaxMoment();
        }
    });
    return t;
}

std::vector<double> GrainTableKG(const nlohmann::json& compartments) {
    std::vector<double> kg;
    if (!compartments.contains("grain") || !compartments.at("grain").contains("tableKG")) return kg;
    const std::string where = "compartments.json grain";
    for (const nlohmann::json& v : Array(compartments.at("grain"), "tableKG", where)) {
        if (!v.is_number()) throw DefinitionError(where + " tableKG: numbers in metres");
        kg.push_back(v.get<double>());
    }
    if (kg.size() < 2 || std::adjacent_find(kg.begin(), kg.end(), std::greater_equal<double>()) != kg.end())
        throw DefinitionError(where + " tableKG: at least two ascending values");
    for (size_t i = 0; i < kg.size(); ++i)
        if (std::fabs(kg[i] * 10 - std::round(kg[i] * 10)) > 1e-9 || kg[i] <= 0)
            throw DefinitionError(where + " tableKG: positive values to the decimetre (the column headings)");
    return kg;
}

}  // namespace kv::shipgen
