#include "shipgen/ShipDefinition.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kv::shipgen {

using nlohmann::json;

json LoadJsonFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw DefinitionError("cannot open " + path);
    try {
        return json::parse(in, nullptr, true, /*ignore_comments=*/true);
    } catch (const json::exception& e) {
        throw DefinitionError(path + ": " + e.what());
    }
}

ShipDefinition LoadShipDefinition(const std::string& dir) {
    namespace fs = std::filesystem;
    if (!fs::is_directory(dir)) throw DefinitionError("not a ship definition folder: " + dir);
    ShipDefinition d;
    d.Dir = dir;
    auto file = [&](const char* name) { return LoadJsonFile((fs::path(dir) / name).string()); };
    d.Ship = file("ship.json");
    d.Hull = file("hull.json");
    d.Compartments = file("compartments.json");
    d.Lightweight = file("lightweight.json");
    d.Strength = file("strength.json");
    d.Containers = file("containers.json");
    d.Wind = file("wind.json");
    d.Views = file("views.json");
    d.Ports = file("ports.json");
    d.DangerousGoods = file("dangerous_goods.json");
    return d;
}

const json& Member(const json& j, const std::string& key, const std::string& where) {
    if (!j.is_object() || !j.contains(key)) throw DefinitionError(where + ": missing \"" + key + "\"");
    return j.at(key);
}

const json& Array(const json& j, const std::string& key, const std::string& where) {
    const json& v = Member(j, key, where);
    if (!v.is_array()) throw DefinitionError(where + ": \"" + key + "\" must be a list");
    return v;
}

double Num(const json& j, const std::string& key, const std::string& where) {
    const json& v = Member(j, key, where);
    if (!v.is_number()) throw DefinitionError(where + ": \"" + key + "\" must be a number");
    double d = v.get<double>();
    if (!std::isfinite(d)) throw DefinitionError(where + ": \"" + key + "\" is not finite");
    return d;
}

double NumOr(const json& j, const std::string& key, double fallback, const std::string& where) {
    if (!j.is_object() || !j.contains(key)) return fallback;
    return Num(j, key, where);
}

int Int(const json& j, const std::string& key, const std::string& where) {
    const json& v = Member(j, key, where);
    if (!v.is_number_integer()) throw DefinitionError(where + ": \"" + key + "\" must be an integer");
    return v.get<int>();
}

std::string Text(const json& j, const std::string& key, const std::string& where) {
    const json& v = Member(j, key, where);
    if (!v.is_string()) throw DefinitionError(where + ": \"" + key + "\" must be a text");
    return v.get<std::string>();
}

std::vector<FramePos> BuildFrames(const json& frames) {
    const std::string where = "ship.json frames";
    double zeroX = NumOr(frames, "zeroX", 0.0, where);
    const json& runs = Array(frames, "runs", where);
    if (runs.empty()) throw DefinitionError(where + ": no spacing runs");
    struct Run { int from, to; double spacing; };
    std::vector<Run> rs;
    for (const json& r : runs) {
        Run run{Int(r, "from", where), Int(r, "to", where), Num(r, "spacing", where)};
        if (run.to <= run.from || run.spacing <= 0)
            throw DefinitionError(where + ": a run needs from < to and a positive spacing");
        if (!rs.empty() && run.from != rs.back().to)
            throw DefinitionError(where + ": runs must follow each other without gap");
        rs.push_back(run);
    }
    if (rs.front().from > 0 || rs.back().to < 0)
        throw DefinitionError(where + ": frame 0 (at zeroX) must lie within the runs");
    // x of the first frame so that frame 0 lands on zeroX.
    double x = 0;
    std::vector<FramePos> out;
    for (const Run& r : rs)
        for (int f = r.from; f < r.to; ++f) {
            out.push_back({double(f), x});
            x += r.spacing;
        }
    out.push_back({double(rs.back().to), x});
    double x0 = 0;
    for (const FramePos& p : out)
        if (p.frame == 0) x0 = p.x;
    for (FramePos& p : out) p.x = std::round((p.x - x0 + zeroX) * 1e6) / 1e6;
    return out;
}

static double Interp(const std::vector<FramePos>& fr, double v, bool byFrame) {
    if (fr.size() < 2) return v;
    auto key = [&](size_t i) { return byFrame ? fr[i].frame : fr[i].x; };
    auto val = [&](size_t i) { return byFrame ? fr[i].x : fr[i].frame; };
    size_t i = 1;
    if (v <= key(0)) i = 1;
    else if (v >= key(fr.size() - 1)) i = fr.size() - 1;
    else while (i < fr.size() - 1 && key(i) <= v) ++i;
    double k1 = key(i - 1), k2 = key(i);
    return val(i - 1) + (val(i) - val(i - 1)) * (v - k1) / (k2 - k1);
}

double FrameToX(const std::vector<FramePos>& frames, double frame) { return Interp(frames, frame, true); }
double XToFrame(const std::vector<FramePos>& frames, double x) { return Interp(frames, x, false); }

static int SignOf(const json& j, const std::string& key, const std::string& where) {
    int s = j.contains(key) ? Int(j, key, where) : 1;
    if (s != 1 && s != -1) throw DefinitionError(where + ": \"" + key + "\" must be 1 or -1");
    return s;
}

template <int N>
static ShortString<N> Short(const std::string& s, const std::string& what) {
    if (s.size() > size_t(N))
        throw DefinitionError(what + " \"" + s + "\" is longer than " + std::to_string(N) + " characters");
    return ShortString<N>(s);
}

void FillParticulars(const json& ship, shipinfo_rec& info) {
    const std::string w = "ship.json";
    info.ShipName = Short<50>(Text(ship, "name", w), "name");
    info.HullNo = Short<50>(Text(ship, "hullNo", w), "hullNo");
    info.DataStatus = Short<25>(Text(ship, "dataStatus", w), "dataStatus");
    info.LOA = Num(ship, "loa", w);
    info.LBP = Num(ship, "lbp", w);
    info.Breadth = Num(ship, "breadth", w);
    info.Depth = Num(ship, "depth", w);
    info.GrossTonnage = Num(ship, "grossTonnage", w);
    info.NetTonnage = Num(ship, "netTonnage", w);

    const json& signs = Member(ship, "signs", w);
    const std::string ws = w + " signs";
    info.TrimSign = SignOf(signs, "trim", ws);
    info.HeelSign = SignOf(signs, "heel", ws);
    info.LongSign = SignOf(signs, "long", ws);
    info.TransSign = SignOf(signs, "trans", ws);
    info.LongRefMidship = signs.value("longFromMidship", false) ? 1 : 0;

    const json& marks = Member(ship, "draftMarks", w);
    const char* names[3] = {"aft", "mid", "fore"};
    for (int i = 0; i < 3; ++i) {
        const json& m = Member(marks, names[i], w + " draftMarks");
        std::string wm = w + " draftMarks " + names[i];
        info.DraftMarks[size_t(i)] = {Num(m, "x", wm), NumOr(m, "x2", 0.0, wm), NumOr(m, "switchDraft", 0.0, wm)};
    }

    const json& prop = Member(ship, "propeller", w);
    info.PropImmMethod = Int(prop, "method", w + " propeller");
    info.PropDiameter = Num(prop, "diameter", w + " propeller");
    info.PropShaftHeight = Num(prop, "shaftHeight", w + " propeller");
    info.PropX = Num(prop, "x", w + " propeller");

    const json& vis = Member(ship, "visibility", w);
    const json& eye = Member(vis, "eye", w + " visibility");
    const json& bow = Member(vis, "obstruction", w + " visibility");
    info.VisibilityPoints[0] = {Num(eye, "x", w + " visibility eye"), Num(eye, "z", w + " visibility eye")};
    info.VisibilityPoints[1] = {Num(bow, "x", w + " visibility obstruction"), Num(bow, "z", w + " visibility obstruction")};

    info.BilgeKeelArea = Num(ship, "bilgeKeelArea", w);
    info.CrossCurveKG = NumOr(ship, "crossCurvePole", 0.0, w);
    info.MarkDraftOffset = NumOr(ship, "markDraftOffset", 0.0, w);

    // Frame table, x in millimetres; the third value is carried as 0.
    info.FrameList.clear();
    for (const FramePos& f : BuildFrames(Member(ship, "frames", w))) {
        frame_rec r;
        r.FrameNo = f.frame;
        r.PosMM = Extended(std::llround(f.x * 1000.0));
        info.FrameList.push_back(r);
    }

    // Options: 51 entries, off and empty unless listed.
    for (auto& o : info.Options) o = shipoption_rec{};
    const json& opts = Array(ship, "options", w);
    std::vector<bool> seen(ShipOptionCount, false);
    for (const json& o : opts) {
        int idx = Int(o, "index", w + " options");
        if (idx < 0 || idx >= ShipOptionCount)
            throw DefinitionError(w + " options: index " + std::to_string(idx) + " outside 0..50");
        if (seen[size_t(idx)]) throw DefinitionError(w + " options: index " + std::to_string(idx) + " given twice");
        seen[size_t(idx)] = true;
        const json& on = Member(o, "enabled", w + " options");
        if (!on.is_boolean()) throw DefinitionError(w + " options: \"enabled\" must be true or false");
        info.Options[size_t(idx)].Enabled = on.get<bool>() ? 1 : 0;
        info.Options[size_t(idx)].Text = Short<50>(o.value("text", std::string()), "option text");
    }
}

}  // namespace kv::shipgen
