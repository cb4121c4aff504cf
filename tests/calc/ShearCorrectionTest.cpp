#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "HoldFixture.h"
#include "calc/HoldMass.h"
#include "calc/ShearCorrection.h"

using kv::EndPair;
using kv::KvState;

namespace {

void SetFactors(KvState& s, long double a, long double b, long double c) {
    for (auto& t : s.TankGroup.Groups[1].Tanks) t.SFFactors = {a, b, c};
}

EndPair Dq(KvState& s, int method, long double x1, long double x2, bool flooded = false) {
    return kv::ShearForceCorrection(s, method, flooded ? s.CalcDataFlood : s.CalcData, x1, x2, flooded);
}

// Which reference pair a hold took, read from dQ over its two halves: 0 at
// the fore end (full-fore), 0 at the aft end (full-aft), 0 at mid-length or
// one value throughout (half), or nothing at all.
std::string RefOf(KvState& s, int method, int h) {
    const auto& t = s.TankGroup.Groups[0].Tanks[size_t(h)];
    const long double A = t.AftEnd, F = t.ForeEnd, M = (A + F) / 2;
    const EndPair aft = Dq(s, method, A, M), fore = Dq(s, method, M, F);
    const long double dA = aft.At1, dM = aft.At2, dF = fore.At2;
    EXPECT_EQ(double(aft.At2), double(fore.At1)) << "dQ differs on the two sides of a station";
    if (dA == 0 && dM == 0 && dF == 0) return "none";
    if (dF == 0 && dA != 0) return "fore";
    if (dA == 0 && dF != 0) return "aft";
    if (dM == 0 || (dA == dM && dM == dF)) return "half";
    return "?";
}

std::string Refs(KvState& s, int method) { return RefOf(s, method, 0) + " " + RefOf(s, method, 1) + " " + RefOf(s, method, 2); }

// A ship whose every method gives a correction where it can: factors 1, 1, 1,
// shear force rising along the ship (one sign), draft 5 m.
KvState Ship() {
    KvState s = kvtest::MakeHoldState();
    SetFactors(s, 1, 1, 1);
    kvtest::SetShear(s, [](long double x) { return 2 * x; });
    return s;
}

}  // namespace

TEST(ShearCorrection, MethodNamesAndSigns) {
    const char* names[] = {"(DNV)Qsl", "(LR)Qa,Qb", "(BV,DNV,...)Qc", "(KR)Qc", "(LR)Qc"};
    const bool subtracts[] = {true, false, false, false, true};
    for (int m = 0; m < 5; ++m) {
        EXPECT_STREQ(kv::ShearCorrectionMethodName(m), names[m]);
        EXPECT_EQ(kv::CorrectionSubtracts(m), subtracts[m]);
    }
    EXPECT_STREQ(kv::ShearCorrectionMethodName(5), "");
    EXPECT_STREQ(kv::ShearCorrectionMethodName(-1), "");
}

// Outside the holds and across a bulkhead no method corrects, where inside a
// hold every one of them does.
TEST(ShearCorrection, IntervalInNoSingleHoldIsNotCorrected) {
    KvState s = Ship();
    kvtest::SetHoldWeights(s, s.CalcData, {1000, 0, 1000}, {50, 0, 50});
    s.Calc.AltHoldLoading = true;
    for (int m = 0; m < 5; ++m) {
        SCOPED_TRACE(m);
        const EndPair inside = Dq(s, m, 20, 30);
        EXPECT_NE(inside.At1, 0);
        for (auto [x1, x2] : {std::pair{10.0L, 20.0L}, {35.0L, 45.0L}, {80.0L, 90.0L}, {19.0L, 41.0L}}) {
            const EndPair d = Dq(s, m, x1, x2);
            EXPECT_EQ(d.At1, 0) << double(x1);
            EXPECT_EQ(d.At2, 0) << double(x1);
        }
    }
    // Bulkhead ends found with the tolerant comparison.
    EXPECT_NE(Dq(s, 2, 20.000001L, 29.999999L).At1, 0);
}

// Method 0 over the cargo compartment's own extent: first hold full-fore,
// last full-aft, others half; the load counts the water under the hold by
// factor a and the cargo items, and the draft at the hold by c.
TEST(ShearCorrection, Method0Values) {
    KvState s = Ship();
    SetFactors(s, 0.8L, 0.5L, 20);
    kvtest::SetHoldWeights(s, s.CalcData, {0, 1000, 0});
    s.LoadData.BaleList = {kvtest::CargoItem(100, 45, 55)};
    kvtest::AddBallast(s, 40, 60, 200, 300, 6);  // 200 m3 counted: 205 t
    s.TankGroup.Groups[1].Tanks[0].AftEnd = 22;  // the compartment, not the hold, sets L

    const long double i2 = (0.8L * 205 + 100 + 1000) * 0.5L - 20 * 5;  // 532
    const long double i0 = -20 * 5;
    struct Case {
        long double x1, x2, at1, at2;
    };
    const Case cases[] = {
        {20, 30, (20 - 40) * i0 / 18, (30 - 40) * i0 / 18},
        {40, 50, -i2, 0},
        {50, 60, 0, i2},
        {70, 80, 10 * i0 / 20, 20 * i0 / 20},
    };
    for (const Case& c : cases) {
        const EndPair d = Dq(s, 0, c.x1, c.x2);
        EXPECT_NEAR(double(d.At1), double(c.at1 / 9.81L), 1e-9) << double(c.x1);
        EXPECT_NEAR(double(d.At2), double(c.at2 / 9.81L), 1e-9) << double(c.x1);
    }
}

// Method 1 corrects only under alternate loading, by half the difference of
// the bulkhead forces of the cargo compartment.
TEST(ShearCorrection, Method1Values) {
    KvState s = Ship();  // SF = 2x: Qa - Qb = -40 in every hold
    SetFactors(s, 0.8L, 1, 1);
    kvtest::SetHoldWeights(s, s.CalcData, {1000, 1000, 1000});
    s.Calc.AltHoldLoading = kv::ComputeAltHoldLoading(s);
    ASSERT_FALSE(s.Calc.AltHoldLoading);
    for (long double x = 20; x < 80; x += 10) {
        const EndPair d = Dq(s, 1, x, x + 10);
        EXPECT_EQ(d.At1, 0);
        EXPECT_EQ(d.At2, 0);
    }
    kvtest::SetHoldWeights(s, s.CalcData, {1000, 0, 1000});
    s.Calc.AltHoldLoading = kv::ComputeAltHoldLoading(s);
    ASSERT_TRUE(s.Calc.AltHoldLoading);
    const long double C = 0.8L * 0.5L * -40;  // -16
    struct Case {
        long double x1, x2, at1, at2;
    };
    const Case cases[] = {
        {20, 30, (20 - 40) * C / 20, (30 - 40) * C / 20},  // full-fore
        {40, 50, -C, 0},                                   // half
        {50, 60, 0, C},
        {60, 70, 0, 10 * C / 20},                          // full-aft
    };
    for (const Case& c : cases) {
        const EndPair d = Dq(s, 1, c.x1, c.x2);
        EXPECT_NEAR(double(d.At1), double(c.at1), 1e-12) << double(c.x1);
        EXPECT_NEAR(double(d.At2), double(c.at2), 1e-12) << double(c.x1);
    }
}

// The reference pair each method chooses from the loads of a hold and its
// neighbours (bulkhead correction).
TEST(ShearCorrection, ReferencePairsByLoading) {
    struct Case {
        int method;
        std::vector<long double> w, p;
        long double cargoInH1, ballastUnderH1;
        const char* refs;
    };
    const Case cases[] = {
        // Method 1 (alternate loading assumed).
        {1, {1000, 0, 1000}, {}, 0, 0, "fore half aft"},
        {1, {0, 1000, 0}, {}, 0, 0, "fore half aft"},
        {1, {1000, 1000, 0}, {}, 0, 0, "none half aft"},
        {1, {0, 0, 1000}, {}, 0, 0, "none fore aft"},
        {1, {1000, 0, 0}, {}, 0, 0, "fore aft none"},
        // Method 2: loads differ at a ratio of 1.2.
        {2, {1000, 1190, 1000}, {}, 0, 0, "none none none"},
        {2, {1000, 1200, 1000}, {}, 0, 0, "fore half aft"},
        {2, {1000, 1200, 1200}, {}, 0, 0, "fore aft none"},
        {2, {1200, 1200, 1000}, {}, 0, 0, "none fore aft"},
        {2, {1000, 0, 1000}, {}, 0, 0, "fore half aft"},
        {2, {0, 1000, 1100}, {}, 0, 0, "fore aft none"},
        {2, {0, 1000, 1500}, {}, 0, 0, "fore half aft"},
        {2, {1500, 1000, 0}, {}, 0, 0, "fore half aft"},
        {2, {1000, 1000, 0}, {}, 0, 0, "none fore aft"},
        {2, {0, 1000, 0}, {}, 0, 0, "fore half aft"},
        {2, {0, 0, 0}, {}, 0, 0, "none none none"},
        {2, {0, 0, 0}, {}, 100, 0, "none aft none"},  // an empty hold's neighbour loaded by cargo items
        // Method 3: the percentages decide, not the weights.
        {3, {1000, 0, 1000}, {50, 59.5L, 50}, 0, 0, "none none none"},
        {3, {0, 0, 0}, {50, 60, 50}, 0, 0, "fore half aft"},
        {3, {0, 0, 0}, {0, 50, 55}, 0, 0, "fore half none"},  // half beside an empty hold
        {3, {0, 0, 0}, {55, 50, 0}, 0, 0, "none half aft"},
        {3, {0, 0, 0}, {0, 0, 50}, 100, 0, "none fore aft"},  // cargo items do not load a neighbour
        // Method 4: loaded or not, no comparison.
        {4, {1000, 1000, 1000}, {}, 0, 0, "fore half aft"},
        {4, {0, 1000, 0}, {}, 0, 0, "fore half aft"},
        {4, {0, 0, 0}, {}, 0, 300, "fore aft none"},  // water under the first hold loads it
        {4, {0, 0, 0}, {}, 100, 0, "none aft none"},  // cargo items load only a neighbour
    };
    for (const Case& c : cases) {
        KvState s = Ship();
        kvtest::SetHoldWeights(s, s.CalcData, c.w, c.p);
        s.Calc.AltHoldLoading = true;
        if (c.cargoInH1 > 0) s.LoadData.BaleList = {kvtest::CargoItem(c.cargoInH1, 25, 35)};
        if (c.ballastUnderH1 > 0) kvtest::AddBallast(s, 20, 40, -1, c.ballastUnderH1, 1);
        EXPECT_EQ(Refs(s, c.method), c.refs) << "method " << c.method << " w " << double(c.w[0]) << " "
                                             << double(c.w[1]) << " " << double(c.w[2]);
    }
}

// Continuous correction: by position alone, whatever the loads.
TEST(ShearCorrection, ContinuousCorrectionByPosition) {
    KvState s = Ship();
    kvtest::SetHoldWeights(s, s.CalcData, {1000, 1000, 1000}, {50, 50, 50});
    for (int m = 2; m <= 4; ++m) {
        s.ShipInfo.Options[kv::OptionContinuousCorrection].Enabled = 0;
        const std::string bulkhead = Refs(s, m);
        s.ShipInfo.Options[kv::OptionContinuousCorrection].Enabled = 1;
        EXPECT_EQ(Refs(s, m), "fore half aft") << m;
        if (m != 4) {
            EXPECT_EQ(bulkhead, "none none none") << m;
        }
    }
}

// The Qc magnitudes of methods 2 and 3 and their distribution: bulkhead forces
// of one sign give the same dQ over the whole half pair, of opposite signs a
// linear dQ through 0 at mid-length.
TEST(ShearCorrection, QcMagnitudeAndDistribution) {
    KvState s = Ship();
    SetFactors(s, 1, 2, 0.5L);
    s.CalcData.DraftMean = 6;
    kvtest::SetHoldWeights(s, s.CalcData, {500, 1000, 500}, {25, 100, 25});
    s.LoadData.BaleList = {kvtest::CargoItem(100, 45, 55)};
    kvtest::AddBallast(s, 40, 60, -1, 205.0L / 1.025L, 1.5L);  // 205 t under hold 2, level below the floor
    s.TankGroup.Groups[1].Tanks[1].DBMaxVolume = 100;           // method 2 counts 100 of it

    const long double c2 = 0.5L * std::fabs((1000 + 100 + 100) / 2.0L - 1.025L * 6);
    const long double c3 = 0.5L / 9.81L * std::fabs((1000 + 100 + 205) / 2.0L - 1.025L * 6);
    struct Case {
        int method;
        long double c;
    };
    for (const Case& m : {Case{2, c2}, Case{3, c3}}) {
        SCOPED_TRACE(m.method);
        kvtest::SetShear(s, [](long double x) { return 2 * x; });  // Qa, Qb > 0: against them
        for (auto [x1, x2] : {std::pair{40.0L, 50.0L}, {50.0L, 60.0L}}) {
            const EndPair d = Dq(s, m.method, x1, x2);
            EXPECT_NEAR(double(d.At1), double(-m.c), 1e-9);
            EXPECT_NEAR(double(d.At2), double(-m.c), 1e-9);
        }
        kvtest::SetShear(s, [](long double x) { return -2 * x; });  // Qa, Qb < 0
        EXPECT_NEAR(double(Dq(s, m.method, 40, 50).At1), double(m.c), 1e-9);
        kvtest::SetShear(s, [](long double x) { return x - 50; });  // Qa = -10, Qb = 10
        const EndPair a = Dq(s, m.method, 40, 50), f = Dq(s, m.method, 50, 60);
        EXPECT_NEAR(double(a.At1), double(m.c), 1e-9);
        EXPECT_NEAR(double(a.At2), 0, 1e-12);
        EXPECT_NEAR(double(f.At2), double(-m.c), 1e-9);
    }

    // Same-sign forces with a full pair: growing from X in the direction
    // against the forces.
    kvtest::SetHoldWeights(s, s.CalcData, {1000, 0, 0});
    kvtest::SetShear(s, [](long double x) { return 2 * x; });
    const long double c1 = 0.5L * std::fabs(1000 / 2.0L - 1.025L * 6);
    const EndPair d = Dq(s, 2, 20, 30);
    EXPECT_NEAR(double(d.At1), double(-c1), 1e-9);
    EXPECT_NEAR(double(d.At2), double(-c1 / 2), 1e-9);
}

// Method 4: over the half pair dQ is 0 at mid-length and grows towards both
// bulkheads with opposite signs; full pairs take one sign.
TEST(ShearCorrection, Method4SignsChangeAtMidLength) {
    KvState s = Ship();
    kvtest::SetStations(s, {0, 10, 20, 30, 40, 45, 50, 55, 60, 70, 80, 90, 100});
    SetFactors(s, 1, 2, 0.5L);
    s.CalcData.DraftMean = 6;
    kvtest::SetHoldWeights(s, s.CalcData, {500, 1000, 500});
    const long double C = 0.5L * std::fabs(1000 / 2.0L - 1.025L * 6);
    const long double xs[] = {40, 45, 50, 55, 60};
    const long double expected[] = {C, C / 2, 0, -C / 2, -C};
    for (int sign : {1, -1}) {
        SCOPED_TRACE(sign);
        kvtest::SetShear(s, [sign](long double x) { return sign * (100 - x); });  // Qa - Qb = 20 sign
        for (int i = 0; i < 4; ++i) {
            const EndPair d = Dq(s, 4, xs[i], xs[i + 1]);
            EXPECT_NEAR(double(d.At1), double(sign * expected[i]), 1e-9) << double(xs[i]);
            EXPECT_NEAR(double(d.At2), double(sign * expected[i + 1]), 1e-9) << double(xs[i]);
        }
    }
    // First hold, full-fore: Qa - Qb < 0 makes it negative at both ends.
    kvtest::SetShear(s, [](long double x) { return x; });
    const long double C1 = 0.5L * std::fabs(500 / 2.0L - 1.025L * 6);
    const EndPair d = Dq(s, 4, 20, 30);
    EXPECT_NEAR(double(d.At1), double(-C1), 1e-9);
    EXPECT_NEAR(double(d.At2), double(-C1 / 2), 1e-9);
}

// The flooded call reads the flooded shear force and the flooded record's
// weights and draft.
TEST(ShearCorrection, FloodedCallUsesFloodedValues) {
    KvState s = Ship();
    SetFactors(s, 0.8L, 1, 1);
    kvtest::SetShear(s, [](long double x) { return 2 * x; });
    kvtest::SetShear(s, [](long double x) { return 5 * x; }, true);
    kvtest::SetHoldWeights(s, s.CalcData, {1000, 1000, 1000});
    s.CalcDataFlood = s.CalcData;
    kvtest::SetHoldWeights(s, s.CalcDataFlood, {1000, 0, 1000});
    s.CalcDataFlood.DraftMean = 7;
    s.Calc.AltHoldLoading = true;

    // Method 1: H1 full-fore only with the flooded weights; C from 5x.
    const long double C = 0.8L * 0.5L * (100 - 200);
    const EndPair f = Dq(s, 1, 20, 30, true);
    EXPECT_NEAR(double(f.At1), double(-C), 1e-12);
    EXPECT_NEAR(double(f.At2), double(-C / 2), 1e-12);
    EXPECT_EQ(Dq(s, 1, 20, 30, false).At1, 0);  // intact: the next hold is loaded

    // Method 0: the flooded record's draft.
    const long double i0 = 1000 * 1 - 1 * 7;
    EXPECT_NEAR(double(Dq(s, 0, 20, 30, true).At1), double(-20 * i0 / 20 / 9.81L), 1e-9);
}

// A bulkhead that is not a station takes the shear force interpolated at its
// position in the interval that holds it.
TEST(ShearCorrection, BulkheadBetweenStationsInterpolatesTheShearForce) {
    KvState s = Ship();
    kvtest::SetStations(s, {0, 10, 20, 30, 35, 45, 50, 60, 70, 80, 90, 100});  // no station at 40
    kvtest::SetShear(s, [](long double x) { return x * x; });
    SetFactors(s, 0.8L, 1, 1);
    kvtest::SetHoldWeights(s, s.CalcData, {1000, 0, 1000});
    s.Calc.AltHoldLoading = true;
    const long double sf40 = (35 * 35 + 45 * 45) / 2.0L;  // 1625 on the chord, not 1600

    const long double c2 = 0.8L * 0.5L * (sf40 - 3600);  // H2: Qa at 40, Qb at 60
    const EndPair h2 = Dq(s, 1, 45, 50);
    EXPECT_NEAR(double(h2.At1), double(-5 * c2 / 10), 1e-9);
    EXPECT_NEAR(double(h2.At2), 0, 1e-12);

    const long double c1 = 0.8L * 0.5L * (400 - sf40);  // H1: Qa at 20, Qb at 40
    EXPECT_NEAR(double(Dq(s, 1, 20, 30).At1), double(-20 * c1 / 20), 1e-9);
}

// Missing factors give no correction rather than a division by zero.
TEST(ShearCorrection, ZeroFactorsGiveNoCorrection) {
    KvState s = Ship();
    kvtest::SetHoldWeights(s, s.CalcData, {1000, 0, 1000}, {50, 0, 50});
    SetFactors(s, 0, 0, 0);
    for (int m = 2; m <= 4; ++m) {
        const EndPair d = Dq(s, m, 20, 30);
        EXPECT_EQ(d.At1, 0) << m;
        EXPECT_EQ(d.At2, 0) << m;
    }
}

// The whole interval list at once gives what each interval gives alone,
// through engine room, holds, a bulkhead between stations and the fore body.
TEST(ShearCorrection, WholeListMatchesEachInterval) {
    KvState s = Ship();
    kvtest::SetStations(s, {0, 10, 20, 25, 30, 35, 45, 50, 60, 65, 70, 80, 90, 100});
    kvtest::SetShear(s, [](long double x) { return 40 * std::sin(double(x) / 15); });
    kvtest::SetShear(s, [](long double x) { return 900 - 12 * x; }, true);
    SetFactors(s, 0.9L, 1.1L, 0.7L);
    kvtest::SetHoldWeights(s, s.CalcData, {800, 0, 1300}, {40, 0, 65});
    s.CalcDataFlood = s.CalcData;
    kvtest::SetHoldWeights(s, s.CalcDataFlood, {800, 2000, 1300}, {40, 100, 65});
    s.LoadData.BaleList = {kvtest::CargoItem(150, 42, 48)};
    kvtest::AddBallast(s, 30, 50, -1, 120, 3);
    s.Calc.AltHoldLoading = true;
    for (int m = 0; m < 5; ++m)
        for (bool flooded : {false, true}) {
            const std::vector<EndPair> all =
                kv::ShearForceCorrections(s, m, flooded ? s.CalcDataFlood : s.CalcData, flooded);
            ASSERT_EQ(all.size(), s.Strength.Intervals.size());
            int corrected = 0;
            for (size_t i = 0; i < all.size(); ++i) {
                const auto& iv = s.Strength.Intervals[i];
                const EndPair one = Dq(s, m, iv.X1, iv.X2, flooded);
                EXPECT_EQ(all[i].At1, one.At1) << m << " " << flooded << " " << double(iv.X1);
                EXPECT_EQ(all[i].At2, one.At2) << m << " " << flooded << " " << double(iv.X1);
                if (one.At1 != 0 || one.At2 != 0) ++corrected;
            }
            EXPECT_GT(corrected, 0) << m << " " << flooded;
        }
}
