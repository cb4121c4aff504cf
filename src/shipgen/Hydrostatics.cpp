// Upright hydrostatics: the hydrostatic table, displacement and draft, and
// the load-line table.
#include <cmath>
#include <stdexcept>

#include "numerics/Formats.h"
#include "shipgen/Builders.h"
#include "shipgen/HullTableParts.h"

namespace kv::shipgen {

std::string HeadingText(double v) {
    const double r = std::round(v * 1e4) / 1e4;
    return FloatToStr(r == 0 ? 0.0L : static_cast<Extended>(r));
}

void SetNumericLayers(xyztable_rec& t, const std::vector<double>& values) {
    for (size_t i = 0; i < values.size(); ++i) t.LayerHeads[i + 1] = Heading(HeadingText(values[i]));
}

HydroPoint HydrostaticsAt(const ImmersionModel& model, double displacement, double trim) {
    const double lbp = model.hull().Lbp();
    const double volume = displacement / kSeaWater;
    HydroPoint p;
    p.disp = displacement;
    const double c = model.SolveVolume(0, trim, volume);
    const Immersion im = model.Integrate(0, trim, c);
    p.draft = c;  // the plane's height amidships
    p.lcb = im.Lcb();
    p.vcb = im.Vcb();
    if (im.wpArea > 0 && im.volume > 0) {
        p.lcf = im.wpMx / im.wpArea;
        const double it = im.wpIyy - im.wpMy * im.wpMy / im.wpArea;
        const double il = im.wpMxx - im.wpMx * im.wpMx / im.wpArea;
        p.kmt = p.vcb + it / im.volume;
        p.tpc = im.wpArea * kSeaWater / 100;
        // Moment to change trim 1 cm, with BML standing for GML.
        p.mtc = im.volume * kSeaWater * (il / im.volume) / (100 * lbp);
    }
    double xa = 0, xf = 0;
    if (model.WaterlineEnds(trim, c, xa, xf)) p.lwl = xf - xa;
    return p;
}

xyztable_rec BuildHydrostaticTable(const ImmersionModel& model, const HullTableGrid& grid) {
    static const char* kCols[] = {"DISP", "DRAFT", "KMT", "LCB", "VCB", "LCF", "TPC", "MTC", "LWL"};
    xyztable_rec t;
    t.Title = Heading("HYDROSTATIC TABLE");
    const int nc = 9, nr = static_cast<int>(grid.displacements.size()), nl = static_cast<int>(grid.trims.size());
    t.Resize(nc, nr, nl);
    for (int j = 0; j < nc; ++j) t.ColHeads[j + 1] = Heading(kCols[j]);
    SetNumericLayers(t, grid.trims);
    for (int l = 0; l < nl; ++l) {
        for (int r = 0; r < nr; ++r) {
            const HydroPoint p = HydrostaticsAt(model, grid.displacements[r], grid.trims[l]);
            const double v[] = {p.disp, p.draft, p.kmt, p.lcb, p.vcb, p.lcf, p.tpc, p.mtc, p.lwl};
            for (int j = 0; j < nc; ++j) t.Values[l + 1][j + 1][r + 1] = v[j];
        }
    }
    return t;
}

double DisplacementAtDraft(const Hull& hull, double draftMid, double trim) {
    const ImmersionModel model(hull);
    return model.Integrate(0, trim, draftMid).volume * kSeaWater;
}

double DraftAtDisplacement(const Hull& hull, double displacement, double trim) {
    const ImmersionModel model(hull);
    return model.SolveVolume(0, trim, displacement / kSeaWater);
}

std::vector<LoadLineZone> LoadLineZones(const ImmersionModel& model, double deckLine, double summerFreeboard,
                                        const std::vector<std::string>& ruleZones) {
    // International Convention on Load Lines, regulation 40: winter and
    // tropical freeboards differ from the summer one by 1/48 of the summer
    // draft; the fresh-water allowance is displacement / (40 TPC) cm at the
    // summer load waterline.
    const double ts = deckLine - summerFreeboard;
    const double dispS = model.Integrate(0, 0, ts).volume * kSeaWater;
    const Immersion wl = model.Integrate(0, 0, ts);
    const double tpc = wl.wpArea * kSeaWater / 100;
    const double fwa = tpc > 0 ? dispS / (40 * tpc) / 100 : 0;
    std::vector<LoadLineZone> zones;
    for (const std::string& name : ruleZones) {
        LoadLineZone z;
        z.name = name;
        if (name == "SUMMER") {
            z.freeboard = summerFreeboard;
        } else if (name == "WINTER") {
            z.freeboard = summerFreeboard + ts / 48;
        } else if (name == "TROPICAL") {
            z.freeboard = summerFreeboard - ts / 48;
        } else if (name == "FRESH") {
            z.freeboard = summerFreeboard - fwa;
            z.density = 1.0;
        } else if (name == "TROPICAL FRESH") {
            z.freeboard = summerFreeboard - ts / 48 - fwa;
            z.density = 1.0;
        } else {
            throw std::runtime_error("hull: unknown load-line zone \"" + name + "\"");
        }
        zones.push_back(z);
    }
    return zones;
}

xyztable_rec BuildLoadLineTable(const ImmersionModel& model, double deckLine, const std::vector<LoadLineZone>& zones,
                                double lightWeight) {
    xyztable_rec t;
    t.Title = Heading("LOAD LINE");
    const int nl = static_cast<int>(zones.size());
    t.Resize(4, nl > 0 ? 1 : 0, nl);
    t.ColHeads[1] = Heading("FB");
    t.ColHeads[2] = Heading("DRAFT");
    t.ColHeads[3] = Heading("DWT");
    t.ColHeads[4] = Heading("DISP");
    for (int l = 0; l < nl; ++l) {
        const LoadLineZone& z = zones[l];
        t.LayerHeads[l + 1] = Heading(z.name);
        const double draft = deckLine - z.freeboard;
        const double disp = model.Integrate(0, 0, draft).volume * z.density;
        t.Values[l + 1][1][1] = z.freeboard;
        t.Values[l + 1][2][1] = draft;
        t.Values[l + 1][3][1] = disp - lightWeight;
        t.Values[l + 1][4][1] = disp;
    }
    return t;
}

}  // namespace kv::shipgen
