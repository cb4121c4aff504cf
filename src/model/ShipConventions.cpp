#include "model/ShipConventions.h"

namespace kv {

namespace {

// Interpolates the value field at key over the frame table, keyed by the
// other field, with linear extrapolation at both ends.
template <class KeyOf, class ValueOf>
Extended FrameTableLookup(const std::vector<frame_rec>& list, Extended key, KeyOf keyOf, ValueOf valueOf) {
    if (list.empty()) return 0;
    if (list.size() == 1) return valueOf(list[0]);
    size_t hi;
    if (key <= keyOf(list.front())) {
        hi = 1;
    } else if (key >= keyOf(list.back())) {
        hi = list.size() - 1;
    } else {
        hi = 1;
        while (hi < list.size() - 1 && !(keyOf(list[hi]) > key)) ++hi;
    }
    const frame_rec& a = list[hi - 1];
    const frame_rec& b = list[hi];
    Extended dk = keyOf(b) - keyOf(a);
    if (dk == 0) return valueOf(a);
    return valueOf(a) + (key - keyOf(a)) * (valueOf(b) - valueOf(a)) / dk;
}

Extended FrameNoOf(const frame_rec& f) { return f.FrameNo; }
Extended PosOf(const frame_rec& f) { return f.PosMM; }

Extended HalfLBPIfMidship(const shipinfo_rec& s) { return s.LongRefMidship != 0 ? s.LBP / 2 : Extended(0); }

}  // namespace

Extended FrameToPosition(const shipinfo_rec& ship, Extended frame) {
    return FrameTableLookup(ship.FrameList, frame, FrameNoOf, PosOf);
}

Extended PositionToFrame(const shipinfo_rec& ship, Extended positionMM) {
    return FrameTableLookup(ship.FrameList, positionMM, PosOf, FrameNoOf);
}

Extended ToDisplayLong(const shipinfo_rec& ship, Extended x) {
    if (x == 0) return 0;
    return (x - HalfLBPIfMidship(ship)) * SignOf(ship.LongSign);
}

Extended FromDisplayLong(const shipinfo_rec& ship, Extended v) {
    return v * SignOf(ship.LongSign) + HalfLBPIfMidship(ship);
}

Extended ToDisplayTrans(const shipinfo_rec& ship, Extended y) { return y * SignOf(ship.TransSign); }
Extended FromDisplayTrans(const shipinfo_rec& ship, Extended v) { return v * SignOf(ship.TransSign); }
Extended ToDisplayTrim(const shipinfo_rec& ship, Extended trim) { return trim * SignOf(ship.TrimSign); }
Extended ToDisplayHeel(const shipinfo_rec& ship, Extended heel) { return heel * SignOf(ship.HeelSign); }

}  // namespace kv
