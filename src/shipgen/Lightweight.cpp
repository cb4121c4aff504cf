#include "shipgen/Lightweight.h"

#include <cmath>

namespace kv::shipgen {

using nlohmann::json;

void TrapezoidOrdinates(double w, double g, double a, double f, double& qa, double& qf) {
    double L = f - a;
    qf = 2 * w * (3 * (g - a) - L) / (L * L);
    qa = 2 * w / L - qf;
}

namespace {

double Round3(double v) { return std::round(v * 1000.0) / 1000.0; }

// A position as a whole frame plus an offset in metres (three decimals), and
// the position the strength calculation reads back from them.
void ToFrame(const std::vector<FramePos>& frames, double x, int& frame, double& offset, double& back) {
    frame = int(std::floor(XToFrame(frames, x) + 1e-9));
    double fx = std::round(FrameToX(frames, frame) * 1000.0) / 1000.0;  // the table holds millimetres
    offset = Round3(x - fx);
    back = Round3(fx + offset);
}

}  // namespace

Lightship BuildLightship(const json& j, const std::vector<FramePos>& frames) {
    const std::string file = "lightweight.json";
    Lightship ls;
    double mx = 0, my = 0, mz = 0;
    for (const json& it : Array(j, "items", file)) {
        LightItem li;
        li.name = Text(it, "name", file);
        const std::string where = file + " \"" + li.name + "\"";
        const json& x = Member(it, "x", where);
        if (!x.is_array() || x.size() != 2) throw DefinitionError(where + ": \"x\" must be [aft, fore]");
        double back;
        ToFrame(frames, x[0].get<double>(), li.aftFrame, li.aftOffset, back);
        li.xa = back;
        ToFrame(frames, x[1].get<double>(), li.foreFrame, li.foreOffset, back);
        li.xf = back;
        if (!(li.xf > li.xa)) throw DefinitionError(where + ": the extent must ascend");
        double L = li.xf - li.xa;
        if (it.contains("qa") || it.contains("qf")) {
            li.qa = Num(it, "qa", where);
            li.qf = Num(it, "qf", where);
            if (li.qa < 0 || li.qf < 0 || li.qa + li.qf <= 0)
                throw DefinitionError(where + ": load ordinates must not be negative");
            li.weight = 0.5 * (li.qa + li.qf) * L;
            li.lcg = li.xa + L * (2 * li.qf + li.qa) / (3 * (li.qa + li.qf));
        } else {
            li.weight = Num(it, "weight", where);
            li.lcg = Num(it, "lcg", where);
            if (li.weight <= 0) throw DefinitionError(where + ": the weight must be positive");
            if (li.lcg < li.xa + L / 3 - 1e-9 || li.lcg > li.xf - L / 3 + 1e-9)
                throw DefinitionError(where + ": the LCG lies outside the middle third of the extent, "
                                      "which needs a negative load ordinate");
            TrapezoidOrdinates(li.weight, li.lcg, li.xa, li.xf, li.qa, li.qf);
        }
        li.tcg = NumOr(it, "tcg", 0.0, where);
        li.vcg = Num(it, "vcg", where);
        ls.weight += li.weight;
        mx += li.weight * li.lcg;
        my += li.weight * li.tcg;
        mz += li.weight * li.vcg;
        ls.items.push_back(li);
    }
    if (ls.items.empty() || ls.weight <= 0) throw DefinitionError(file + ": no lightweight items");
    ls.lcg = mx / ls.weight;
    ls.tcg = my / ls.weight;
    ls.vcg = mz / ls.weight;

    const char* cols[] = {"AFR", "AE", "FFR", "FE", "LCG", "WEIGHT", "QA", "QF", "Q"};
    xyztable_rec& t = ls.table;
    t.Resize(9, int32_t(ls.items.size()), 1);
    t.Title = ShortString<50>("LIGHT WEIGHT DISTRIBUTION");
    for (int c = 0; c < 9; ++c) t.ColHeads[size_t(c) + 1] = Heading(cols[c]);
    for (size_t r = 0; r < ls.items.size(); ++r) {
        const LightItem& li = ls.items[r];
        const double v[9] = {double(li.aftFrame), li.aftOffset, double(li.foreFrame), li.foreOffset,
                             li.lcg, li.weight, li.qa, li.qf, li.weight};
        for (size_t c = 0; c < 9; ++c) t.Values[1][c + 1][r + 1] = v[c];
    }
    return ls;
}

}  // namespace kv::shipgen
