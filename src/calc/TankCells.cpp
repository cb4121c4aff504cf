#include "calc/TankCells.h"

#include <array>
#include <cmath>

#include "calc/TankContents.h"
#include "model/CodeFiles.h"
#include "model/ShipConventions.h"
#include "numerics/Formats.h"
#include "numerics/TableLookup.h"
#include "numerics/Units.h"

namespace kv {

namespace {

constexpr int HoldGroup = 1;
constexpr int ConstantGroup = 8;

constexpr std::array<const char*, 3> MomentTexts{"Actual", "Maximum", "Zero"};
constexpr std::array<const char*, 5> CargoTexts{"BALE", "BULK", "T_GRAIN", "U_GRAIN", "E.BALLAST"};

std::string_view Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

// The number in a cell text: false (refused silently) unless it passes the
// numeric test and reads as one number ("1 2" and a lone "E" pass the test).
bool ParseNumber(std::string_view text, Extended& v, bool& relative) {
    if (!IsNumericText(text)) return false;
    const std::string_view t = Trim(text);
    if (!TryTextToFloat(t, v) || !std::isfinite(v)) return false;
    relative = !t.empty() && (t.front() == '+' || t.front() == '-');
    return true;
}

struct Item {
    tank_rec* Tank = nullptr;
    loadinfo_rec* Load = nullptr;
    TankResult Result;  // the current values (zeros before the first update)
};

bool FindItem(KvState& s, int group, int index, Item& item) {
    if (group < LoadedGroupFirst || group > LoadedGroupLast || index < 0) return false;
    auto& tanks = s.TankGroup.Groups[size_t(group)].Tanks;
    auto& loads = s.LoadData.Loads[size_t(group)].Items;
    if (size_t(index) >= tanks.size() || size_t(index) >= loads.size()) return false;
    item.Tank = &tanks[size_t(index)];
    item.Load = &loads[size_t(index)];
    const auto& results = s.CalcData.Summaries[size_t(group) + 1].Items;
    if (size_t(index) < results.size()) item.Result = results[size_t(index)];
    return true;
}

CellResult RangeError(KvState& s) {
    if (s.Messages) s.Messages->ShowMessage(TankRangeMessage);
    return CellResult::RangeError;
}

// value in [lo, hi] with the tolerance of the limit checks
bool Within(Extended v, Extended lo, Extended hi) {
    return CompareValues(">=", v, lo) && CompareValues("<=", v, hi);
}

CellResult Accept(KvState& s, int group, int index) {
    s.ConditionModified = true;
    UpdateTankItem(s, group, index);
    return CellResult::Accepted;
}

// Columns shared by the tank and cargo grids, after the relative entry has
// been resolved and the value taken to internal units.
enum class Quantity { Level, Ullage, Volume, Percent, Density, Weight, LCG, TCG, VCG, Moment };

Extended CurrentShown(const KvState& s, const Item& it, Quantity q) {
    const UnitState& u = s.Units;
    const TankResult& r = it.Result;
    switch (q) {
        case Quantity::Level: return r.Level * u.Length();
        case Quantity::Ullage: return (it.Tank->MaxLevel - r.Level) * u.Length();
        case Quantity::Volume: return r.Volume * u.Volume();
        case Quantity::Percent: return r.Percent;
        case Quantity::Weight: return r.Weight * u.Weight();
        default: return 0;
    }
}

bool Relative(Quantity q) {
    return q == Quantity::Level || q == Quantity::Ullage || q == Quantity::Volume || q == Quantity::Percent ||
           q == Quantity::Density || q == Quantity::Weight;
}

Extended ToInternal(const KvState& s, Quantity q, Extended v) {
    const UnitState& u = s.Units;
    switch (q) {
        case Quantity::Level:
        case Quantity::Ullage:
        case Quantity::VCG: return v / u.Length();
        case Quantity::Volume: return v / u.Volume();
        case Quantity::Weight: return v / u.Weight();
        case Quantity::LCG: return FromDisplayLong(s.ShipInfo, v / u.Length());
        case Quantity::TCG: return FromDisplayTrans(s.ShipInfo, v / u.Length());
        case Quantity::Moment: return v / (u.Weight() * u.Length());
        default: return v;
    }
}

// Checks the internal value and applies it to the loading record; false when
// the range check fails (nothing changed).
bool Apply(KvState& s, int group, int index, Item& it, Quantity q, Extended v) {
    loadinfo_rec& rec = *it.Load;
    const tank_rec& t = *it.Tank;
    switch (q) {
        case Quantity::Level:
        case Quantity::Ullage: {
            if (!Within(v, 0, t.MaxLevel)) return false;
            const Extended level = q == Quantity::Level ? v : t.MaxLevel - v;
            rec.Volume = TankVolumeFromLevel(s, group, index, level, CorrectionTrim(s), CorrectionHeel(s));
            return true;
        }
        case Quantity::Volume:
            if (!Within(v, 0, t.MaxVolume)) return false;
            rec.Volume = v;
            return true;
        case Quantity::Percent:
            if (!Within(v, 0, 100)) return false;
            rec.Volume = v * t.MaxVolume / 100;
            return true;
        case Quantity::Weight:
            if (!Within(v, 0, t.MaxVolume * rec.Density)) return false;
            // Without a density only an empty tank passes the check above.
            rec.Volume = rec.Density > 0 ? v / rec.Density : 0;
            return true;
        case Quantity::LCG: rec.LCG = v; return true;
        case Quantity::TCG: rec.TCG = v; return true;
        case Quantity::VCG: rec.VCG = v; return true;
        case Quantity::Moment: rec.FSMValue = v; return true;
        case Quantity::Density: return false;  // checked by the grid's own rule
    }
    return false;
}

// The common path of a numeric cell: number test, relative entry, units,
// check, effect.
CellResult EditNumeric(KvState& s, int group, int index, Item& it, Quantity q, std::string_view text) {
    Extended v = 0;
    bool relative = false;
    if (!ParseNumber(text, v, relative)) return CellResult::Refused;
    if (relative && Relative(q)) v += CurrentShown(s, it, q);
    v = ToInternal(s, q, v);
    if (!Apply(s, group, index, it, q, v)) return RangeError(s);
    return CellResult::Accepted;
}

}  // namespace

int MomentModeFromText(std::string_view text) {
    for (size_t i = 0; i < MomentTexts.size(); ++i)
        if (Trim(text) == MomentTexts[i]) return int(i);
    return -1;
}

std::string MomentModeText(int mode) {
    return mode >= 0 && size_t(mode) < MomentTexts.size() ? MomentTexts[size_t(mode)] : "";
}

int CargoTypeFromText(std::string_view text) {
    for (size_t i = 0; i < CargoTexts.size(); ++i)
        if (Trim(text) == CargoTexts[i]) return int(i);
    return -1;
}

std::string CargoTypeText(int type) {
    return type >= 0 && size_t(type) < CargoTexts.size() ? CargoTexts[size_t(type)] : "";
}

bool TankCellEditable(const KvState& state, int column) {
    switch (column) {
        case TankColLevel: case TankColVolume: case TankColPercent: case TankColDensity: case TankColWeight:
            return true;
        case TankColLCG: case TankColTCG: case TankColVCG: case TankColFSM:
            return state.LoadData.CGMode == 1;
        default:
            return false;
    }
}

bool CargoCellEditable(const KvState& state, int hold, int column, bool holdCarriesBale) {
    if (holdCarriesBale) return false;
    const auto& loads = state.LoadData.Loads[HoldGroup].Items;
    const int type = hold >= 0 && size_t(hold) < loads.size() ? loads[size_t(hold)].CargoType : CargoBale;
    const bool manual = state.LoadData.CGMode == 1;
    switch (column) {
        case CargoColType: case CargoColUllage: case CargoColLevel: case CargoColVolume: case CargoColPercent:
        case CargoColSF: case CargoColWeight:
            return true;
        case CargoColLCG: case CargoColTCG: case CargoColVCG:
            return manual;
        case CargoColGHM: case CargoColFSM:
            return manual && type != CargoBale;
        default:
            return false;
    }
}

bool ConstantCellEditable(int column) { return column >= ConstColNo && column <= ConstColFSM; }

CellResult EditTankCell(KvState& state, int group, int tank, int column, std::string_view text) {
    Item it;
    if (group < 2 || group > 7 || !FindItem(state, group, tank, it)) return CellResult::Refused;
    if (column == TankColSetFSM) {
        const int mode = MomentModeFromText(text);
        if (mode < 0) return RangeError(state);
        it.Load->MomentMode = mode;
        return Accept(state, group, tank);
    }
    Quantity q;
    switch (column) {
        case TankColLevel: q = Quantity::Level; break;
        case TankColVolume: q = Quantity::Volume; break;
        case TankColPercent: q = Quantity::Percent; break;
        case TankColWeight: q = Quantity::Weight; break;
        case TankColLCG: q = Quantity::LCG; break;
        case TankColTCG: q = Quantity::TCG; break;
        case TankColVCG: q = Quantity::VCG; break;
        case TankColFSM: q = Quantity::Moment; break;
        case TankColDensity: {
            Extended v = 0;
            bool relative = false;
            if (!ParseNumber(text, v, relative)) return CellResult::Refused;
            if (relative) v += it.Result.SG;
            if (!Within(v, 0.5L, 1.5L)) return RangeError(state);
            it.Load->Density = v;
            return Accept(state, group, tank);
        }
        default: return CellResult::Refused;
    }
    const CellResult r = EditNumeric(state, group, tank, it, q, text);
    return r == CellResult::Accepted ? Accept(state, group, tank) : r;
}

CellResult EditCargoCell(KvState& state, int hold, int column, std::string_view text) {
    Item it;
    if (!FindItem(state, HoldGroup, hold, it)) return CellResult::Refused;
    loadinfo_rec& rec = *it.Load;
    CellResult result = CellResult::Refused;
    switch (column) {
        case CargoColType: {
            const int type = CargoTypeFromText(text);
            if (type < 0) return RangeError(state);
            rec.CargoType = type;
            if (type == CargoUGrain) rec.Volume = it.Tank->UntrimmedVolume;
            return Accept(state, HoldGroup, hold);
        }
        case CargoColSetGHM:
        case CargoColSetFSM: {
            if (column == CargoColSetFSM && rec.CargoType != CargoEBallast) return CellResult::Refused;
            const int mode = MomentModeFromText(text);
            if (mode < 0) return RangeError(state);
            rec.MomentMode = mode;
            result = CellResult::Accepted;
            break;
        }
        case CargoColSF: {
            Extended v = 0;
            bool relative = false;
            if (!ParseNumber(text, v, relative)) return CellResult::Refused;
            if (relative) v += DensityToDisplay(state.Config, state.Units, it.Result.SG);
            if (v == 0) return RangeError(state);
            const Extended density = DensityFromDisplay(state.Config, state.Units, v);
            if (!Within(density, 0.1L, 20)) return RangeError(state);
            rec.Density = density;
            result = CellResult::Accepted;
            break;
        }
        default: {
            Quantity q;
            switch (column) {
                case CargoColUllage: q = Quantity::Ullage; break;
                case CargoColLevel: q = Quantity::Level; break;
                case CargoColVolume: q = Quantity::Volume; break;
                case CargoColPercent: q = Quantity::Percent; break;
                case CargoColWeight: q = Quantity::Weight; break;
                case CargoColLCG: q = Quantity::LCG; break;
                case CargoColTCG: q = Quantity::TCG; break;
                case CargoColVCG: q = Quantity::VCG; break;
                case CargoColGHM: case CargoColFSM: q = Quantity::Moment; break;
                default: return CellResult::Refused;
            }
            result = EditNumeric(state, HoldGroup, hold, it, q, text);
            if (result != CellResult::Accepted) return result;
        }
    }
    // A hold filled untrimmed is trimmed by any edit of its contents.
    if (rec.CargoType == CargoUGrain) rec.CargoType = CargoTGrain;
    return Accept(state, HoldGroup, hold);
}

CellResult EditConstantCell(KvState& state, int item, int column, std::string_view text) {
    Item it;
    if (!FindItem(state, ConstantGroup, item, it)) return CellResult::Refused;
    loadinfo_rec& rec = *it.Load;
    Extended v = 0;
    bool relative = false;
    if (column < ConstColAftEnd || column > ConstColFSM) return CellResult::Refused;
    if (!ParseNumber(text, v, relative)) return CellResult::Refused;
    const UnitState& u = state.Units;
    switch (column) {
        case ConstColAftEnd: it.Tank->AftEnd = FromDisplayLong(state.ShipInfo, v / u.Length()); break;
        case ConstColForeEnd: it.Tank->ForeEnd = FromDisplayLong(state.ShipInfo, v / u.Length()); break;
        case ConstColWeight:
            if (relative) v += it.Result.Weight * u.Weight();
            v /= u.Weight();
            if (!CompareValues(">=", v, 0)) return RangeError(state);
            rec.Weight = v;
            break;
        case ConstColLCG: rec.LCG = FromDisplayLong(state.ShipInfo, v / u.Length()); break;
        case ConstColTCG: rec.TCG = FromDisplayTrans(state.ShipInfo, v / u.Length()); break;
        case ConstColVCG: rec.VCG = v / u.Length(); break;
        case ConstColFSM: rec.FSMValue = v / (u.Weight() * u.Length()); break;
    }
    Accept(state, ConstantGroup, item);
    RefreshUserInputSet(state.DwcList, state.LoadData.Loads[ConstantGroup].Items);
    return CellResult::Accepted;
}

int NextMomentMode(int mode) { return mode == MomentActual ? MomentMaximum : MomentActual; }

int NextTankSensorState(int sensor, bool online) {
    switch (sensor) {
        case 0: return 0;
        case 1: return online ? 2 : 3;
        case 2: return 3;
        case 3: return 1;
        default: return 1;
    }
}

int NextCargoSensorState(int sensor, bool online) {
    if (sensor == 0) return 0;
    if (sensor == 3) return online ? 2 : 1;
    return 3;
}

namespace {

// The density check of the selected-tank grid: holds 0.1 to 20 t/m3, tanks
// above 0 and at most 1.5.
bool SelectedDensityValid(int group, Extended d) {
    if (group == HoldGroup) return Within(d, 0.1L, 20);
    return d > 0 && CompareValues("<=", d, 1.5L);
}

void RecomputeSelected(KvState& s, SelectedTanks& sel) {
    Item it;
    if (sel.Items.empty() || !FindItem(s, sel.Group, sel.Items[0], it)) return;
    sel.Level = TankLevelFromVolume(s, sel.Group, sel.Items[0], CorrectionTrim(s), CorrectionHeel(s), sel.Volume);
    sel.Rate = it.Tank->MaxVolume > 0 ? sel.Volume / it.Tank->MaxVolume * 100 : 0;
    sel.Weight = sel.Volume * sel.Density;
}

bool SkipBaleHold(KvState& s, int group, int index, const tank_rec& t, const std::vector<bool>& holdCarriesBale) {
    if (group != HoldGroup || index < 0 || size_t(index) >= holdCarriesBale.size() || !holdCarriesBale[size_t(index)])
        return false;
    if (s.Messages) s.Messages->ShowMessage(t.TankName.str() + "is already used for bale cargo");
    return true;
}

}  // namespace

void LoadSelectedTanks(KvState& state, SelectedTanks& sel) {
    sel.Level = sel.Volume = sel.Rate = sel.Density = sel.Weight = 0;
    Item it;
    if (sel.Items.empty() || !FindItem(state, sel.Group, sel.Items[0], it)) return;
    sel.Volume = std::isfinite(it.Load->Volume) ? it.Load->Volume : 0;
    sel.Density = std::isfinite(it.Load->Density) ? it.Load->Density : 0;
    RecomputeSelected(state, sel);
}

CellResult EditSelectedTankCell(KvState& state, SelectedTanks& sel, int row, std::string_view text) {
    Item it;
    if (sel.Items.empty() || !FindItem(state, sel.Group, sel.Items[0], it)) return CellResult::Refused;
    Extended v = 0;
    bool relative = false;
    if (!ParseNumber(text, v, relative)) return CellResult::Refused;
    const bool several = sel.Items.size() > 1;
    if (several && row != SelRowRate && row != SelRowDensity) return CellResult::Refused;
    const UnitState& u = state.Units;
    const tank_rec& t = *it.Tank;
    switch (row) {
        case SelRowLevel:
            v /= u.Length();
            if (!Within(v, 0, t.MaxLevel)) return RangeError(state);
            sel.Volume = TankVolumeFromLevel(state, sel.Group, sel.Items[0], v, CorrectionTrim(state),
                                             CorrectionHeel(state));
            break;
        case SelRowVolume:
            v /= u.Volume();
            if (!Within(v, 0, t.MaxVolume)) return RangeError(state);
            sel.Volume = v;
            break;
        case SelRowRate:
            if (!Within(v, 0, 100)) return RangeError(state);
            sel.Rate = v;
            if (!several) sel.Volume = v * t.MaxVolume / 100;
            break;
        case SelRowDensity: {
            if (v == 0) return RangeError(state);
            const Extended d = sel.Group == HoldGroup ? DensityFromDisplay(state.Config, state.Units, v) : v;
            if (!SelectedDensityValid(sel.Group, d)) return RangeError(state);
            sel.Density = d;
            break;
        }
        case SelRowWeight:
            v /= u.Weight();
            if (!Within(v, 0, t.MaxVolume * sel.Density)) return RangeError(state);
            // The weight the grid shows is volume x the grid's density, so the
            // volume follows from that same density.
            sel.Volume = sel.Density > 0 ? v / sel.Density : 0;
            break;
        default:
            return CellResult::Refused;
    }
    if (!several) RecomputeSelected(state, sel);
    else sel.Weight = 0;
    return CellResult::Accepted;
}

int ApplySelectedTanks(KvState& state, const SelectedTanks& sel, const std::vector<bool>& holdCarriesBale) {
    int changed = 0;
    for (int index : sel.Items) {
        Item it;
        if (!FindItem(state, sel.Group, index, it)) continue;
        if (SkipBaleHold(state, sel.Group, index, *it.Tank, holdCarriesBale)) continue;
        it.Load->Volume = sel.Items.size() == 1 ? sel.Volume : sel.Rate * it.Tank->MaxVolume / 100;
        it.Load->Density = sel.Density;
        Accept(state, sel.Group, index);
        ++changed;
    }
    return changed;
}

int FillSelectedTanks(KvState& state, const SelectedTanks& sel, bool full, const std::vector<bool>& holdCarriesBale) {
    int changed = 0;
    for (int index : sel.Items) {
        Item it;
        if (!FindItem(state, sel.Group, index, it)) continue;
        if (SkipBaleHold(state, sel.Group, index, *it.Tank, holdCarriesBale)) continue;
        it.Load->Volume = full ? it.Tank->MaxVolume : 0;
        Accept(state, sel.Group, index);
        ++changed;
    }
    return changed;
}

}  // namespace kv
