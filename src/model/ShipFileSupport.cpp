#include "model/ShipFileSupport.h"

namespace kv {

xyztable_rec ReadShipFileTable(BinReader& r) {
    constexpr size_t headBytes = 51 + 16;
    if (const uint8_t* head = r.Peek(headBytes)) {
        auto nonNeg = [](int32_t n) -> unsigned __int128 { return n > 0 ? unsigned(n) : 0u; };
        unsigned __int128 cols = nonNeg(GetInt32(head, 51)), rows = nonNeg(GetInt32(head, 55)),
                          layers = nonNeg(GetInt32(head, 59));
        unsigned __int128 values = (layers + 1) * (cols + 1) * (rows + 1);
        if (values > r.remaining() + 65536u) r.ThrowBeyondEnd();
    }
    return ReadStoredTable(r);
}

}  // namespace kv
