// Tank contents against the closed forms of the box compartments of the
// fixture (see TankFixture.h for the tables).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TankFixture.h"
#include "calc/TankContents.h"

using kv::Extended;
using kvtest::MakeTankState;
using kvtest::SetCorrection;

namespace {

constexpr int Holds = 1, Tanks = 2, Constants = 8;
constexpr int T1 = 0, Flat = 1, H1 = 0;

kv::TankResult& Result(kv::KvState& s, int g, int i) { return s.CalcData.Summaries[size_t(g) + 1].Items[size_t(i)]; }
kv::loadinfo_rec& Load(kv::KvState& s, int g, int i) { return s.LoadData.Loads[size_t(g)].Items[size_t(i)]; }

struct VolumeCase {
    const char* method;  // "" = corrections off
    double level, trim, heel;
    double volume;
};

TEST(TankVolumeFromLevel, TanksThroughEveryCorrectionMethod) {
    const VolumeCase cases[] = {
        {"", 2, 0.5, 1, 100},     // even-keel table whatever the trim
        {"0", 2, 0.5, 1, 107.5},  // trim column 97.5 plus heel table 10 m3
        {"1", 2, 0.5, 1, 95.5},   // sounding -100 mm (trim) +10 mm (heel): volume at 1.91
        {"2", 2, 0.5, 1, 98.0},   // trim column at the sounding 2.01
        {"2", 2, -0.5, 0, 102.5}, // between the trim columns -1 and 0
        {"2", 2, 3, 0, 95},       // beyond the last trim column: the last column
        {"2", 2, 0, 5, 101},      // beyond the last heel column: +20 mm
        {"2", 0, 1, 0, 0},        // a negative table volume is empty
        {"2", 4, -1, 0, 200},     // above the capacity: the capacity
        {"7", 2, 0.5, 1, 100},    // unknown method: the even-keel table
    };
    for (const auto& c : cases) {
        kv::KvState s = MakeTankState();
        SetCorrection(s, kv::TankCorrectionOption, c.method);
        EXPECT_NEAR(double(kv::TankVolumeFromLevel(s, Tanks, T1, c.level, c.trim, c.heel)), c.volume, 1e-9)
            << "method '" << c.method << "' level " << c.level << " trim " << c.trim << " heel " << c.heel;
    }
}

TEST(TankVolumeFromLevel, HoldsByUllageAndGrainTable) {
    struct HoldCase {
        const char* method;
        int cargoType;
        double level, trim, heel;
        double volume;
    };
    const HoldCase cases[] = {
        {"", kv::CargoBale, 5, 1, 2, 1000},
        {"1", kv::CargoBale, 5, 1, 2, 976},    // ullage 5 + 100 mm + 20 mm
        {"0", kv::CargoBale, 5, 1, 2, 1040},   // trim column 1020 + heel table 20 m3
        {"1", kv::CargoTGrain, 5, 1, 2, 1000}, // grain table, corrections ignored
        {"1", kv::CargoTGrain, 10, 0, 0, 1900},// capped at the trimmed grain volume
        {"", kv::CargoUGrain, 10, 0, 0, 1700}, // capped at the untrimmed grain volume
    };
    for (const auto& c : cases) {
        kv::KvState s = MakeTankState();
        SetCorrection(s, kv::HoldCorrectionOption, c.method);
        Load(s, Holds, H1).CargoType = c.cargoType;
        EXPECT_NEAR(double(kv::TankVolumeFromLevel(s, Holds, H1, c.level, c.trim, c.heel)), c.volume, 1e-9)
            << "method '" << c.method << "' type " << c.cargoType << " level " << c.level;
    }
}

TEST(TankVolumeFromLevel, ConstantsAndUnknownItemsHaveNoVolume) {
    kv::KvState s = MakeTankState();
    EXPECT_EQ(kv::TankVolumeFromLevel(s, Constants, 0, 2, 0, 0), 0);
    EXPECT_EQ(kv::TankVolumeFromLevel(s, Tanks, 7, 2, 0, 0), 0);
    EXPECT_EQ(kv::TankLevelFromVolume(s, Tanks, -1, 0, 0, 10), 0);
}

TEST(TankVolumeFromLevel, OnlyTheVolumeLookupReportsAnExcursion) {
    kv::KvState s = MakeTankState();
    s.Tables.TableRangeExceeded = false;
    EXPECT_NEAR(double(kv::TankLevelFromVolume(s, Tanks, T1, 0, 0, 300)), 4, 1e-12);
    EXPECT_FALSE(s.Tables.TableRangeExceeded);
    EXPECT_NEAR(double(kv::TankVolumeFromLevel(s, Tanks, T1, 5, 0, 0)), 200, 1e-12);
    EXPECT_TRUE(s.Tables.TableRangeExceeded);
}

TEST(TankLevelFromVolume, GrainHoldsReadTheirUllage) {
    kv::KvState s = MakeTankState();
    Load(s, Holds, H1).CargoType = kv::CargoTGrain;
    EXPECT_NEAR(double(kv::TankLevelFromVolume(s, Holds, H1, 0, 0, 1000)), 5, 1e-12);
    Load(s, Holds, H1).CargoType = kv::CargoUGrain;
    EXPECT_NEAR(double(kv::TankLevelFromVolume(s, Holds, H1, 0, 0, 1000)), 10, 1e-12);
}

// The level found maps back to the volume wherever the volume can be reached
// at that trim and heel, and is held at the end of the tank otherwise.
TEST(SolveTankLevel, LevelMapsBackToTheVolume) {
    for (const char* method : {"0", "1", "2"}) {
        for (double trim : {-0.7, 0.0, 0.4, 2.5}) {
            for (double heel : {-1.0, 0.0, 1.5}) {
                for (double volume : {3.0, 57.3, 150.0, 196.0}) {
                    kv::KvState s = MakeTankState();
                    SetCorrection(s, kv::TankCorrectionOption, method);
                    const Extended empty = kv::TankVolumeFromLevel(s, Tanks, T1, 0, trim, heel);
                    const Extended full = kv::TankVolumeFromLevel(s, Tanks, T1, 4, trim, heel);
                    const Extended h = kv::TankLevelFromVolume(s, Tanks, T1, trim, heel, volume);
                    SCOPED_TRACE(testing::Message() << "method " << method << " trim " << trim << " heel " << heel
                                                    << " volume " << volume);
                    ASSERT_GE(h, 0);
                    ASSERT_LE(h, 4);
                    if (volume < empty) EXPECT_NEAR(double(h), 0, 1e-6);
                    else if (volume > full) EXPECT_NEAR(double(h), 4, 1e-6);
                    else EXPECT_NEAR(double(kv::TankVolumeFromLevel(s, Tanks, T1, h, trim, heel)), volume, 1e-4);
                }
            }
        }
    }
}

TEST(SolveTankLevel, EmptyAndFullNeedNoSearch) {
    kv::KvState s = MakeTankState();
    EXPECT_EQ(kv::SolveTankLevel(s, Tanks, T1, 0, 0.5, 0), 0);
    EXPECT_EQ(kv::SolveTankLevel(s, Tanks, T1, 200, 0.5, 0), 4);
    EXPECT_EQ(kv::SolveTankLevel(s, Tanks, T1, 250, 0.5, 0), 4);
}

// The tank holds nothing below 1.5 m: the secant from 0 m and 1 m sees the
// same volume twice and cannot move; the level must still be the true one.
TEST(SolveTankLevel, FlatStretchAtTheBottomStillGivesTheLevel) {
    kv::KvState s = MakeTankState();
    EXPECT_NEAR(double(kv::SolveTankLevel(s, Tanks, Flat, 50, 0, 0)), 2.75, 1e-5);
    EXPECT_NEAR(double(kv::SolveTankLevel(s, Tanks, Flat, 4, 0, 0)), 1.6, 1e-5);
}

TEST(SolveTankLevel, ShallowTankIsNotProbedAboveItsTop) {
    kv::KvState s = MakeTankState();
    auto& t = s.TankGroup.Groups[2].Tanks[T1];
    t.TkTables[kv::TkBase] = kvtest::MakeTable({"LEVEL", "VOLUME", "LCG", "TCG", "VCG", "FSM"},
                                                {{0, 0, 1, 0, 0, 1}, {0.8L, 40, 1, 0, 0.4L, 1}});
    t.MaxLevel = 0.8L;
    t.MaxVolume = 40;
    s.Tables.TableRangeExceeded = false;
    EXPECT_NEAR(double(kv::SolveTankLevel(s, Tanks, T1, 10, 0, 0)), 0.2, 1e-6);
    EXPECT_FALSE(s.Tables.TableRangeExceeded);
}

TEST(UpdateTankItem, TankResultFromTheLoadingRecord) {
    kv::KvState s = MakeTankState();
    Load(s, Tanks, T1).Volume = 100;
    kv::UpdateTankItem(s, Tanks, T1);
    const auto& r = Result(s, Tanks, T1);
    EXPECT_NEAR(double(r.Level), 2, 1e-12);
    EXPECT_NEAR(double(r.Volume), 100, 1e-12);
    EXPECT_NEAR(double(r.Percent), 50, 1e-12);
    EXPECT_NEAR(double(r.SG), 1.025, 1e-12);
    EXPECT_NEAR(double(r.Weight), 102.5, 1e-12);
    EXPECT_NEAR(double(r.LCG), 25, 1e-12);
    EXPECT_NEAR(double(r.TCG), 1, 1e-12);
    EXPECT_NEAR(double(r.VCG), 1, 1e-12);
    EXPECT_NEAR(double(r.LMoment), 2562.5, 1e-9);
    EXPECT_NEAR(double(r.TMoment), 102.5, 1e-9);
    EXPECT_NEAR(double(r.VMoment), 102.5, 1e-9);
    EXPECT_NEAR(double(r.FSM), 102.5, 1e-9);
    // Automatic centres are written back into the record.
    const auto& rec = Load(s, Tanks, T1);
    EXPECT_NEAR(double(rec.LCG), 25, 1e-12);
    EXPECT_NEAR(double(rec.TCG), 1, 1e-12);
    EXPECT_NEAR(double(rec.VCG), 1, 1e-12);
}

TEST(UpdateTankItem, FreeSurfaceMomentByMode) {
    struct FsmCase {
        double volume;
        int mode;
        double reduction;
        double fsm;
    };
    // Table FSM 100, MaxFSM 120, density 1.025; MaxVolume 200.
    const FsmCase cases[] = {
        {100, kv::MomentActual, 0, 102.5},
        {195.8, kv::MomentActual, 0, 102.5},  // 97.9 %
        {195.99996, kv::MomentActual, 0, 102.5},  // 97.99998 %
        {195.99999, kv::MomentActual, 0, 0},  // 97.999995 %: pressed full
        {200, kv::MomentActual, 0, 0},
        {100, kv::MomentMaximum, 0, 123},
        {0, kv::MomentMaximum, 0, 0},         // empty: no surface
        {100, kv::MomentZero, 0, 0},
        {100, kv::MomentActual, 0.25, 76.875},
        {100, kv::MomentMaximum, 0.25, 92.25},
    };
    for (const auto& c : cases) {
        kv::KvState s = MakeTankState();
        s.TankGroup.Groups[2].Tanks[T1].FSMReduction = c.reduction;
        Load(s, Tanks, T1).Volume = c.volume;
        Load(s, Tanks, T1).MomentMode = c.mode;
        kv::UpdateTankItem(s, Tanks, T1);
        EXPECT_NEAR(double(Result(s, Tanks, T1).FSM), c.fsm, 1e-9)
            << "volume " << c.volume << " mode " << c.mode << " reduction " << c.reduction;
    }
}

TEST(UpdateTankItem, ManualCentresStandAndSwitchingKeepsTheResult) {
    kv::KvState s = MakeTankState();
    Load(s, Tanks, T1).Volume = 100;
    kv::UpdateTankItem(s, Tanks, T1);
    const kv::TankResult automatic = Result(s, Tanks, T1);

    s.LoadData.CGMode = 1;
    kv::UpdateTankItem(s, Tanks, T1);
    const auto& same = Result(s, Tanks, T1);
    EXPECT_NEAR(double(same.LCG), double(automatic.LCG), 1e-12);
    EXPECT_NEAR(double(same.VCG), double(automatic.VCG), 1e-12);
    EXPECT_NEAR(double(same.FSM), double(automatic.FSM), 1e-12);

    auto& rec = Load(s, Tanks, T1);
    rec.LCG = 30;
    rec.TCG = -2;
    rec.VCG = 3;
    rec.FSMValue = 55;
    kv::UpdateTankItem(s, Tanks, T1);
    const auto& r = Result(s, Tanks, T1);
    EXPECT_NEAR(double(r.LCG), 30, 1e-12);
    EXPECT_NEAR(double(r.TCG), -2, 1e-12);
    EXPECT_NEAR(double(r.VCG), 3, 1e-12);
    EXPECT_NEAR(double(r.FSM), 55, 1e-12);
    EXPECT_NEAR(double(r.LMoment), 3075, 1e-9);
    EXPECT_NEAR(double(r.TMoment), -205, 1e-9);
    EXPECT_NEAR(double(rec.LCG), 30, 1e-12);  // the record is not overwritten
    rec.MomentMode = kv::MomentZero;
    kv::UpdateTankItem(s, Tanks, T1);
    EXPECT_EQ(Result(s, Tanks, T1).FSM, 0);
}

TEST(UpdateTankItem, HoldsAreCappedAtTheirCapacity) {
    struct HoldCase {
        int type;
        double volume;
        double density;
        double stored;          // volume in the record afterwards
        double capacityPercent;
        double percent;
        double level;
        double fsm;
    };
    const HoldCase cases[] = {
        {kv::CargoTGrain, 1950, 0.8, 1900, 100, 95, 9.5, 0},  // level from the grain ullage
        {kv::CargoTGrain, 1899, 0.8, 1899, 100, 94.95, 9.495, 0},  // 99.947 % shows as full
        {kv::CargoTGrain, 950, 0.8, 950, 50, 47.5, 4.75, 0},
        {kv::CargoUGrain, 1800, 0.8, 1700, 100, 85, 10, 0},
        {kv::CargoBale, 1000, 0.5, 1000, 50, 50, 5, 0},           // solid cargo: no free surface
        {kv::CargoBulk, 1000, 1.5, 1000, 50, 50, 5, 0},
        {kv::CargoEBallast, 1000, 1.025, 1000, 50, 50, 5, 1640},
        {kv::CargoBale, 2000.000005, 0.5, 2000.000005, 100, 100, 10, 0},  // within the tolerance
    };
    for (const auto& c : cases) {
        kv::KvState s = MakeTankState();
        auto& rec = Load(s, Holds, H1);
        rec.CargoType = c.type;
        rec.Volume = c.volume;
        rec.Density = c.density;
        kv::UpdateTankItem(s, Holds, H1);
        const auto& r = Result(s, Holds, H1);
        SCOPED_TRACE(testing::Message() << "type " << c.type << " volume " << c.volume);
        EXPECT_NEAR(double(rec.Volume), c.stored, 1e-9);
        EXPECT_NEAR(double(r.Volume), c.stored, 1e-9);
        EXPECT_NEAR(double(r.CapacityPercent), c.capacityPercent, 1e-9);
        EXPECT_NEAR(double(r.Percent), c.percent, 1e-6);
        EXPECT_NEAR(double(r.Level), c.level, 1e-6);
        EXPECT_NEAR(double(r.Weight), c.stored * c.density, 1e-6);
        EXPECT_NEAR(double(r.FSM), c.fsm, 1e-9);
    }
}

TEST(UpdateTankItem, MeasuredHoldLevelStandsOnlineUnlessManual) {
    struct OnlineCase {
        bool online;
        int sensor;
        double level;
    };
    const OnlineCase cases[] = {{true, 2, 7.5}, {true, 4, 7.5}, {true, 3, 5}, {false, 2, 5}};
    for (const auto& c : cases) {
        kv::KvState s = MakeTankState();
        s.OnlineMode = c.online;
        Load(s, Holds, H1).Volume = 1000;
        Result(s, Holds, H1).SensorState = c.sensor;
        Result(s, Holds, H1).Level = 7.5;
        kv::UpdateTankItem(s, Holds, H1);
        EXPECT_NEAR(double(Result(s, Holds, H1).Level), c.level, 1e-9) << c.online << " " << c.sensor;
        EXPECT_EQ(Result(s, Holds, H1).SensorState, c.sensor);
    }
}

TEST(UpdateTankItem, ConstantsAsEntered) {
    kv::KvState s = MakeTankState();
    const auto& r = Result(s, Constants, 0);
    EXPECT_EQ(r.Weight, 150);
    EXPECT_EQ(r.LCG, 70);
    EXPECT_EQ(r.TCG, 0.5L);
    EXPECT_EQ(r.VCG, 7);
    EXPECT_EQ(r.FSM, 12);
    EXPECT_EQ(r.LMoment, 150 * 70);
    EXPECT_EQ(r.TMoment, 75);
    EXPECT_EQ(r.VMoment, 1050);
    EXPECT_EQ(r.Volume, 0);
}

TEST(UpdateTankItem, DegenerateInputGivesFiniteResults) {
    kv::KvState s = MakeTankState();
    s.TankGroup.Groups[2].Tanks[Flat].MaxVolume = 0;
    Load(s, Tanks, Flat).Volume = 10;
    Load(s, Tanks, T1).Volume = 100;
    Load(s, Tanks, T1).Density = std::numeric_limits<long double>::quiet_NaN();
    Load(s, Holds, H1).CargoType = kv::CargoTGrain;
    s.TankGroup.Groups[1].Tanks[H1].TrimmedVolume = 0;
    Load(s, Holds, H1).Volume = 500;
    s.CalcData.Summaries[3].Items.clear();  // results never sized: the update sizes them
    kv::UpdateAllTankItems(s);
    ASSERT_EQ(s.CalcData.Summaries[3].Items.size(), 2u);
    for (auto [g, i] : {std::pair{Tanks, Flat}, std::pair{Tanks, T1}, std::pair{Holds, H1}}) {
        const auto& r = Result(s, g, i);
        for (Extended v : {r.Level, r.Volume, r.Percent, r.CapacityPercent, r.SG, r.Weight, r.LCG, r.VCG, r.FSM,
                           r.LMoment, r.VMoment})
            EXPECT_TRUE(std::isfinite(double(v))) << "group " << g << " item " << i;
    }
    EXPECT_EQ(Result(s, Tanks, Flat).Percent, 0);
    EXPECT_EQ(Result(s, Tanks, T1).Weight, 0);
    EXPECT_EQ(Result(s, Holds, H1).Volume, 0);
    EXPECT_EQ(Result(s, Holds, H1).CapacityPercent, 0);
}

// The capacity is a volume in cubic metres whatever unit the grids show.
TEST(HoldCapacity, DoesNotDependOnTheDisplayUnit) {
    kv::KvState s = MakeTankState();
    s.Config.VolumeUnit = 1;
    kv::RefreshUnits(s.Config, s.Units);
    ASSERT_NE(s.Units.Volume(), 1);
    EXPECT_EQ(kv::HoldCapacity(s, H1), 2000);
    Load(s, Holds, H1).CargoType = kv::CargoTGrain;
    EXPECT_EQ(kv::HoldCapacity(s, H1), 1900);
    Load(s, Holds, H1).CargoType = kv::CargoBale;
    Load(s, Holds, H1).Volume = 1500;
    kv::UpdateTankItem(s, Holds, H1);
    EXPECT_NEAR(double(Result(s, Holds, H1).CapacityPercent), 75, 1e-9);
    EXPECT_EQ(kv::HoldCapacity(s, 5), 0);
}

TEST(SetSoundingCorrection, TanksKeepTheirSoundings) {
    struct CorrCase {
        int trimSign;
        double trim;
        double volume;
    };
    // Method "2": 50 h - 5 t at the sounding 2 m.
    const CorrCase cases[] = {{1, 1, 95}, {-1, 1, 105}, {1, -0.5, 102.5}};
    for (const auto& c : cases) {
        kv::KvState s = MakeTankState();
        SetCorrection(s, kv::TankCorrectionOption, "2");
        s.ShipInfo.TrimSign = c.trimSign;
        Load(s, Tanks, T1).Volume = 100;
        kv::UpdateTankItem(s, Tanks, T1);
        kv::SetSoundingCorrection(s, c.trim, 0);
        EXPECT_EQ(s.LoadData.TrimCorr, Extended(c.trim));
        EXPECT_NEAR(double(Load(s, Tanks, T1).Volume), c.volume, 1e-9) << c.trimSign << " " << c.trim;
        EXPECT_NEAR(double(Result(s, Tanks, T1).Level), 2, 1e-5);
    }
}

}  // namespace
