// End to end on the box barge: the hull tables from the ship compiler, then
// the calculation cycle with the lightship as a uniform weight at a known KG
// and constants; displacement, drafts, trim, KMT, GM and heel against the
// closed forms of the rectangular body.
#include <gtest/gtest.h>

#include "BoxBarge.h"

#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>

#include "calc/GlobalProc.h"
#include "model/kvGlobal.h"
#include "shipgen/Builders.h"
#include "shipgen/HullGeometry.h"

using namespace kv::shipgen;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kL = 100, kB = 20, kRho = 1.025;

double DispAt(double T) { return kRho * kL * kB * T; }
double LCB(double T, double t) { return kL / 2 + kL * t / (12 * T); }
double VCB(double T, double t) { return T / 2 + t * t / (24 * T); }
double KMT(double T) { return T / 2 + kB * kB / (12 * T); }

const HullTables& Tables() {
    static HullTables t = kvtest::BoxBargeTables(1500.0);
    return t;
}

struct Barge {
    kv::RecordingSink sink;
    kv::KvState s;
    Barge(double lightWeight, double lightLCG, double kg) {
        s.Messages = &sink;
        s.Tables.Messages = &sink;
        kv::shipinfo_rec& i = s.ShipInfo;
        i.LBP = kL;
        i.LOA = kL;
        i.Breadth = kB;
        i.Depth = 10;
        i.ForeEndX = kL;
        i.LightWeight = lightWeight;
        i.LightLCG = lightLCG;
        i.LightVCG = kg;
        i.ShipTables.Tables[kv::KNTableSlot] = Tables().KN;
        i.ShipTables.Tables[kv::HydroTableSlot] = Tables().Hydro;
        i.ShipTables.Tables[kv::FloodAngleTableSlot] = Tables().FloodAngle;
        i.ShipTables.Tables[kv::ImmersionTableSlot] = Tables().Immersion;
        s.LoadData.SeaDensity = 1.025;
    }
    // A deadweight constant (load group 8).
    void Constant(double w, double x, double y, double z) {
        kv::TankResult r;
        r.Weight = w;
        r.LCG = x;
        r.TCG = y;
        r.VCG = z;
        r.LMoment = w * x;
        r.TMoment = w * y;
        r.VMoment = w * z;
        s.CalcData.Summaries[9].Items.push_back(r);
        s.ShipInfo.GroupCount[8] = int(s.CalcData.Summaries[9].Items.size());
    }
};

}  // namespace

// Even keel on tabulated displacements: everything has its closed form.
TEST(CycleBoxBarge, DisplacementDraftsKMTAndGM) {
    struct Case {
        double draft, kg;
    };
    for (Case k : {Case{3, 6}, Case{5, 7.5}, Case{8.5, 4}}) {
        const double disp = DispAt(k.draft);
        // Lightship three quarters of the displacement, constants the rest,
        // both amidships so that G stands over B at even keel.
        Barge b(0.75 * disp, 50, k.kg);
        b.Constant(0.25 * disp, 50, 0, k.kg);
        kv::CalculateAll(b.s);
        const kv::calcdata_rec& c = b.s.CalcData;
        EXPECT_NEAR(double(c.Displacement), disp, 1e-6);
        EXPECT_NEAR(double(c.Deadweight), 0.25 * disp, 1e-6);
        EXPECT_NEAR(double(c.Trim), 0, 1e-6) << k.draft;
        for (kv::Extended d : {c.DraftAP, c.DraftMean, c.DraftFP, c.DraftAtLCF, c.DraftPort, c.DraftStbd})
            EXPECT_NEAR(double(d), k.draft, 1e-5) << k.draft;
        EXPECT_NEAR(double(c.KMT), KMT(k.draft), 1e-4) << k.draft;
        EXPECT_NEAR(double(c.Stab.GMSolid), KMT(k.draft) - k.kg, 1e-4);
        EXPECT_NEAR(double(c.Stab.GoM), KMT(k.draft) - k.kg, 1e-4);
        EXPECT_NEAR(double(c.LCB), 50, 1e-5);
        EXPECT_NEAR(double(c.VCB), k.draft / 2, 1e-5);
        EXPECT_NEAR(double(c.TPC), kRho * kL * kB / 100, 1e-5);
        EXPECT_EQ(double(c.Heel), 0);
        EXPECT_FALSE(b.s.Calc.FloatRangeExceeded);
    }
}

// G placed on the normal through B at a tabulated trim: the barge floats at
// that trim, with the drafts of the closed form.
TEST(CycleBoxBarge, GAboveBAtATabulatedTrimFloatsAtThatTrim) {
    for (double trim : {-2.0, 2.0}) {
        const double T = 4, disp = DispAt(T);
        const double s = std::tan(trim / kL), n = std::sqrt(1 + s * s), h = 3.0;
        const double lcg = LCB(T, trim) - h * s / n, kg = VCB(T, trim) + h / n;
        Barge b(disp, lcg, kg);
        kv::CalculateAll(b.s);
        const kv::calcdata_rec& c = b.s.CalcData;
        EXPECT_NEAR(double(c.Trim), trim, 1e-4);
        EXPECT_NEAR(double(c.DraftAP), T - trim / 2, 1e-4);
        EXPECT_NEAR(double(c.DraftFP), T + trim / 2, 1e-4);
        EXPECT_NEAR(double(c.DraftMean), T, 1e-4);
        EXPECT_NEAR(double(c.LCB), LCB(T, trim), 1e-4);
    }
}

// A transverse moment lists the barge to its side by the small-angle rule.
TEST(CycleBoxBarge, HeelSignAndSideDrafts) {
    for (double y : {-4.0, 4.0}) {
        const double T = 5, kg = 6;
        Barge b(DispAt(T) - 200, 50, kg);
        b.Constant(200, 50, y, kg);
        kv::CalculateAll(b.s);
        const kv::calcdata_rec& c = b.s.CalcData;
        const double gm = KMT(T) - kg;
        const double heel = 200 * y / (DispAt(T) * gm * std::sin(kPi / 180));
        EXPECT_NEAR(double(c.Heel), heel, 1e-4);
        EXPECT_EQ(c.Heel > 0, y > 0) << "starboard down is positive";
        EXPECT_EQ(c.DraftStbd > c.DraftPort, y > 0);
        EXPECT_NEAR(double(c.DraftStbd - c.DraftPort), kB * std::tan(heel * kPi / 180), 1e-4);
    }
}
