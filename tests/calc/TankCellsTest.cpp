// Typed cell texts against the loading record of the fixture's box
// compartments (see TankFixture.h).
#include <gtest/gtest.h>

#include <string>

#include "TankFixture.h"
#include "calc/TankCells.h"
#include "calc/TankContents.h"
#include "numerics/Units.h"

using kv::CellResult;
using kv::Extended;
using kvtest::MakeTankState;

namespace {

constexpr int Holds = 1, Tanks = 2, Constants = 8;
constexpr int T1 = 0, H1 = 0;

kv::loadinfo_rec& Load(kv::KvState& s, int g, int i) { return s.LoadData.Loads[size_t(g)].Items[size_t(i)]; }
kv::TankResult& Result(kv::KvState& s, int g, int i) { return s.CalcData.Summaries[size_t(g) + 1].Items[size_t(i)]; }

// The fixture with T1 at 100 m3 (level 2 m, 50 %, 1.025 t/m3, 102.5 t) and
// H1 at 1000 m3 (level 5 m), a recording message sink attached.
struct Cells {
    kv::KvState s = MakeTankState();
    kv::RecordingSink sink;
    Cells() {
        s.Messages = &sink;
        Load(s, Tanks, T1).Volume = 100;
        Load(s, Holds, H1).Volume = 1000;
        kv::UpdateAllTankItems(s);
        s.ConditionModified = false;
    }
    void Units(int length, int volume, int weight, int density = 0) {
        s.Config.LengthUnit = length;
        s.Config.VolumeUnit = volume;
        s.Config.WeightUnit = weight;
        s.Config.DensityUnit = density;
        kv::RefreshUnits(s.Config, s.Units);
    }
};

// The outcome is consistent: a message exactly for a range error, the
// condition modified exactly when accepted, the result following the record.
void ExpectOutcome(Cells& c, CellResult got, CellResult want, int group, int item) {
    EXPECT_EQ(got, want);
    if (want == CellResult::RangeError) {
        ASSERT_EQ(c.sink.messages.size(), 1u);
        EXPECT_EQ(c.sink.messages[0], "Tank range check error, please check again!");
    } else {
        EXPECT_TRUE(c.sink.messages.empty());
    }
    EXPECT_EQ(c.s.ConditionModified, want == CellResult::Accepted);
    if (group != Constants) {
        EXPECT_NEAR(double(Result(c.s, group, item).Volume), double(Load(c.s, group, item).Volume), 1e-9);
    }
}

struct TankCellCase {
    int column;
    const char* text;
    CellResult result;
    double volume;   // record afterwards
    double density;  // record afterwards
};

TEST(EditTankCell, ChecksRelativeEntryAndEffect) {
    const auto A = CellResult::Accepted, R = CellResult::RangeError, S = CellResult::Refused;
    const TankCellCase cases[] = {
        {kv::TankColVolume, "+10", A, 110, 1.025},
        {kv::TankColVolume, " -10 ", A, 90, 1.025},
        {kv::TankColVolume, "200.000005", A, 200.000005, 1.025},  // equal to the limit within 1e-5
        {kv::TankColVolume, "201", R, 100, 1.025},
        {kv::TankColVolume, "-200", R, 100, 1.025},  // relative: -100 m3
        {kv::TankColVolume, "12a", S, 100, 1.025},
        {kv::TankColVolume, "1 2", S, 100, 1.025},   // passes the character test, is no number
        {kv::TankColVolume, "", S, 100, 1.025},
        {kv::TankColLevel, "3", A, 150, 1.025},
        {kv::TankColLevel, "+1", A, 150, 1.025},
        {kv::TankColLevel, "4.5", R, 100, 1.025},
        {kv::TankColPercent, "25", A, 50, 1.025},
        {kv::TankColPercent, "+25", A, 150, 1.025},
        {kv::TankColPercent, "100.5", R, 100, 1.025},
        {kv::TankColDensity, "1.5", A, 100, 1.5},
        {kv::TankColDensity, "0.5", A, 100, 0.5},
        {kv::TankColDensity, "1.6", R, 100, 1.025},
        {kv::TankColDensity, "0.4", R, 100, 1.025},
        {kv::TankColDensity, "+0.1", A, 100, 1.125},
        {kv::TankColWeight, "102.5", A, 100, 1.025},
        {kv::TankColWeight, "+10.25", A, 110, 1.025},
        {kv::TankColWeight, "205", A, 200, 1.025},   // capacity at the density
        {kv::TankColWeight, "205.1", R, 100, 1.025},
        {kv::TankColOnline, "2", S, 100, 1.025},
        {kv::TankColCapacity, "300", S, 100, 1.025},
    };
    for (const auto& k : cases) {
        Cells c;
        SCOPED_TRACE(testing::Message() << "column " << k.column << " text '" << k.text << "'");
        const CellResult got = kv::EditTankCell(c.s, Tanks, T1, k.column, k.text);
        ExpectOutcome(c, got, k.result, Tanks, T1);
        EXPECT_NEAR(double(Load(c.s, Tanks, T1).Volume), k.volume, 1e-9);
        EXPECT_NEAR(double(Load(c.s, Tanks, T1).Density), k.density, 1e-12);
    }
}

TEST(EditTankCell, MomentModeText) {
    Cells c;
    ExpectOutcome(c, kv::EditTankCell(c.s, Tanks, T1, kv::TankColSetFSM, "Maximum"), CellResult::Accepted, Tanks, T1);
    EXPECT_EQ(Load(c.s, Tanks, T1).MomentMode, kv::MomentMaximum);
    EXPECT_NEAR(double(Result(c.s, Tanks, T1).FSM), 123, 1e-9);
    Cells d;
    ExpectOutcome(d, kv::EditTankCell(d.s, Tanks, T1, kv::TankColSetFSM, "Max"), CellResult::RangeError, Tanks, T1);
    EXPECT_EQ(Load(d.s, Tanks, T1).MomentMode, kv::MomentActual);
}

TEST(EditTankCell, LevelIsReadAtTheCorrectionTrim) {
    Cells c;
    kvtest::SetCorrection(c.s, kv::TankCorrectionOption, "2");
    c.s.LoadData.TrimCorr = 1;
    EXPECT_EQ(kv::EditTankCell(c.s, Tanks, T1, kv::TankColLevel, "2"), CellResult::Accepted);
    EXPECT_NEAR(double(Load(c.s, Tanks, T1).Volume), 95, 1e-9);
    EXPECT_NEAR(double(Result(c.s, Tanks, T1).Level), 2, 1e-5);
}

TEST(EditTankCell, DisplayUnitsAreTakenBack) {
    struct UnitCase {
        int length, volume, weight;
        int column;
        const char* text;
        double stored;
    };
    const UnitCase cases[] = {
        {1, 0, 0, kv::TankColLevel, "6.56167979", 100},      // 2 m in feet
        {1, 0, 0, kv::TankColLevel, "+3.280839895", 150},    // 1 m more, typed in feet
        {0, 1, 0, kv::TankColVolume, "628.982", 100},        // barrels
        {0, 1, 0, kv::TankColVolume, "+62.8982", 110},
        {0, 0, 1, kv::TankColWeight, "100.8811600250725", 100},  // long tons
        {0, 0, 1, kv::TankColWeight, "-10.08811600250725", 90},
    };
    for (const auto& k : cases) {
        Cells c;
        c.Units(k.length, k.volume, k.weight);
        EXPECT_EQ(kv::EditTankCell(c.s, Tanks, T1, k.column, k.text), CellResult::Accepted) << k.text;
        EXPECT_NEAR(double(Load(c.s, Tanks, T1).Volume), k.stored, 1e-6) << k.text;
    }
}

TEST(EditTankCell, WeightWithoutDensityNeverDividesByZero) {
    Cells c;
    Load(c.s, Tanks, T1).Density = 0;
    EXPECT_EQ(kv::EditTankCell(c.s, Tanks, T1, kv::TankColWeight, "0"), CellResult::Accepted);
    EXPECT_EQ(Load(c.s, Tanks, T1).Volume, 0);
    EXPECT_EQ(kv::EditTankCell(c.s, Tanks, T1, kv::TankColWeight, "1"), CellResult::RangeError);
}

TEST(EditTankCell, CentresThroughTheDisplayConventions) {
    Cells c;
    c.s.LoadData.CGMode = 1;
    c.s.ShipInfo.LongRefMidship = 1;
    c.s.ShipInfo.LongSign = -1;
    c.s.ShipInfo.TransSign = -1;
    EXPECT_EQ(kv::EditTankCell(c.s, Tanks, T1, kv::TankColLCG, "-5"), CellResult::Accepted);  // not relative
    EXPECT_EQ(kv::EditTankCell(c.s, Tanks, T1, kv::TankColTCG, "-2"), CellResult::Accepted);
    EXPECT_EQ(kv::EditTankCell(c.s, Tanks, T1, kv::TankColVCG, "+3"), CellResult::Accepted);
    const auto& rec = Load(c.s, Tanks, T1);
    EXPECT_NEAR(double(rec.LCG), 55, 1e-12);  // 5 m forward of midship shown as -5
    EXPECT_NEAR(double(rec.TCG), 2, 1e-12);
    EXPECT_NEAR(double(rec.VCG), 3, 1e-12);
    EXPECT_NEAR(double(Result(c.s, Tanks, T1).LCG), 55, 1e-12);
    EXPECT_NEAR(double(Result(c.s, Tanks, T1).VMoment), 307.5, 1e-9);

    Cells f;
    f.s.LoadData.CGMode = 1;
    f.Units(1, 0, 1);
    EXPECT_EQ(kv::EditTankCell(f.s, Tanks, T1, kv::TankColVCG, "9.842519685"), CellResult::Accepted);
    EXPECT_NEAR(double(Load(f.s, Tanks, T1).VCG), 3, 1e-9);
    EXPECT_EQ(kv::EditTankCell(f.s, Tanks, T1, kv::TankColFSM, "32.2902375086963"), CellResult::Accepted);
    EXPECT_NEAR(double(Load(f.s, Tanks, T1).FSMValue), 10, 1e-6);  // t.m from Lt.ft
    EXPECT_NEAR(double(Result(f.s, Tanks, T1).FSM), 10, 1e-6);
}

TEST(EditCargoCell, UllageTypeAndModes) {
    const auto A = CellResult::Accepted, R = CellResult::RangeError, S = CellResult::Refused;
    struct CargoCase {
        int type;  // before the edit
        int column;
        const char* text;
        CellResult result;
        double volume;  // record afterwards
        int typeAfter;
        int modeAfter;
    };
    const CargoCase cases[] = {
        {kv::CargoBale, kv::CargoColUllage, "3", A, 1400, kv::CargoBale, 0},
        {kv::CargoBale, kv::CargoColUllage, "+1", A, 800, kv::CargoBale, 0},  // ullage 5 + 1
        {kv::CargoBale, kv::CargoColUllage, "11", R, 1000, kv::CargoBale, 0},
        {kv::CargoBale, kv::CargoColLevel, "+1", A, 1200, kv::CargoBale, 0},
        {kv::CargoBale, kv::CargoColVolume, "2000", A, 2000, kv::CargoBale, 0},
        {kv::CargoTGrain, kv::CargoColVolume, "1950", A, 1900, kv::CargoTGrain, 0},  // capped by the update
        {kv::CargoBale, kv::CargoColType, "U_GRAIN", A, 1700, kv::CargoUGrain, 0},
        {kv::CargoUGrain, kv::CargoColVolume, "1000", A, 1000, kv::CargoTGrain, 0},
        {kv::CargoUGrain, kv::CargoColSetGHM, "Zero", A, 1000, kv::CargoTGrain, 2},
        {kv::CargoBale, kv::CargoColType, "GRAIN", R, 1000, kv::CargoBale, 0},
        {kv::CargoBale, kv::CargoColSetFSM, "Zero", S, 1000, kv::CargoBale, 0},
        {kv::CargoEBallast, kv::CargoColSetFSM, "Zero", A, 1000, kv::CargoEBallast, 2},
        {kv::CargoBale, kv::CargoColSetGHM, "Maximum", A, 1000, kv::CargoBale, 1},
        {kv::CargoBale, kv::CargoColOnline, "3", S, 1000, kv::CargoBale, 0},
    };
    for (const auto& k : cases) {
        Cells c;
        Load(c.s, Holds, H1).CargoType = k.type;
        kv::UpdateTankItem(c.s, Holds, H1);
        c.s.ConditionModified = false;
        SCOPED_TRACE(testing::Message() << "type " << k.type << " column " << k.column << " text '" << k.text << "'");
        ExpectOutcome(c, kv::EditCargoCell(c.s, H1, k.column, k.text), k.result, Holds, H1);
        EXPECT_NEAR(double(Load(c.s, Holds, H1).Volume), k.volume, 1e-9);
        EXPECT_EQ(Load(c.s, Holds, H1).CargoType, k.typeAfter);
        EXPECT_EQ(Load(c.s, Holds, H1).MomentMode, k.modeAfter);
    }
}

TEST(EditCargoCell, StowageFactorCheckedAsDensity) {
    struct SfCase {
        int densityUnit;
        const char* text;
        CellResult result;
        double density;
    };
    const SfCase cases[] = {
        {3, "35.3147", CellResult::Accepted, 1.0},   // CuFT/MT
        {3, "+35.3147", CellResult::Accepted, 0.5},  // 35.3147 shown for 1.0 t/m3, doubled
        {3, "0", CellResult::RangeError, 1.0},
        {3, "1000", CellResult::RangeError, 1.0},    // 0.035 t/m3
        {0, "1.2", CellResult::Accepted, 1.2},
        {0, "25", CellResult::RangeError, 1.0},
        {0, "0.1", CellResult::Accepted, 0.1},
    };
    for (const auto& k : cases) {
        Cells c;
        c.Units(0, 0, 0, k.densityUnit);
        SCOPED_TRACE(testing::Message() << "unit " << k.densityUnit << " text '" << k.text << "'");
        ExpectOutcome(c, kv::EditCargoCell(c.s, H1, kv::CargoColSF, k.text), k.result, Holds, H1);
        EXPECT_NEAR(double(Load(c.s, Holds, H1).Density), k.density, 1e-9);
    }
}

TEST(EditConstantCell, WeightExtentsAndTheUserInputSet) {
    Cells c;
    ExpectOutcome(c, kv::EditConstantCell(c.s, 0, kv::ConstColWeight, "+5"), CellResult::Accepted, Constants, 0);
    EXPECT_EQ(Load(c.s, Constants, 0).Weight, 155);
    EXPECT_EQ(Result(c.s, Constants, 0).Weight, 155);
    ASSERT_FALSE(c.s.DwcList.empty());
    EXPECT_EQ(c.s.DwcList[0].DwcName.str(), "USER INPUT");
    ASSERT_EQ(c.s.DwcList[0].DwcLoads.size(), 1u);
    EXPECT_EQ(c.s.DwcList[0].DwcLoads[0].Weight, 155);

    Cells d;
    ExpectOutcome(d, kv::EditConstantCell(d.s, 0, kv::ConstColWeight, "-200"), CellResult::RangeError, Constants, 0);
    EXPECT_EQ(Load(d.s, Constants, 0).Weight, 150);
    Cells e;
    ExpectOutcome(e, kv::EditConstantCell(e.s, 0, kv::ConstColWeight, "-"), CellResult::Refused, Constants, 0);

    Cells f;
    f.s.ShipInfo.LongRefMidship = 1;
    EXPECT_EQ(kv::EditConstantCell(f.s, 0, kv::ConstColAftEnd, "-40"), CellResult::Accepted);
    EXPECT_EQ(kv::EditConstantCell(f.s, 0, kv::ConstColForeEnd, "40"), CellResult::Accepted);
    EXPECT_EQ(kv::EditConstantCell(f.s, 0, kv::ConstColLCG, "-5"), CellResult::Accepted);
    EXPECT_EQ(kv::EditConstantCell(f.s, 0, kv::ConstColFSM, "20"), CellResult::Accepted);
    EXPECT_NEAR(double(f.s.TankGroup.Groups[8].Tanks[0].AftEnd), 10, 1e-12);
    EXPECT_NEAR(double(f.s.TankGroup.Groups[8].Tanks[0].ForeEnd), 90, 1e-12);
    EXPECT_NEAR(double(Result(f.s, Constants, 0).LCG), 45, 1e-12);
    EXPECT_NEAR(double(Result(f.s, Constants, 0).FSM), 20, 1e-12);
    EXPECT_EQ(kv::EditConstantCell(f.s, 0, kv::ConstColNo, "1"), CellResult::Refused);
}

TEST(CellDoubleClicks, ModeAndSensorSteps) {
    struct Step {
        int from;
        bool online;
        int tank, cargo;
    };
    const Step steps[] = {
        {0, true, 0, 0}, {0, false, 0, 0}, {1, true, 2, 3}, {1, false, 3, 3}, {2, true, 3, 3},
        {3, true, 1, 2}, {3, false, 1, 1}, {4, true, 1, 3}, {4, false, 1, 3},
    };
    for (const auto& k : steps) {
        EXPECT_EQ(kv::NextTankSensorState(k.from, k.online), k.tank) << k.from << " " << k.online;
        EXPECT_EQ(kv::NextCargoSensorState(k.from, k.online), k.cargo) << k.from << " " << k.online;
    }
    EXPECT_EQ(kv::NextMomentMode(kv::MomentActual), kv::MomentMaximum);
    EXPECT_EQ(kv::NextMomentMode(kv::MomentMaximum), kv::MomentActual);
    EXPECT_EQ(kv::NextMomentMode(kv::MomentZero), kv::MomentActual);
}

TEST(CellEditable, ByModeTypeAndBaleCargo) {
    Cells c;
    EXPECT_TRUE(kv::TankCellEditable(c.s, kv::TankColLevel));
    EXPECT_FALSE(kv::TankCellEditable(c.s, kv::TankColVCG));
    EXPECT_FALSE(kv::TankCellEditable(c.s, kv::TankColSetFSM));
    EXPECT_FALSE(kv::CargoCellEditable(c.s, H1, kv::CargoColVCG, false));
    EXPECT_FALSE(kv::CargoCellEditable(c.s, H1, kv::CargoColVolume, true));
    c.s.LoadData.CGMode = 1;
    EXPECT_TRUE(kv::TankCellEditable(c.s, kv::TankColVCG));
    EXPECT_TRUE(kv::CargoCellEditable(c.s, H1, kv::CargoColVCG, false));
    EXPECT_FALSE(kv::CargoCellEditable(c.s, H1, kv::CargoColFSM, false));  // "BALE"
    Load(c.s, Holds, H1).CargoType = kv::CargoBulk;
    EXPECT_TRUE(kv::CargoCellEditable(c.s, H1, kv::CargoColFSM, false));
    EXPECT_FALSE(kv::CargoCellEditable(c.s, H1, kv::CargoColSetGHM, false));
}

}  // namespace

namespace {

struct SelCase {
    int row;
    const char* text;
    CellResult result;
    double level, volume, rate, density, weight;  // the grid afterwards
};

// One tank selected: T1 at 100 m3 and 1.025 t/m3.
TEST(SelectedTanks, OneTankRowsFollowTheEdit) {
    const auto A = CellResult::Accepted, R = CellResult::RangeError, S = CellResult::Refused;
    const SelCase cases[] = {
        {kv::SelRowLevel, "3", A, 3, 150, 75, 1.025, 153.75},
        {kv::SelRowLevel, "4.1", R, 2, 100, 50, 1.025, 102.5},
        {kv::SelRowVolume, "50", A, 1, 50, 25, 1.025, 51.25},
        {kv::SelRowRate, "25", A, 1, 50, 25, 1.025, 51.25},
        {kv::SelRowRate, "100.1", R, 2, 100, 50, 1.025, 102.5},
        {kv::SelRowDensity, "1.0", A, 2, 100, 50, 1.0, 100},
        {kv::SelRowDensity, "0", R, 2, 100, 50, 1.025, 102.5},
        {kv::SelRowDensity, "-1", R, 2, 100, 50, 1.025, 102.5},  // no negative weights
        {kv::SelRowDensity, "1.6", R, 2, 100, 50, 1.025, 102.5},
        {kv::SelRowWeight, "51.25", A, 1, 50, 25, 1.025, 51.25},
        {kv::SelRowWeight, "205.5", R, 2, 100, 50, 1.025, 102.5},
        {kv::SelRowWeight, "x", S, 2, 100, 50, 1.025, 102.5},
    };
    for (const auto& k : cases) {
        Cells c;
        kv::SelectedTanks sel;
        sel.Group = Tanks;
        sel.Items = {T1};
        kv::LoadSelectedTanks(c.s, sel);
        SCOPED_TRACE(testing::Message() << "row " << k.row << " text '" << k.text << "'");
        EXPECT_EQ(kv::EditSelectedTankCell(c.s, sel, k.row, k.text), k.result);
        EXPECT_EQ(c.sink.messages.size(), k.result == R ? 1u : 0u);
        EXPECT_NEAR(double(sel.Level), k.level, 1e-6);
        EXPECT_NEAR(double(sel.Volume), k.volume, 1e-9);
        EXPECT_NEAR(double(sel.Rate), k.rate, 1e-9);
        EXPECT_NEAR(double(sel.Density), k.density, 1e-12);
        EXPECT_NEAR(double(sel.Weight), k.weight, 1e-9);
        // The condition changes only on "Update".
        EXPECT_EQ(Load(c.s, Tanks, T1).Volume, 100);
        EXPECT_FALSE(c.s.ConditionModified);
    }
}

// A weight typed after the grid's density was changed gives that weight back.
TEST(SelectedTanks, WeightUsesTheGridsDensity) {
    Cells c;
    kv::SelectedTanks sel;
    sel.Group = Tanks;
    sel.Items = {T1};
    kv::LoadSelectedTanks(c.s, sel);
    ASSERT_EQ(kv::EditSelectedTankCell(c.s, sel, kv::SelRowDensity, "0.8"), CellResult::Accepted);
    ASSERT_EQ(kv::EditSelectedTankCell(c.s, sel, kv::SelRowWeight, "80"), CellResult::Accepted);
    EXPECT_NEAR(double(sel.Volume), 100, 1e-9);
    EXPECT_NEAR(double(sel.Weight), 80, 1e-9);
    EXPECT_EQ(kv::ApplySelectedTanks(c.s, sel, {}), 1);
    EXPECT_TRUE(c.s.ConditionModified);
    EXPECT_NEAR(double(Result(c.s, Tanks, T1).Weight), 80, 1e-9);
}

TEST(SelectedTanks, SeveralTanksTakeRateAndDensity) {
    Cells c;
    kv::SelectedTanks sel;
    sel.Group = Tanks;
    sel.Items = {T1, 1};
    kv::LoadSelectedTanks(c.s, sel);
    EXPECT_EQ(kv::EditSelectedTankCell(c.s, sel, kv::SelRowLevel, "1"), CellResult::Refused);
    EXPECT_EQ(kv::EditSelectedTankCell(c.s, sel, kv::SelRowRate, "150"), CellResult::RangeError);
    EXPECT_EQ(kv::EditSelectedTankCell(c.s, sel, kv::SelRowRate, "40"), CellResult::Accepted);
    EXPECT_EQ(kv::EditSelectedTankCell(c.s, sel, kv::SelRowDensity, "1.0"), CellResult::Accepted);
    EXPECT_EQ(kv::ApplySelectedTanks(c.s, sel, {}), 2);
    EXPECT_NEAR(double(Load(c.s, Tanks, T1).Volume), 80, 1e-9);  // 40 % of 200
    EXPECT_NEAR(double(Load(c.s, Tanks, 1).Volume), 40, 1e-9);   // 40 % of 100
    EXPECT_EQ(Load(c.s, Tanks, 1).Density, 1);
    EXPECT_NEAR(double(Result(c.s, Tanks, 1).Weight), 40, 1e-9);

    EXPECT_EQ(kv::FillSelectedTanks(c.s, sel, true, {}), 2);
    EXPECT_EQ(Load(c.s, Tanks, T1).Volume, 200);
    EXPECT_EQ(Load(c.s, Tanks, 1).Volume, 100);
    EXPECT_EQ(kv::FillSelectedTanks(c.s, sel, false, {}), 2);
    EXPECT_EQ(Result(c.s, Tanks, T1).Volume, 0);
}

TEST(SelectedTanks, HoldsWithBaleCargoStayAndStowageFactorsAreTaken) {
    Cells c;
    c.Units(0, 0, 0, 3);
    kv::SelectedTanks sel;
    sel.Group = Holds;
    sel.Items = {H1};
    kv::LoadSelectedTanks(c.s, sel);
    EXPECT_EQ(kv::EditSelectedTankCell(c.s, sel, kv::SelRowDensity, "35.3147"), CellResult::Accepted);
    EXPECT_NEAR(double(sel.Density), 1.0, 1e-12);
    EXPECT_EQ(kv::EditSelectedTankCell(c.s, sel, kv::SelRowDensity, "1000"), CellResult::RangeError);
    EXPECT_EQ(kv::ApplySelectedTanks(c.s, sel, {true}), 0);
    ASSERT_EQ(c.sink.messages.size(), 2u);
    EXPECT_EQ(c.sink.messages[1], "H1is already used for bale cargo");
    EXPECT_EQ(Load(c.s, Holds, H1).Density, 1.0L);  // the fixture's default, unchanged
    EXPECT_FALSE(c.s.ConditionModified);
    EXPECT_EQ(kv::FillSelectedTanks(c.s, sel, true, {false}), 1);
    EXPECT_EQ(Load(c.s, Holds, H1).Volume, 2000);
}

}  // namespace
