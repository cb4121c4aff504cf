#include "calc/TankContents.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "model/ShipConventions.h"
#include "numerics/Formats.h"
#include "numerics/TableLookup.h"

namespace kv {

namespace {

constexpr int HoldGroup = 1;
constexpr int ConstantGroup = 8;

Extended Finite(Extended v) { return std::isfinite(v) ? v : 0; }

const tank_rec* TankOf(const KvState& s, int group, int tank) {
    if (group < 0 || group >= LoadGroupCount || tank < 0) return nullptr;
    const auto& tanks = s.TankGroup.Groups[size_t(group)].Tanks;
    return size_t(tank) < tanks.size() ? &tanks[size_t(tank)] : nullptr;
}

loadinfo_rec* LoadOf(KvState& s, int group, int tank) {
    if (group < LoadedGroupFirst || group > LoadedGroupLast || tank < 0) return nullptr;
    auto& items = s.LoadData.Loads[size_t(group)].Items;
    return size_t(tank) < items.size() ? &items[size_t(tank)] : nullptr;
}

const loadinfo_rec* LoadOf(const KvState& s, int group, int tank) {
    return LoadOf(const_cast<KvState&>(s), group, tank);
}

int CargoTypeOf(const KvState& s, int hold) {
    const loadinfo_rec* rec = LoadOf(s, HoldGroup, hold);
    return rec ? rec->CargoType : CargoBale;
}

bool IsGrain(int cargoType) { return cargoType == CargoTGrain || cargoType == CargoUGrain; }

// The method code of a correction option, or empty when it is off.
std::string CorrectionMethod(const KvState& s, int option) {
    if (!s.ShipInfo.OptionOn(option)) return {};
    std::string t = s.ShipInfo.OptionText(option);
    size_t b = t.find_first_not_of(" \t");
    if (b == std::string::npos) return " ";  // on, but without a code
    size_t e = t.find_last_not_of(" \t");
    return t.substr(b, e - b + 1);
}

// Lookup with the key held at the table ends on the only layer.
bool Lookup(KvState& s, const xyztable_rec& t, const std::string& result, const char* key, Extended x, Extended& v,
            bool report) {
    return GetTableValue(t, result, key, "", x, v, true, report, s.Tables);
}

// The column headed by a trim or heel value: interpolated between the
// neighbouring headings, held at the last one beyond them.
std::string Col(Extended x) { return FloatToStr(x); }

Extended BaseVolume(KvState& s, const tank_rec& t, Extended level) {
    Extended v = 0;
    Lookup(s, t.TkTables[TkBase], "VOLUME", "LEVEL", level, v, true);
    return v;
}

Extended HoldVolume(KvState& s, int hold, const tank_rec& t, Extended h, Extended trim, Extended heel) {
    const Extended u = t.MaxLevel - h;
    if (IsGrain(CargoTypeOf(s, hold))) {
        Extended v = 0;
        Lookup(s, t.OptTables[0], "VOLUME", "ULLAGE", u, v, true);
        return v;
    }
    const std::string method = CorrectionMethod(s, HoldCorrectionOption);
    if (method.empty()) return BaseVolume(s, t, h);
    Extended v = 0;
    if (method == "0") {
        if (!Lookup(s, t.TkTables[TkUllageTrim], Col(trim), "ULLAGE", u, v, true)) return BaseVolume(s, t, h);
        Extended dv = 0;
        Lookup(s, t.TkTables[TkUllageHeel], Col(heel), "ULLAGE", u, dv, true);
        return v + dv;
    }
    Extended ct = 0, ch = 0;
    Lookup(s, t.TkTables[TkUllageCorr], Col(trim), "ULLAGE", u, ct, true);
    Lookup(s, t.TkTables[TkUllageHeel], Col(heel), "ULLAGE", u, ch, true);
    if (!Lookup(s, t.TkTables[TkUllageTrim], "VOLUME", "ULLAGE", u + (ct + ch) / 1000, v, true))
        return BaseVolume(s, t, h);
    return v;
}

Extended TankVolume(KvState& s, const tank_rec& t, Extended h, Extended trim, Extended heel) {
    const std::string method = CorrectionMethod(s, TankCorrectionOption);
    Extended v = 0;
    if (method == "0") {
        if (!Lookup(s, t.TkTables[TkSoundTrim], Col(trim), "SOUND", h, v, true)) return BaseVolume(s, t, h);
        Extended dv = 0;
        Lookup(s, t.TkTables[TkSoundHeel], Col(heel), "SOUND", h, dv, true);
        return v + dv;
    }
    if (method == "1") {
        Extended ct = 0, ch = 0;
        Lookup(s, t.TkTables[TkSoundCorr], Col(trim), "SOUND", h, ct, true);
        Lookup(s, t.TkTables[TkSoundHeel], Col(heel), "SOUND", h, ch, true);
        if (!Lookup(s, t.TkTables[TkSoundTrim], "VOLUME", "SOUND", h + (ct + ch) / 1000, v, true))
            return BaseVolume(s, t, h);
        return v;
    }
    if (method == "2") {
        Extended ch = 0;
        Lookup(s, t.TkTables[TkSoundHeel], Col(heel), "SOUND", h, ch, true);
        if (!Lookup(s, t.TkTables[TkSoundTrim], Col(trim), "SOUND", h + ch / 1000, v, true))
            return BaseVolume(s, t, h);
        return v;
    }
    // Off, or a method code the program does not know: the even-keel table,
    // rather than a volume of 0 for every sounding.
    return BaseVolume(s, t, h);
}

// Free-surface moment of a liquid surface by the item's moment mode.
Extended ModeFSM(int mode, const TankResult& r, const tank_rec& t, Extended perUnitDensity) {
    const Extended keep = 1 - t.FSMReduction;
    switch (mode) {
        case MomentActual:
            return (r.Weight > 0 && r.Percent < PressedFullPercent) ? perUnitDensity * r.SG * keep : 0;
        case MomentMaximum:
            return r.Weight > 0 ? t.MaxFSM * r.SG * keep : 0;
        default:
            return 0;
    }
}

TankResult* ResultOf(KvState& s, int group, int tank) {
    const tank_rec* t = TankOf(s, group, tank);
    if (!t || group < LoadedGroupFirst || group > LoadedGroupLast) return nullptr;
    auto& items = s.CalcData.Summaries[size_t(group) + 1].Items;
    const size_t n = s.TankGroup.Groups[size_t(group)].Tanks.size();
    if (items.size() < n) items.resize(n);
    return &items[size_t(tank)];
}

}  // namespace

Extended CorrectionTrim(const KvState& state) {
    return Finite(state.LoadData.TrimCorr) * SignOf(state.ShipInfo.TrimSign);
}

Extended CorrectionHeel(const KvState& state) {
    return Finite(state.LoadData.HeelCorr) * SignOf(state.ShipInfo.HeelSign);
}

Extended HoldCapacity(const KvState& state, int hold) {
    const tank_rec* t = TankOf(state, HoldGroup, hold);
    if (!t) return 0;
    switch (CargoTypeOf(state, hold)) {
        case CargoTGrain: return t->TrimmedVolume;
        case CargoUGrain: return t->UntrimmedVolume;
        default: return t->MaxVolume;
    }
}

Extended TankVolumeFromLevel(KvState& state, int group, int tank, Extended level, Extended trim, Extended heel) {
    if (group == ConstantGroup || group < HoldGroup) return 0;
    const tank_rec* t = TankOf(state, group, tank);
    if (!t) return 0;
    Extended v = group == HoldGroup ? HoldVolume(state, tank, *t, level, trim, heel)
                                    : TankVolume(state, *t, level, trim, heel);
    v = Finite(v);
    if (v < 0) v = 0;
    const Extended cap = group == HoldGroup ? HoldCapacity(state, tank) : t->MaxVolume;
    return std::min(v, cap);
}

Extended SolveTankLevel(KvState& state, int group, int tank, Extended volume, Extended trim, Extended heel) {
    const tank_rec* t = TankOf(state, group, tank);
    if (!t) return 0;
    if (volume == 0) return 0;
    if (volume >= t->MaxVolume) return t->MaxLevel;
    const Extended top = std::max<Extended>(t->MaxLevel, 0);
    auto f = [&](Extended h) { return volume - TankVolumeFromLevel(state, group, tank, h, trim, heel); };
    const Extended tol = 1e-4L;

    // The first probe is 1 m, or the top of a tank that is not that deep (a
    // probe above the table would only report an excursion of the search).
    Extended h0 = 0, h1 = std::min<Extended>(1.0L, top);
    Extended f0 = f(h0), f1 = f(h1);
    bool converged = false;
    for (int i = 0; i < 100; ++i) {
        Extended h2 = LinInterp(0, f0, h0, f1, h1);
        h2 = std::clamp<Extended>(Finite(h2), 0, top);
        h0 = h1;
        f0 = f1;
        h1 = h2;
        f1 = f(h1);
        if (std::fabs(f1) < tol) {
            converged = true;
            break;
        }
        // The same volume twice (a flat stretch, or both probes held at an
        // end of the tank): the secant can only jump back and forth.
        if (f1 == f0) break;
    }
    if (converged) return h1;

    // The volume grows with the level: halve the bracket [0, top].
    Extended lo = 0, hi = top;
    for (int i = 0; i < 200 && hi - lo > 1e-9L; ++i) {
        const Extended mid = (lo + hi) / 2;
        const Extended fm = f(mid);
        if (std::fabs(fm) < tol) return mid;
        if (fm > 0) lo = mid;
        else hi = mid;
    }
    const Extended best = std::fabs(f(hi)) <= std::fabs(f1) ? hi : h1;
    return best;
}

Extended TankLevelFromVolume(KvState& state, int group, int tank, Extended trim, Extended heel, Extended volume) {
    if (group == ConstantGroup || group < HoldGroup) return 0;
    const tank_rec* t = TankOf(state, group, tank);
    if (!t) return 0;
    Extended level = 0;
    if (group == HoldGroup) {
        const int type = CargoTypeOf(state, tank);
        if (type == CargoTGrain) {
            Extended u = 0;
            Lookup(state, t->OptTables[0], "ULLAGE", "VOLUME", volume, u, false);
            return t->MaxLevel - u;
        }
        if (type == CargoUGrain) return t->MaxLevel;
        if (!CorrectionMethod(state, HoldCorrectionOption).empty())
            return SolveTankLevel(state, group, tank, volume, trim, heel);
    } else if (!CorrectionMethod(state, TankCorrectionOption).empty()) {
        return SolveTankLevel(state, group, tank, volume, trim, heel);
    }
    Lookup(state, t->TkTables[TkBase], "LEVEL", "VOLUME", volume, level, false);
    return level;
}

void UpdateTankCentres(KvState& state, tanksummary_rec& summary, int group, int tank, Extended volume) {
    const tank_rec* t = TankOf(state, group, tank);
    if (!t || tank < 0 || size_t(tank) >= summary.Items.size()) return;
    TankResult& r = summary.Items[size_t(tank)];
    loadinfo_rec* rec = LoadOf(state, group, tank);

    Extended lcg = 0, tcg = 0, vcg = 0, fsm = 0;
    const auto& base = t->TkTables[TkBase];
    Lookup(state, base, "LCG", "VOLUME", volume, lcg, false);
    Lookup(state, base, "TCG", "VOLUME", volume, tcg, false);
    Lookup(state, base, "VCG", "VOLUME", volume, vcg, false);
    Lookup(state, base, "FSM", "VOLUME", volume, fsm, false);

    const bool manual = state.LoadData.CGMode == 1 && rec;
    if (manual) {
        lcg = rec->LCG;
        tcg = rec->TCG;
        vcg = rec->VCG;
    }
    r.LCG = Finite(lcg);
    r.TCG = Finite(tcg);
    r.VCG = Finite(vcg);

    const int mode = rec ? rec->MomentMode : MomentActual;
    const int type = (group == HoldGroup && rec) ? rec->CargoType : CargoEBallast;
    if (group == HoldGroup && IsGrain(type)) {
        // Grain has no free surface; its heeling moment belongs to the grain
        // stability calculation and stays in the record.
        r.FSM = 0;
    } else if (group == HoldGroup && type != CargoEBallast) {
        // Bale and bulk cargo are solid: no free surface.
        r.FSM = 0;
    } else if (manual && mode == MomentActual) {
        // The entered moment (t.m) stands as it is.
        r.FSM = r.Weight > 0 ? Finite(rec->FSMValue) : 0;
    } else {
        r.FSM = Finite(ModeFSM(mode, r, *t, fsm));
    }

    if (rec && !manual) {
        rec->LCG = r.LCG;
        rec->TCG = r.TCG;
        rec->VCG = r.VCG;
        if (!(group == HoldGroup && IsGrain(type))) rec->FSMValue = r.FSM;
    }
    r.LMoment = r.Weight * r.LCG;
    r.TMoment = r.Weight * r.TCG;
    r.VMoment = r.Weight * r.VCG;
}

void UpdateTankItem(KvState& state, int group, int tank) {
    TankResult* r = ResultOf(state, group, tank);
    if (!r) return;
    const tank_rec& t = *TankOf(state, group, tank);
    loadinfo_rec* rec = LoadOf(state, group, tank);
    const int32_t sensor = r->SensorState;
    const Extended measuredLevel = r->Level;
    *r = TankResult{};
    r->SensorState = sensor;
    if (!rec) return;

    if (group == ConstantGroup) {
        r->Weight = Finite(rec->Weight);
        r->LCG = Finite(rec->LCG);
        r->TCG = Finite(rec->TCG);
        r->VCG = Finite(rec->VCG);
        r->FSM = Finite(rec->FSMValue);
        r->LMoment = r->Weight * r->LCG;
        r->TMoment = r->Weight * r->TCG;
        r->VMoment = r->Weight * r->VCG;
        return;
    }

    const Extended trim = CorrectionTrim(state), heel = CorrectionHeel(state);
    Extended v = std::max<Extended>(Finite(rec->Volume), 0);
    if (group == HoldGroup) {
        const Extended c = HoldCapacity(state, tank);
        if (CompareValues(">", v, c)) {
            v = c;
            rec->Volume = c;
        }
        const bool measured = state.OnlineMode && sensor != 3;
        r->Level = measured ? measuredLevel : TankLevelFromVolume(state, group, tank, trim, heel, v);
        r->CapacityPercent = c > 0 ? v / c * 100 : 0;
        if (r->CapacityPercent > 99.9L) r->CapacityPercent = 100;
    } else {
        r->Level = TankLevelFromVolume(state, group, tank, trim, heel, v);
    }
    r->Level = Finite(r->Level);
    r->Volume = v;
    r->Percent = t.MaxVolume > 0 ? v / t.MaxVolume * 100 : 0;
    r->SG = Finite(rec->Density);
    r->Weight = v * r->SG;
    UpdateTankCentres(state, state.CalcData.Summaries[size_t(group) + 1], group, tank, v);
}

void UpdateAllTankItems(KvState& state) {
    for (int g = LoadedGroupFirst; g <= LoadedGroupLast; ++g) {
        const int n = int(state.TankGroup.Groups[size_t(g)].Tanks.size());
        for (int i = 0; i < n; ++i) UpdateTankItem(state, g, i);
    }
}

void SetSoundingCorrection(KvState& state, Extended trimCorr, Extended heelCorr) {
    // The soundings as they stand: the levels shown, or for items never
    // computed the level of their volume at the correction so far.
    const Extended oldTrim = CorrectionTrim(state), oldHeel = CorrectionHeel(state);
    std::array<std::vector<Extended>, LoadGroupCount> levels;
    for (int g = HoldGroup; g < ConstantGroup; ++g) {
        const auto& results = state.CalcData.Summaries[size_t(g) + 1].Items;
        const int n = int(state.TankGroup.Groups[size_t(g)].Tanks.size());
        for (int i = 0; i < n; ++i) {
            const loadinfo_rec* rec = LoadOf(state, g, i);
            Extended level = 0;
            if (size_t(i) < results.size()) level = results[size_t(i)].Level;
            else if (rec) level = TankLevelFromVolume(state, g, i, oldTrim, oldHeel, Finite(rec->Volume));
            levels[size_t(g)].push_back(level);
        }
    }
    state.LoadData.TrimCorr = Finite(trimCorr);
    state.LoadData.HeelCorr = Finite(heelCorr);
    const Extended trim = CorrectionTrim(state), heel = CorrectionHeel(state);
    for (int g = HoldGroup; g < ConstantGroup; ++g) {
        for (size_t i = 0; i < levels[size_t(g)].size(); ++i) {
            loadinfo_rec* rec = LoadOf(state, g, int(i));
            if (!rec) continue;
            rec->Volume = TankVolumeFromLevel(state, g, int(i), levels[size_t(g)][i], trim, heel);
            UpdateTankItem(state, g, int(i));
        }
    }
}

}  // namespace kv
