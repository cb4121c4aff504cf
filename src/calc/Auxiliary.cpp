#include "calc/Auxiliary.h"

#include <algorithm>
#include <cmath>

#include "model/ShipConventions.h"
#include "numerics/Formats.h"

namespace kv {

namespace {

Extended PerLength(Extended v, Extended lbp) { return lbp > 0 ? v / lbp : 0; }

Extended LengthFactor(const UnitState& u) { return u.Length() != 0 ? u.Length() : 1; }

std::string LengthText(const KvState& st, const char* fmt, Extended metres) {
    return FormatFloat(fmt, metres * LengthFactor(st.Units)) + " " + st.Units.UnitNames[UnitLength];
}

// Distance forward of the fore end at which the line from (x1, z1) over
// (x2, z2) meets the water; false when it never comes down to it ahead.
bool SightDistance(Extended x1, Extended z1, Extended x2, Extended z2, Extended t, Extended lbp, Extended draftMean,
                   Extended trim, Extended v, Extended& L) {
    if (x2 - x1 == 0) return false;
    const Extended s = -(z2 - z1) / (x2 - x1);
    // A line parallel to the water never meets it either.
    if (s + t <= 0) return false;
    L = (z2 + s * (x2 - lbp) - draftMean - trim / 2) / (s + t) - v;
    return std::isfinite(L);
}

}  // namespace

Extended PropellerImmersion(const shipinfo_rec& ship, Extended draftAP, Extended trim, Extended previous) {
    const Extended D = ship.PropDiameter, h = ship.PropShaftHeight;
    if (D == 0) return previous;
    switch (ship.PropImmMethod) {
        case 0: return (draftAP - h) / D * 100;
        case 1: return (draftAP - (h - D / 2)) / D * 100;
        case 2: return (draftAP + ship.PropX * PerLength(trim, ship.LBP) - (h - D / 2)) / D * 100;
        default: return previous;
    }
}

Extended CalcBlindDistance(const KvState& state) {
    const shipinfo_rec& ship = state.ShipInfo;
    const calcdata_rec& c = state.CalcData;
    const Extended x1 = ship.VisibilityPoints[0].X, z1 = ship.VisibilityPoints[0].Y;
    const Extended x2 = ship.VisibilityPoints[1].X, z2 = ship.VisibilityPoints[1].Y;
    const Extended lbp = ship.LBP;
    const Extended t = PerLength(c.Trim, lbp);
    const Extended v = ship.ForeEndX - lbp;
    Extended L = 0;
    if (!SightDistance(x1, z1, x2, z2, t, lbp, c.DraftMean, c.Trim, v, L)) return -1;
    for (const auto& bay : state.LoadData.BayLists)
        for (const container_rec& k : bay) {
            if (k.section == 1 || !(k.fwd_x - x1 > 0)) continue;
            Extended Lk = 0;
            if (!SightDistance(x1, z1, k.fwd_x, k.top_z, t, lbp, c.DraftMean, c.Trim, v, Lk)) return -1;
            if (Lk > L) L = Lk;
        }
    // A line all but parallel to the water meets it beyond any distance
    // that single precision holds: none to show either.
    if (!(std::fabs(L) < 1e30L)) return -1;
    return static_cast<float>(L);
}

Extended AirDraft(Extended draftAP, Extended trim, Extended lbp, Extended x, Extended z) {
    return z - (draftAP + x * PerLength(trim, lbp));
}

std::vector<AuxPanel> PropImmPanels(const KvState& st) {
    const shipinfo_rec& s = st.ShipInfo;
    const Extended D = s.PropDiameter, h = s.PropShaftHeight;
    return {
        {"Propeller diameter", LengthText(st, "0.000", D)},
        {"Distance from keel to Prop. CL", LengthText(st, "0.000", h)},
        {"Distance from keel to prop. 0% immerged", LengthText(st, "0.000", h - D / 2)},
        {"Distance from keel to prop.100% immerged", LengthText(st, "0.000", h + D / 2)},
        {"Actual Immersion % ", FormatFloat("0.0", st.CalcData.PropImmersion)},
    };
}

std::vector<AuxPanel> AirDraftPanels(const KvState& st, Extended distX, Extended heightY) {
    const calcdata_rec& c = st.CalcData;
    const Extended f = LengthFactor(st.Units);
    const Extended air = AirDraft(c.DraftAP, c.Trim, st.ShipInfo.LBP, distX / f, heightY / f);
    return {
        {"Draft at AP", LengthText(st, "0.000", c.DraftAP)},
        {"Trim", LengthText(st, "0.000", ToDisplayTrim(st.ShipInfo, c.Trim))},
        {"Air Draft", LengthText(st, "0.000", air)},
    };
}

VisibilityLimits BlindDistanceLimits(const shipinfo_rec& ship) {
    VisibilityLimits l;
    l.PanamaFullLoad = std::min<Extended>(250, ship.LOA);
    l.PanamaBallast = std::min<Extended>(375, 1.5L * ship.LOA);
    l.Imo = std::min<Extended>(500, 2 * ship.LOA);
    return l;
}

std::vector<AuxPanel> VisibilityPanels(const KvState& st) {
    const shipinfo_rec& s = st.ShipInfo;
    const calcdata_rec& c = st.CalcData;
    const VisibilityLimits l = BlindDistanceLimits(s);
    const Extended vis = c.Visibility;
    return {
        {"Distance from AP to the sight point", LengthText(st, "0.000", s.VisibilityPoints[0].X)},
        {"Height above BL to the sight point", LengthText(st, "0.000", s.VisibilityPoints[0].Y)},
        {"Draft at AP", LengthText(st, "0.000", c.DraftAP)},
        {"Trim", LengthText(st, "0.000", ToDisplayTrim(s, c.Trim))},
        {"PANAMA full load limit", LengthText(st, "0", l.PanamaFullLoad), vis > l.PanamaFullLoad},
        {"PANAMA ballast limit", LengthText(st, "0", l.PanamaBallast), vis > l.PanamaBallast},
        {"IMO requirement", LengthText(st, "0", l.Imo), vis > l.Imo},
        {"Blind distance", vis > 0 ? LengthText(st, "0.00", vis) : std::string("---")},
    };
}

std::vector<StatusSpan> InvisibleLengthLine(const KvState& st) {
    const Extended vis = st.CalcData.Visibility;
    if (!(vis > 0)) return {{"Invisible Length : ---", true}};
    std::vector<StatusSpan> line{
        {FormatC("Invisible Length : %8.2f", vis * LengthFactor(st.Units)) + st.Units.UnitNames[UnitLength], false}};
    const VisibilityLimits l = BlindDistanceLimits(st.ShipInfo);
    if (vis > l.PanamaFullLoad) line.push_back({" [PANAMA fullload]", true});
    if (vis > l.PanamaBallast) line.push_back({" [PANAMA ballast]", true});
    if (vis > l.Imo) line.push_back({" [IMO]", true});
    return line;
}

std::string PropImmersionLine(const KvState& st) {
    return FormatC(" Propeller Immersion : %8.3f", st.CalcData.PropImmersion) + "%";
}

SightLine LineOfSight(const KvState& st) {
    const shipinfo_rec& s = st.ShipInfo;
    const calcdata_rec& c = st.CalcData;
    SightLine l;
    if (!(c.Visibility >= 0)) return l;
    l.Visible = true;
    l.X1 = s.VisibilityPoints[0].X;
    l.Z1 = s.VisibilityPoints[0].Y;
    l.X2 = s.ForeEndX + c.Visibility;
    l.Z2 = c.DraftAP + c.Trim * PerLength(l.X2, s.LBP);
    return l;
}

}  // namespace kv
