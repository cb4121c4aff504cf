#include "containers/ContainerModel.h"

namespace kv {

void InitContainer(container_rec& c) { c = container_rec{}; }

void CopyContainer(container_rec& target, const container_rec& source) {
    // The lists are held by value, so a plain copy already gives new lists
    // with new entries; an absent source list leaves the target without one.
    target = source;
}

container_rec DecodeContainer(const uint8_t* p) {
    container_rec c;
    std::memcpy(c.Raw.data(), p, ContainerStoredSize);
    c.position = GetShort<7>(p, 0);
    c.container_id = GetShort<11>(p, 8);
    c.iso_code = GetShort<7>(p, 20);
    c.weight = GetSingle(p, 28);
    for (size_t i = 0; i < PortSlots; ++i) c.ports[i] = GetShort<5>(p, 32 + 6 * i);
    c.carrier = GetShort<5>(p, 98);
    c.section = GetInt32(p, 104);
    c.empty = GetInt32(p, 108);
    c.reserved[0] = GetInt32(p, 112);
    c.reserved[1] = GetInt32(p, 116);
    c.remark_kind = GetInt32(p, 120);
    c.remark = GetShort<20>(p, 124);
    c.lcg = GetExt(p, 152);
    c.tcg = GetExt(p, 168);
    c.vcg = GetExt(p, 184);
    c.aft_x = GetExt(p, 200);
    c.fwd_x = GetExt(p, 216);
    c.port_y = GetExt(p, 232);
    c.stbd_y = GetExt(p, 248);
    c.top_z = GetExt(p, 264);
    c.bottom_z = GetExt(p, 280);
    c.reefer = p[296];
    c.temperature = GetExt(p, 304);
    c.temp_min = GetExt(p, 320);
    c.temp_max = GetExt(p, 336);
    c.oog = p[352];
    c.dim_length = GetExt(p, 360);
    c.dim_width = GetExt(p, 376);
    c.dim_height = GetExt(p, 392);
    c.over_front = GetInt32(p, 404);
    c.over_back = GetInt32(p, 408);
    c.over_right = GetInt32(p, 412);
    c.over_left = GetInt32(p, 416);
    c.over_top = GetInt32(p, 420);
    c.reference = GetShort<7>(p, 424);
    return c;
}

void EncodeContainer(const container_rec& c, uint8_t* p) {
    std::memcpy(p, c.Raw.data(), ContainerStoredSize);
    PutShort(p, 0, c.position);
    PutShort(p, 8, c.container_id);
    PutShort(p, 20, c.iso_code);
    PutSingle(p, 28, c.weight);
    for (size_t i = 0; i < PortSlots; ++i) PutShort(p, 32 + 6 * i, c.ports[i]);
    PutShort(p, 98, c.carrier);
    PutInt32(p, 104, c.section);
    PutInt32(p, 108, c.empty);
    PutInt32(p, 112, c.reserved[0]);
    PutInt32(p, 116, c.reserved[1]);
    PutInt32(p, 120, c.remark_kind);
    PutShort(p, 124, c.remark);
    PutExt(p, 152, c.lcg);
    PutExt(p, 168, c.tcg);
    PutExt(p, 184, c.vcg);
    PutExt(p, 200, c.aft_x);
    PutExt(p, 216, c.fwd_x);
    PutExt(p, 232, c.port_y);
    PutExt(p, 248, c.stbd_y);
    PutExt(p, 264, c.top_z);
    PutExt(p, 280, c.bottom_z);
    p[296] = c.reefer;
    PutExt(p, 304, c.temperature);
    PutExt(p, 320, c.temp_min);
    PutExt(p, 336, c.temp_max);
    p[352] = c.oog;
    PutExt(p, 360, c.dim_length);
    PutExt(p, 376, c.dim_width);
    PutExt(p, 392, c.dim_height);
    PutInt32(p, 404, c.over_front);
    PutInt32(p, 408, c.over_back);
    PutInt32(p, 412, c.over_right);
    PutInt32(p, 416, c.over_left);
    PutInt32(p, 420, c.over_top);
    PutShort(p, 424, c.reference);
}

bundle_rec DecodeBundle(const uint8_t* p) {
    bundle_rec b;
    b.weight = GetSingle(p, 0);
    b.container_id = GetShort<11>(p, 4);
    return b;
}

void EncodeBundle(const bundle_rec& b, uint8_t* p) {
    PutSingle(p, 0, b.weight);
    PutShort(p, 4, b.container_id);
}

dgitem_rec DecodeDgItem(const uint8_t* p) {
    dgitem_rec d;
    std::memcpy(d.Raw.data(), p, DgItemSize);
    d.weight = GetSingle(p, 0);
    d.dg_class = GetShort<4>(p, 4);
    d.un_no = GetShort<4>(p, 9);
    d.remark = GetShort<70>(p, 14);
    return d;
}

void EncodeDgItem(const dgitem_rec& d, uint8_t* p) {
    std::memcpy(p, d.Raw.data(), DgItemSize);
    PutSingle(p, 0, d.weight);
    PutShort(p, 4, d.dg_class);
    PutShort(p, 9, d.un_no);
    PutShort(p, 14, d.remark);
}

}  // namespace kv
