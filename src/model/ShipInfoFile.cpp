#include "model/ShipInfoFile.h"

#include "model/ShipFileSupport.h"

namespace kv {

namespace {

// Offsets of the named fields inside blocks A to F (bytes 0..719 of the ship
// record; every Extended sits in a 16-byte slot).
enum : size_t {
    OffGroupCount = 12,
    OffTrimSign = 124,
    OffHeelSign = 132,
    OffLongRefMidship = 140,
    OffLongSign = 148,
    OffTransSign = 156,
    OffDraftMarks = 160,
    OffPropImmMethod = 232,
    OffPropDiameter = 240,
    OffPropShaftHeight = 256,
    OffPropX = 272,
    OffVisibility = 288,
    OffBilgeKeelArea = 320,
    OffCrossCurveKG = 336,
    OffMarkDraftOffset = 352,
    OffShipName = 368,
    OffHullNo = 419,
    OffDataStatus = 470,
    OffLOA = 496,
};

// The Extended particulars from LOA (496) to ForeEndX (704), 16 bytes apart.
template <class Ship>
auto ParticularFields(Ship& s) {
    return std::array{&s.LOA, &s.LBP, &s.Breadth, &s.Depth, &s.DesignDisplacement, &s.DesignDeadweight,
                      &s.GrossTonnage, &s.NetTonnage, &s.LightWeight, &s.LightLCG, &s.LightTCG, &s.LightVCG,
                      &s.AftEndX, &s.ForeEndX};
}

std::vector<object_rec> ReadObjects(BinReader& r) {
    std::vector<object_rec> list;
    int32_t n = r.Count(ObjectHeadBytes);
    list.reserve(size_t(n));
    for (int32_t i = 0; i < n; ++i) {
        object_rec o;
        r.Bytes(o.Head.data(), ObjectHeadBytes);
        DecodeObjectHead(o);
        // The head's point count says how many points follow it.
        r.RequireRecords(o.PointCount, OutlinePointBytes);
        o.Outline.resize(o.PointCount > 0 ? size_t(o.PointCount) : 0);
        for (TPoint2D& p : o.Outline) {
            p.X = r.Double();
            p.Y = r.Double();
        }
        list.push_back(std::move(o));
    }
    return list;
}

void WriteObjects(BinWriter& w, const std::vector<object_rec>& list) {
    w.Int32(int32_t(list.size()));
    for (const object_rec& o : list) {
        w.Block(EncodeObjectHead(o));
        for (const TPoint2D& p : o.Outline) {
            w.Double(p.X);
            w.Double(p.Y);
        }
    }
}

std::vector<allowseg_rec> ReadSegments(BinReader& r, int32_t count) {
    r.RequireRecords(count, AllowSegBytes);
    std::vector<allowseg_rec> segs(count > 0 ? size_t(count) : 0);
    for (allowseg_rec& s : segs) {
        r.Bytes(s.Raw.data(), AllowSegBytes);
        DecodeAllowSeg(s);
    }
    return segs;
}

void ReadAllowSet(BinReader& r, allow_rec& a) {
    a = allow_rec();
    r.Bytes(a.Head.data(), AllowHeadBytes);
    DecodeAllowHead(a);
    a.sfsegs = ReadSegments(r, a.sfcount);
    a.bmsegs = ReadSegments(r, a.bmcount);
    a.tmsegs = ReadSegments(r, a.tmcount);
}

void WriteAllowSet(BinWriter& w, const allow_rec& a) {
    w.Block(EncodeAllowHead(a));
    for (const auto* segs : {&a.sfsegs, &a.bmsegs, &a.tmsegs})
        for (const allowseg_rec& s : *segs) w.Block(EncodeAllowSeg(s));
}

std::vector<masspoint_rec> ReadMassCurve(BinReader& r) {
    int32_t n = r.Count(MassPointBytes);
    std::vector<masspoint_rec> curve(static_cast<size_t>(n));
    for (masspoint_rec& p : curve) {
        r.Bytes(p.Raw.data(), MassPointBytes);
        DecodeMassPoint(p);
    }
    return curve;
}

void WriteMassCurve(BinWriter& w, const std::vector<masspoint_rec>& curve) {
    w.Int32(int32_t(curve.size()));
    for (const masspoint_rec& p : curve) w.Block(EncodeMassPoint(p));
}

// The curves of one hold entry in file order: for SEA then PORT, the one-hold
// maximum and minimum, then the two-holds maximum and minimum.
template <class Entry>
auto MassCurves(Entry& e) {
    return std::array{&e.OneHold[0].MaxCurve, &e.OneHold[0].MinCurve, &e.TwoHolds[0].MaxCurve,
                      &e.TwoHolds[0].MinCurve, &e.OneHold[1].MaxCurve, &e.OneHold[1].MinCurve,
                      &e.TwoHolds[1].MaxCurve, &e.TwoHolds[1].MinCurve};
}

}  // namespace

// ---- single records --------------------------------------------------------

void DecodeShipFixed(shipinfo_rec& s) {
    const uint8_t* b = s.Fixed.data();
    for (size_t g = 0; g < s.GroupCount.size(); ++g) s.GroupCount[g] = GetInt32(b, OffGroupCount + 4 * g);
    s.TrimSign = GetInt32(b, OffTrimSign);
    s.HeelSign = GetInt32(b, OffHeelSign);
    s.LongRefMidship = GetInt32(b, OffLongRefMidship);
    s.LongSign = GetInt32(b, OffLongSign);
    s.TransSign = GetInt32(b, OffTransSign);
    for (size_t i = 0; i < 3; ++i)
        for (size_t j = 0; j < 3; ++j) s.DraftMarks[i][j] = GetDouble(b, OffDraftMarks + 24 * i + 8 * j);
    s.PropImmMethod = GetInt32(b, OffPropImmMethod);
    s.PropDiameter = GetExt(b, OffPropDiameter);
    s.PropShaftHeight = GetExt(b, OffPropShaftHeight);
    s.PropX = GetExt(b, OffPropX);
    for (size_t k = 0; k < 2; ++k) {
        s.VisibilityPoints[k].X = GetDouble(b, OffVisibility + 16 * k);
        s.VisibilityPoints[k].Y = GetDouble(b, OffVisibility + 16 * k + 8);
    }
    s.BilgeKeelArea = GetExt(b, OffBilgeKeelArea);
    s.CrossCurveKG = GetExt(b, OffCrossCurveKG);
    s.MarkDraftOffset = GetExt(b, OffMarkDraftOffset);
    s.ShipName = GetShort<50>(b, OffShipName);
    s.HullNo = GetShort<50>(b, OffHullNo);
    s.DataStatus = GetShort<25>(b, OffDataStatus);
    auto fields = ParticularFields(s);
    for (size_t i = 0; i < fields.size(); ++i) *fields[i] = GetExt(b, OffLOA + 16 * i);
}

std::array<uint8_t, ShipFixedBytes> EncodeShipFixed(const shipinfo_rec& s) {
    std::array<uint8_t, ShipFixedBytes> out = s.Fixed;
    uint8_t* b = out.data();
    for (size_t g = 0; g < s.GroupCount.size(); ++g) PutInt32(b, OffGroupCount + 4 * g, s.GroupCount[g]);
    PutInt32(b, OffTrimSign, s.TrimSign);
    PutInt32(b, OffHeelSign, s.HeelSign);
    PutInt32(b, OffLongRefMidship, s.LongRefMidship);
    PutInt32(b, OffLongSign, s.LongSign);
    PutInt32(b, OffTransSign, s.TransSign);
    for (size_t i = 0; i < 3; ++i)
        for (size_t j = 0; j < 3; ++j) PutDouble(b, OffDraftMarks + 24 * i + 8 * j, s.DraftMarks[i][j]);
    PutInt32(b, OffPropImmMethod, s.PropImmMethod);
    PutExt(b, OffPropDiameter, s.PropDiameter);
    PutExt(b, OffPropShaftHeight, s.PropShaftHeight);
    PutExt(b, OffPropX, s.PropX);
    for (size_t k = 0; k < 2; ++k) {
        PutDouble(b, OffVisibility + 16 * k, s.VisibilityPoints[k].X);
        PutDouble(b, OffVisibility + 16 * k + 8, s.VisibilityPoints[k].Y);
    }
    PutExt(b, OffBilgeKeelArea, s.BilgeKeelArea);
    PutExt(b, OffCrossCurveKG, s.CrossCurveKG);
    PutExt(b, OffMarkDraftOffset, s.MarkDraftOffset);
    PutShort(b, OffShipName, s.ShipName);
    PutShort(b, OffHullNo, s.HullNo);
    PutShort(b, OffDataStatus, s.DataStatus);
    auto fields = ParticularFields(s);
    for (size_t i = 0; i < fields.size(); ++i) PutExt(b, OffLOA + 16 * i, *fields[i]);
    return out;
}

void DecodeFrame(frame_rec& f) {
    f.FrameNo = GetExt(f.Raw.data(), 0);
    f.PosMM = GetExt(f.Raw.data(), 16);
    f.Third = GetExt(f.Raw.data(), 32);
}

std::array<uint8_t, FrameRecBytes> EncodeFrame(const frame_rec& f) {
    auto out = f.Raw;
    PutExt(out.data(), 0, f.FrameNo);
    PutExt(out.data(), 16, f.PosMM);
    PutExt(out.data(), 32, f.Third);
    return out;
}

void DecodeObjectHead(object_rec& o) {
    const uint8_t* b = o.Head.data();
    o.ObjName = GetShort<40>(b, 0);
    o.ObjOrder = GetSingle(b, 84);
    o.ObjGroup = GetInt32(b, 92);
    o.ObjItem = GetInt32(b, 96);
    o.ObjLink = GetInt32(b, 100);
    o.ObjClosed = b[104];
    o.ObjColor = GetInt32(b, 108);
    o.PointCount = GetInt32(b, 116);
}

std::array<uint8_t, ObjectHeadBytes> EncodeObjectHead(const object_rec& o) {
    auto out = o.Head;
    uint8_t* b = out.data();
    PutShort(b, 0, o.ObjName);
    PutSingle(b, 84, o.ObjOrder);
    PutInt32(b, 92, o.ObjGroup);
    PutInt32(b, 96, o.ObjItem);
    PutInt32(b, 100, o.ObjLink);
    b[104] = o.ObjClosed;
    PutInt32(b, 108, o.ObjColor);
    PutInt32(b, 116, StoredCount(o.PointCount, o.Outline.size()));
    return out;
}

void DecodeReadout(readout_rec& r) {
    r.Frame = GetExt(r.Raw.data(), 0);
    r.PosMM = GetExt(r.Raw.data(), 16);
    r.Unused = GetExt(r.Raw.data(), 32);
    r.Side = GetInt32(r.Raw.data(), 44);
}

std::array<uint8_t, ReadoutRecBytes> EncodeReadout(const readout_rec& r) {
    auto out = r.Raw;
    PutExt(out.data(), 0, r.Frame);
    PutExt(out.data(), 16, r.PosMM);
    PutExt(out.data(), 32, r.Unused);
    PutInt32(out.data(), 44, r.Side);
    return out;
}

void DecodeAllowHead(allow_rec& a) {
    const uint8_t* b = a.Head.data();
    a.maxwgt = GetExt(b, 0);
    a.maxsf = GetExt(b, 16);
    a.maxbm = GetExt(b, 32);
    a.maxtm = GetExt(b, 48);
    a.sfcount = GetInt32(b, 60);
    a.bmcount = GetInt32(b, 64);
    a.tmcount = GetInt32(b, 68);
}

std::array<uint8_t, AllowHeadBytes> EncodeAllowHead(const allow_rec& a) {
    auto out = a.Head;
    uint8_t* b = out.data();
    PutExt(b, 0, a.maxwgt);
    PutExt(b, 16, a.maxsf);
    PutExt(b, 32, a.maxbm);
    PutExt(b, 48, a.maxtm);
    PutInt32(b, 60, StoredCount(a.sfcount, a.sfsegs.size()));
    PutInt32(b, 64, StoredCount(a.bmcount, a.bmsegs.size()));
    PutInt32(b, 68, StoredCount(a.tmcount, a.tmsegs.size()));
    return out;
}

void DecodeAllowSeg(allowseg_rec& s) {
    const uint8_t* b = s.Raw.data();
    s.AftX = GetExt(b, 0);
    s.ForeX = GetExt(b, 10);
    s.Pos1Aft = GetExt(b, 56);
    s.Pos1Fore = GetExt(b, 66);
    s.Pos2Aft = GetExt(b, 112);
    s.Pos2Fore = GetExt(b, 122);
}

std::array<uint8_t, AllowSegBytes> EncodeAllowSeg(const allowseg_rec& s) {
    auto out = s.Raw;
    uint8_t* b = out.data();
    PutExt(b, 0, s.AftX);
    PutExt(b, 10, s.ForeX);
    PutExt(b, 56, s.Pos1Aft);
    PutExt(b, 66, s.Pos1Fore);
    PutExt(b, 112, s.Pos2Aft);
    PutExt(b, 122, s.Pos2Fore);
    return out;
}

void DecodeMassPoint(masspoint_rec& p) {
    p.Draft = GetExt(p.Raw.data(), 0);
    p.Second = GetExt(p.Raw.data(), 16);
    p.Mass = GetExt(p.Raw.data(), 32);
    p.Fourth = GetExt(p.Raw.data(), 48);
}

std::array<uint8_t, MassPointBytes> EncodeMassPoint(const masspoint_rec& p) {
    auto out = p.Raw;
    PutExt(out.data(), 0, p.Draft);
    PutExt(out.data(), 16, p.Second);
    PutExt(out.data(), 32, p.Mass);
    PutExt(out.data(), 48, p.Fourth);
    return out;
}

// ---- the whole file --------------------------------------------------------

// Record bounds: every count is checked against the bytes left before its
// records are allocated, with the least each record takes in the file: frame
// 48, object head 160 (then its points, 16 each), read-out point 48, allowable
// segment 168, hold mass entry 32 (eight curve counts), mass curve point 64.
// The tables bound themselves (67 bytes at least).
void DecodeShipInfo(BinReader& r, shipinfo_rec& s) {
    r.Bytes(s.Fixed.data(), ShipFixedBytes);
    DecodeShipFixed(s);

    int32_t nFrames = r.Count(FrameRecBytes);
    s.FrameList.assign(size_t(nFrames), frame_rec());
    for (frame_rec& f : s.FrameList) {
        r.Bytes(f.Raw.data(), FrameRecBytes);
        DecodeFrame(f);
    }

    s.ProfileObjects = ReadObjects(r);
    s.SectionObjects = ReadObjects(r);
    s.PlanObjects = ReadObjects(r);

    int32_t nReadouts = r.Count(ReadoutRecBytes);
    s.ClassAllow.readouts.assign(size_t(nReadouts), readout_rec());
    for (readout_rec& ro : s.ClassAllow.readouts) {
        r.Bytes(ro.Raw.data(), ReadoutRecBytes);
        DecodeReadout(ro);
    }
    for (size_t i = 0; i < 2; ++i) {
        ReadAllowSet(r, s.ClassAllow.intact[i]);
        ReadAllowSet(r, s.ClassAllow.flooded[i]);
    }

    for (size_t k = 0; k < ShipTableSlots; ++k)
        s.ShipTables.Tables[k] = k < StoredShipTables ? ReadShipFileTable(r) : xyztable_rec();

    int32_t nHolds = r.Count(MassCurveCountsBytes);
    s.ShipTables.CargoMassList.assign(size_t(nHolds), cargomass_rec());
    for (cargomass_rec& e : s.ShipTables.CargoMassList)
        for (auto* curve : MassCurves(e)) *curve = ReadMassCurve(r);

    for (shipoption_rec& o : s.Options) {
        o.Enabled = r.Byte();
        o.Text = r.Short<50>();
    }
    // Whatever follows the options is not part of the ship data.
}

std::vector<uint8_t> EncodeShipInfo(const shipinfo_rec& s) {
    BinWriter w;
    w.Block(EncodeShipFixed(s));

    w.Int32(int32_t(s.FrameList.size()));
    for (const frame_rec& f : s.FrameList) w.Block(EncodeFrame(f));

    WriteObjects(w, s.ProfileObjects);
    WriteObjects(w, s.SectionObjects);
    WriteObjects(w, s.PlanObjects);

    w.Int32(int32_t(s.ClassAllow.readouts.size()));
    for (const readout_rec& ro : s.ClassAllow.readouts) w.Block(EncodeReadout(ro));
    for (size_t i = 0; i < 2; ++i) {
        WriteAllowSet(w, s.ClassAllow.intact[i]);
        WriteAllowSet(w, s.ClassAllow.flooded[i]);
    }

    for (size_t k = 0; k < StoredShipTables; ++k) WriteStoredTable(w, s.ShipTables.Tables[k]);

    w.Int32(int32_t(s.ShipTables.CargoMassList.size()));
    for (const cargomass_rec& e : s.ShipTables.CargoMassList)
        for (const auto* curve : MassCurves(e)) WriteMassCurve(w, *curve);

    for (const shipoption_rec& o : s.Options) {
        w.Byte(o.Enabled);
        w.Short(o.Text);
    }
    return w.data();
}

bool ReadShipInfoFile(const std::string& fileName, shipinfo_rec& ship) {
    const std::string path = ShipDataFileName(fileName, ".LSI");
    if (!FileExists(path)) return false;
    BinReader r = BinReader::FromFile(path);
    // Decode into a fresh record: a damaged file leaves the caller's record
    // as it was instead of half filled.
    shipinfo_rec s;
    DecodeShipInfo(r, s);
    ship = std::move(s);
    return true;
}

void WriteShipInfoFile(const std::string& fileName, const shipinfo_rec& ship) {
    WriteFileAtomically(ShipDataFileName(fileName, ".LSI"), EncodeShipInfo(ship));
}

}  // namespace kv
