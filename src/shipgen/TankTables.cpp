#include "shipgen/TankTables.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "shipgen/ShipDefinition.h"

namespace kv::shipgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Grain surface shift angles of the International Grain Code: 25 degrees in a
// partly filled compartment, 15 degrees for the void of a filled one.
const double kTanSlack = std::tan(25.0 * kPi / 180.0);
const double kTanFull = std::tan(15.0 * kPi / 180.0);

// A table of one layer with the given column headings and rows.
xyztable_rec MakeTable(const std::string& title, const std::vector<std::string>& cols,
                       const std::vector<std::vector<double>>& values) {
    xyztable_rec t;
    size_t rows = values.empty() ? 0 : values[0].size();
    t.Resize(int32_t(cols.size()), int32_t(rows), 1);
    t.Title = ShortString<50>(title);
    for (size_t c = 0; c < cols.size(); ++c) t.ColHeads[c + 1] = Heading(cols[c]);
    for (size_t c = 0; c < cols.size(); ++c)
        for (size_t r = 0; r < rows; ++r) t.Values[1][c + 1][r + 1] = values[c][r];
    return t;
}

// Inverse of the piecewise linear map xs -> vs (vs ascending), clamped to the
// ends: the key at which the table reads the value v.
double Invert(const std::vector<double>& xs, const std::vector<double>& vs, double v) {
    if (v <= vs.front()) return xs.front();
    if (v >= vs.back()) return xs.back();
    size_t i = size_t(std::upper_bound(vs.begin(), vs.end(), v) - vs.begin());
    double v1 = vs[i - 1], v2 = vs[i];
    return xs[i - 1] + (xs[i] - xs[i - 1]) * (v - v1) / (v2 - v1);
}

// Same for a map whose values descend as the key ascends (volume by ullage).
double InvertDescending(const std::vector<double>& xs, const std::vector<double>& vs, double v) {
    std::vector<double> rx(xs.rbegin(), xs.rend()), rv(vs.rbegin(), vs.rend());
    return Invert(rx, rv, v);
}

double Round(double v, double unit) { return std::round(v / unit) * unit; }

// Writes the named fields into the raw fixed part as well, so that the record
// is complete whichever of the two a writer starts from.
void SyncFixed(tank_rec& t) {
    uint8_t* f = t.Fixed.data();
    PutShort(f, 4, t.TankName);
    PutExt(f, 56, t.TopZ);
    PutExt(f, 72, t.BottomZ);
    PutExt(f, 136, t.AftEnd);
    PutExt(f, 152, t.ForeEnd);
    PutExt(f, 168, t.TransY1);
    PutExt(f, 184, t.TransY2);
    PutExt(f, 216, t.MaxSeqWeight);
    PutExt(f, 232, t.MaxPumpRate);
    PutExt(f, 248, t.MaxVolume);
    PutExt(f, 264, t.MaxLevel);
    PutExt(f, 280, t.MaxFSM);
    PutExt(f, 296, t.DefaultSG);
    PutExt(f, 312, t.MaxGSM);
    PutExt(f, 328, t.TrimmedVolume);
    PutExt(f, 344, t.UntrimmedVolume);
    PutExt(f, 360, t.FullGSM1);
    PutExt(f, 376, t.FullGSM2);
    PutExt(f, 392, t.GrainVCG1);
    PutExt(f, 408, t.GrainVCG2);
    for (size_t i = 0; i < 3; ++i) PutExt(f, 424 + 10 * i, t.SFFactors[i]);
    PutExt(f, 488, t.DBMaxVolume);
    PutExt(f, 504, t.SlackFactor);
    PutExt(f, 520, t.FSMReduction);
}

void FillExtents(tank_rec& t, const TankShape& s, const Compartment& c) {
    t.TankName = ShortString<50>(c.name);
    t.TopZ = Round(s.ZMax(), 1e-4);
    t.BottomZ = Round(s.ZMin(), 1e-4);
    t.AftEnd = Round(s.XMin(), 1e-4);
    t.ForeEnd = Round(s.XMax(), 1e-4);
    t.TransY1 = Round(s.YMax(), 1e-4);
    t.TransY2 = Round(s.YMin(), 1e-4);
}

}  // namespace

std::string TankHeading(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    std::string s = buf;
    return s == "-0.0" ? "0.0" : s;
}

std::vector<double> LevelRows(double height) {
    const double steps[] = {0.05, 0.1, 0.2, 0.25, 0.5, 1.0};
    double step = 1.0;
    for (double s : steps)
        if (height / s <= 60) { step = s; break; }
    std::vector<double> rows;
    for (int k = 0; k * step < height - 0.3 * step; ++k) rows.push_back(k * step);
    rows.push_back(height);
    return rows;
}

tank_rec BuildTankRecord(const TankShape& shape, const Compartment& c, const TankTableSettings& s) {
    tank_rec t;
    FillExtents(t, shape, c);
    const bool hold = c.group == 1;
    const double zRef = double(t.BottomZ), height = double(t.TopZ - t.BottomZ);
    const double eps = std::min(0.005, height / 100);
    const std::vector<double> levels = LevelRows(height);
    const size_t n = levels.size();

    // Base table by level.
    std::vector<double> vol(n), lcg(n), tcg(n), vcg(n), fsm(n);
    for (size_t i = 0; i < n; ++i) {
        double z = zRef + levels[i];
        double zc = std::clamp(z, zRef + eps, zRef + height - eps);
        TankShape::Fill f = shape.BelowLevel(i == 0 ? zRef + eps : z);
        vol[i] = i == 0 ? 0.0 : f.volume;
        lcg[i] = f.lcg; tcg[i] = f.tcg; vcg[i] = f.vcg;
        fsm[i] = shape.SurfaceInertia(zc);
        if (i > 0 && !(vol[i] > vol[i - 1]))
            throw DefinitionError("\"" + c.name + "\": the volume does not grow between levels " +
                                  std::to_string(levels[i - 1]) + " and " + std::to_string(levels[i]) +
                                  " m (a gap between its parts?)");
    }
    t.TkTables[TkBase] = MakeTable(c.name, {"LEVEL", "VOLUME", "LCG", "TCG", "VCG", "FSM"},
                                   {levels, vol, lcg, tcg, vcg, fsm});
    t.MaxVolume = vol.back();
    t.MaxLevel = height;
    t.MaxFSM = *std::max_element(fsm.begin(), fsm.end());
    t.DefaultSG = c.sg;
    t.MaxPumpRate = c.pumpRate;
    t.MaxSeqWeight = vol.back() * c.sg;
    t.FSMReduction = c.fsmReduction;
    t.DBMaxVolume = c.underHold;

    // Contents below the free surface through the reading point at level h.
    double px = c.pipeX, py = c.pipeY;
    if (!c.hasPipe) py = shape.SoundingPoint(px).y;
    auto inclined = [&](double h, double trim, double heelDeg) {
        return shape.Below(zRef + h, px, py, trim / s.lbp, std::tan(heelDeg * kPi / 180.0)).volume;
    };
    std::vector<std::string> trimCols, heelCols;
    for (double tr : s.trims) trimCols.push_back(TankHeading(tr));
    for (double he : s.heels) heelCols.push_back(TankHeading(he));

    if (!hold) {
        // Volume by sounding per trim; corrections (mm) that bring a sounding
        // taken at trim or heel to the even-keel sounding of the same volume.
        std::vector<std::vector<double>> vt{levels, vol}, ct{levels}, ch{levels};
        for (double tr : s.trims) {
            std::vector<double> v(n), corr(n);
            for (size_t i = 0; i < n; ++i) {
                v[i] = inclined(levels[i], tr, 0);
                corr[i] = (Invert(levels, vol, v[i]) - levels[i]) * 1000.0;
            }
            vt.push_back(v);
            ct.push_back(corr);
        }
        for (double he : s.heels) {
            std::vector<double> corr(n);
            for (size_t i = 0; i < n; ++i)
                corr[i] = (Invert(levels, vol, inclined(levels[i], 0, he)) - levels[i]) * 1000.0;
            ch.push_back(corr);
        }
        std::vector<std::string> cols{"SOUND", "VOLUME"};
        cols.insert(cols.end(), trimCols.begin(), trimCols.end());
        t.TkTables[TkSoundTrim] = MakeTable("SOUNDING BY TRIM", cols, vt);
        cols = {"SOUND"};
        cols.insert(cols.end(), trimCols.begin(), trimCols.end());
        t.TkTables[TkSoundCorr] = MakeTable("SOUNDING CORRECTION BY TRIM (MM)", cols, ct);
        cols = {"SOUND"};
        cols.insert(cols.end(), heelCols.begin(), heelCols.end());
        t.TkTables[TkSoundHeel] = MakeTable("SOUNDING CORRECTION BY HEEL (MM)", cols, ch);
        SyncFixed(t);
        return t;
    }

    // Holds: the same by ullage from the reading point.
    std::vector<double> ull = levels;  // ullage rows 0 .. height
    std::vector<double> vEven(n), gVcg(n), gsm(n);
    for (size_t i = 0; i < n; ++i) {
        double h = height - ull[i];
        TankShape::Fill f = shape.BelowLevel(zRef + std::max(h, eps));
        vEven[i] = ull[i] >= height ? 0.0 : f.volume;
        gVcg[i] = f.vcg;
        gsm[i] = kTanSlack * shape.SurfaceInertia(std::clamp(zRef + h, zRef + eps, zRef + height - eps));
    }
    std::vector<std::vector<double>> vt{ull, vEven}, ct{ull}, ch{ull};
    for (double tr : s.trims) {
        std::vector<double> v(n), corr(n);
        for (size_t i = 0; i < n; ++i) {
            v[i] = inclined(height - ull[i], tr, 0);
            corr[i] = (InvertDescending(ull, vEven, v[i]) - ull[i]) * 1000.0;
        }
        vt.push_back(v);
        ct.push_back(corr);
    }
    for (double he : s.heels) {
        std::vector<double> corr(n);
        for (size_t i = 0; i < n; ++i)
            corr[i] = (InvertDescending(ull, vEven, inclined(height - ull[i], 0, he)) - ull[i]) * 1000.0;
        ch.push_back(corr);
    }
    std::vector<std::string> cols{"ULLAGE", "VOLUME"};
    cols.insert(cols.end(), trimCols.begin(), trimCols.end());
    t.TkTables[TkUllageTrim] = MakeTable("ULLAGE BY TRIM", cols, vt);
    cols = {"ULLAGE"};
    cols.insert(cols.end(), trimCols.begin(), trimCols.end());
    t.TkTables[TkUllageCorr] = MakeTable("ULLAGE CORRECTION BY TRIM (MM)", cols, ct);
    cols = {"ULLAGE"};
    cols.insert(cols.end(), heelCols.begin(), heelCols.end());
    t.TkTables[TkUllageHeel] = MakeTable("ULLAGE CORRECTION BY HEEL (MM)", cols, ch);

    // Grain: the slack surface shifts 25 degrees; a filled hold keeps a void
    // layer under the hatch cover that shifts 15 degrees.
    t.OptTables[0] = MakeTable("GRAIN", {"ULLAGE", "VOLUME", "VCG", "GSM"}, {ull, vEven, gVcg, gsm});
    t.MaxGSM = *std::max_element(gsm.begin(), gsm.end());
    double top = zRef + height;
    TankShape::Fill trimmed = shape.BelowLevel(top - c.grain.trimmedVoid);
    TankShape::Fill untrimmed = shape.BelowLevel(top - c.grain.untrimmedVoid);
    t.TrimmedVolume = trimmed.volume;
    t.UntrimmedVolume = untrimmed.volume;
    t.GrainVCG1 = trimmed.vcg;
    t.GrainVCG2 = untrimmed.vcg;
    t.FullGSM1 = kTanFull * shape.SurfaceInertia(top - c.grain.trimmedVoid);
    t.FullGSM2 = kTanFull * shape.SurfaceInertia(top - c.grain.untrimmedVoid);
    t.SlackFactor = c.grain.slackFactor;
    for (size_t i = 0; i < 3; ++i) t.SFFactors[i] = c.sfFactors[i];
    SyncFixed(t);
    return t;
}

tank_rec BuildBaleRecord(const TankShape& shape, const Compartment& c) {
    tank_rec t;
    FillExtents(t, shape, c);
    t.MaxVolume = shape.BelowLevel(shape.ZMax() + 1.0).volume;
    t.MaxLevel = t.TopZ - t.BottomZ;
    SyncFixed(t);
    return t;
}

tank_rec BuildConstantRecord(const Compartment& c) {
    tank_rec t;
    t.TankName = ShortString<50>(c.name);
    t.AftEnd = c.constAftX;
    t.ForeEnd = c.constForeX;
    SyncFixed(t);
    return t;
}

TankGroupBuild BuildTankGroups(const Hull& hull, const Arrangement& a, double lbp) {
    TankGroupBuild out;
    TankTableSettings s{lbp, a.trims, a.heels};
    for (size_t g = 0; g < 9; ++g) {
        grinfo_rec& gr = out.groups.Groups[g];
        gr.GroupIndex = int32_t(g);
        gr.GroupName = ShortString<50>(a.groupNames[g]);
        for (size_t i = 0; i < a.groups[g].size(); ++i) {
            const Compartment& c = a.groups[g][i];
            if (g == 8) {
                gr.Tanks.push_back(BuildConstantRecord(c));
                continue;
            }
            TankShape shape(hull, c);
            gr.Tanks.push_back(g == 0 ? BuildBaleRecord(shape, c) : BuildTankRecord(shape, c, s));
            if (g == 0) out.holdFloorAreas.push_back(shape.SurfaceArea(shape.ZMin() + 0.01));
            CompartmentOutline o;
            o.group = int(g);
            o.item = int(i);
            o.name = c.name;
            o.aftX = shape.XMin(); o.foreX = shape.XMax();
            o.y1 = shape.YMax(); o.y2 = shape.YMin();
            o.zBottom = shape.ZMin(); o.zTop = shape.ZMax();
            out.outlines.push_back(o);
        }
        gr.TankCount = int32_t(gr.Tanks.size());
    }
    return out;
}

}  // namespace kv::shipgen
