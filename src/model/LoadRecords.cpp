// Byte images of the condition's fixed records. Each decoder keeps the image
// it was given, so that the encoder puts the named fields back over the same
// fillers.
#include "model/LoadData.h"

namespace kv {

loadinfo_rec DecodeLoadInfo(const uint8_t* p) {
    loadinfo_rec r;
    std::memcpy(r.Raw.data(), p, LoadInfoSize);
    r.MomentMode = GetInt32(p, 0);
    r.CargoType = GetInt32(p, 4);
    r.Volume = GetExt(p, 8);
    r.Spare24 = GetExt(p, 24);
    r.Density = GetExt(p, 40);
    r.Weight = GetExt(p, 56);
    r.LCG = GetExt(p, 72);
    r.VCG = GetExt(p, 88);
    r.TCG = GetExt(p, 104);
    r.FSMValue = GetExt(p, 120);
    return r;
}

void EncodeLoadInfo(const loadinfo_rec& r, uint8_t* p) {
    std::memcpy(p, r.Raw.data(), LoadInfoSize);
    PutInt32(p, 0, r.MomentMode);
    PutInt32(p, 4, r.CargoType);
    PutExt(p, 8, r.Volume);
    PutExt(p, 24, r.Spare24);
    PutExt(p, 40, r.Density);
    PutExt(p, 56, r.Weight);
    PutExt(p, 72, r.LCG);
    PutExt(p, 88, r.VCG);
    PutExt(p, 104, r.TCG);
    PutExt(p, 120, r.FSMValue);
}

balecargo_rec DecodeBaleCargo(const uint8_t* p) {
    balecargo_rec r;
    std::memcpy(r.Raw.data(), p, BaleCargoSize);
    r.CargoCode = GetShort<10>(p, 0);
    r.AboveIndex = GetInt32(p, 12);
    r.BelowIndex = GetInt32(p, 16);
    r.Weight = GetExt(p, 24);
    r.PosX = GetDouble(p, 40);
    r.PosY = GetDouble(p, 48);
    r.BaseZ = GetDouble(p, 56);
    r.LCG = GetExt(p, 64);
    r.TCG = GetExt(p, 80);
    r.VCG = GetExt(p, 96);
    r.AftX = GetExt(p, 112);
    r.ForeX = GetExt(p, 128);
    r.SideY1 = GetExt(p, 144);
    r.SideY2 = GetExt(p, 160);
    r.Where = GetInt32(p, 172);
    for (size_t i = 0; i < 4; ++i) {
        r.Corners[i][0] = GetInt32(p, 176 + 8 * i);
        r.Corners[i][1] = GetInt32(p, 180 + 8 * i);
    }
    return r;
}

void EncodeBaleCargo(const balecargo_rec& r, uint8_t* p) {
    std::memcpy(p, r.Raw.data(), BaleCargoSize);
    PutShort(p, 0, r.CargoCode);
    PutInt32(p, 12, r.AboveIndex);
    PutInt32(p, 16, r.BelowIndex);
    PutExt(p, 24, r.Weight);
    PutDouble(p, 40, r.PosX);
    PutDouble(p, 48, r.PosY);
    PutDouble(p, 56, r.BaseZ);
    PutExt(p, 64, r.LCG);
    PutExt(p, 80, r.TCG);
    PutExt(p, 96, r.VCG);
    PutExt(p, 112, r.AftX);
    PutExt(p, 128, r.ForeX);
    PutExt(p, 144, r.SideY1);
    PutExt(p, 160, r.SideY2);
    PutInt32(p, 172, r.Where);
    for (size_t i = 0; i < 4; ++i) {
        PutInt32(p, 176 + 8 * i, r.Corners[i][0]);
        PutInt32(p, 180 + 8 * i, r.Corners[i][1]);
    }
}

void DecodeLoadDataHead(const uint8_t* p, loaddata_rec& r) {
    std::memcpy(r.Raw.data(), p, LoadDataHeadSize);
    r.CondTitle = GetShort<23>(p, 0);
    r.SeaDensity = GetExt(p, 24);
    r.Spare36 = GetInt32(p, 36);
    r.VoyageCond = GetInt32(p, 40);
    r.CGMode = GetInt32(p, 44);
    r.VoyageNo = GetShort<50>(p, 48);
    r.VoyageDesc = GetShort<150>(p, 99);
    r.VoyageDate = GetShort<50>(p, 250);
    r.VoyageFrom = GetShort<50>(p, 301);
    r.VoyageTo = GetShort<50>(p, 352);
    r.VoyageBy = GetShort<50>(p, 403);
    r.VoyageRemark = GetShort<255>(p, 454);
    r.TrimCorr = GetExt(p, 712);
    r.HeelCorr = GetExt(p, 728);
}

void EncodeLoadDataHead(const loaddata_rec& r, uint8_t* p) {
    std::memcpy(p, r.Raw.data(), LoadDataHeadSize);
    PutShort(p, 0, r.CondTitle);
    PutExt(p, 24, r.SeaDensity);
    PutInt32(p, 36, r.Spare36);
    PutInt32(p, 40, r.VoyageCond);
    PutInt32(p, 44, r.CGMode);
    PutShort(p, 48, r.VoyageNo);
    PutShort(p, 99, r.VoyageDesc);
    PutShort(p, 250, r.VoyageDate);
    PutShort(p, 301, r.VoyageFrom);
    PutShort(p, 352, r.VoyageTo);
    PutShort(p, 403, r.VoyageBy);
    PutShort(p, 454, r.VoyageRemark);
    PutExt(p, 712, r.TrimCorr);
    PutExt(p, 728, r.HeelCorr);
}

cargocode_rec DecodeCargoCode(const uint8_t* p) {
    cargocode_rec r;
    std::memcpy(r.Raw.data(), p, CargoCodeSize);
    r.Code = GetShort<10>(p, 0);
    r.CodeName = GetShort<30>(p, 11);
    r.Length = GetExt(p, 48);
    r.Width = GetExt(p, 64);
    r.Height = GetExt(p, 80);
    r.CodeLCG = GetExt(p, 96);
    r.CodeTCG = GetExt(p, 112);
    r.CodeVCG = GetExt(p, 128);
    r.TextColor = GetInt32(p, 140);
    r.Color = GetInt32(p, 144);
    r.CodeRemark = GetShort<255>(p, 148);
    return r;
}

void EncodeCargoCode(const cargocode_rec& r, uint8_t* p) {
    std::memcpy(p, r.Raw.data(), CargoCodeSize);
    PutShort(p, 0, r.Code);
    PutShort(p, 11, r.CodeName);
    PutExt(p, 48, r.Length);
    PutExt(p, 64, r.Width);
    PutExt(p, 80, r.Height);
    PutExt(p, 96, r.CodeLCG);
    PutExt(p, 112, r.CodeTCG);
    PutExt(p, 128, r.CodeVCG);
    PutInt32(p, 140, r.TextColor);
    PutInt32(p, 144, r.Color);
    PutShort(p, 148, r.CodeRemark);
    PutInt32(p, 404, 0);  // run-time reference: always written as 0
}

portcode_rec DecodePortCode(const uint8_t* p) {
    portcode_rec r;
    std::memcpy(r.Raw.data(), p, PortCodeSize);
    r.code = GetShort<5>(p, 0);
    r.abbreviation = GetShort<3>(p, 6);
    r.name = GetShort<50>(p, 10);
    r.remark = GetShort<255>(p, 61);
    r.font_colour = GetInt32(p, 320);
    r.back_colour = GetInt32(p, 324);
    return r;
}

void EncodePortCode(const portcode_rec& r, uint8_t* p) {
    std::memcpy(p, r.Raw.data(), PortCodeSize);
    PutShort(p, 0, r.code);
    PutShort(p, 6, r.abbreviation);
    PutShort(p, 10, r.name);
    PutShort(p, 61, r.remark);
    PutInt32(p, 320, r.font_colour);
    PutInt32(p, 324, r.back_colour);
}

}  // namespace kv
