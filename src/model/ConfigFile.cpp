#include "model/ConfigFile.h"

namespace kv {

namespace {

constexpr size_t FontsAt = 438;
constexpr size_t LimitsAt = 822;

void EncodeFont(const font_rec& f, uint8_t* p) {
    std::memcpy(p, f.Raw.data(), FontRecSize);
    PutShort(p, 0, f.Name);
    PutInt32(p, 52, f.Size);
    p[56] = f.Style;
    PutInt32(p, 60, f.Color);
}

font_rec DecodeFont(const uint8_t* p) {
    font_rec f;
    std::memcpy(f.Raw.data(), p, FontRecSize);
    f.Name = GetShort<50>(p, 0);
    f.Size = GetInt32(p, 52);
    f.Style = p[56];
    f.Color = GetInt32(p, 60);
    return f;
}

}  // namespace

std::vector<uint8_t> EncodeConfig(const config_rec& c) {
    std::vector<uint8_t> img(c.Raw.begin(), c.Raw.end());
    uint8_t* p = img.data();
    PutExt(p, 427, c.SeaDensity);
    p[437] = c.ShowMaxOnGraph;
    for (size_t i = 0; i < 3; ++i) EncodeFont(c.Fonts[i], p + FontsAt + FontRecSize * i);
    PutInt32(p, 630, c.LengthUnit);
    PutInt32(p, 634, c.VolumeUnit);
    PutInt32(p, 638, c.WeightUnit);
    PutInt32(p, 642, c.DensityUnit);
    PutInt32(p, 646, c.TemperatureUnit);
    PutInt32(p, 650, c.PressureUnit);
    PutInt32(p, 658, c.SeaColor);
    PutInt32(p, 662, c.SkyColor);
    PutShort(p, 666, c.SeaPicture);
    PutShort(p, 717, c.SkyPicture);
    for (size_t i = 0; i < 6; ++i) PutInt32(p, 770 + 4 * i, c.TankColors[i]);
    for (size_t i = 0; i < 5; ++i) PutInt32(p, 794 + 4 * i, c.PlanLabels[i]);
    PutInt32(p, 814, c.XLabelMode);
    PutInt32(p, 818, c.LoadLineIndex);
    for (size_t i = 0; i < c.Limits.size(); ++i) PutDouble(p, LimitsAt + 8 * i, c.Limits[i]);
    PutInt32(p, 1222, c.StrengthGraphMode);
    PutSingle(p, 1226, c.BayViewScale);
    PutInt32(p, 1230, c.BayViewPos[0]);
    PutInt32(p, 1234, c.BayViewPos[1]);
    PutSingle(p, 1238, c.ContVCGPercent);
    PutExt(p, 1242, c.HatchHeight);
    PutInt32(p, 1252, c.MaxFontSize);
    PutInt32(p, 1256, c.ContViewWidth);
    PutInt32(p, 1260, c.ContViewHeight);
    return img;
}

config_rec DecodeConfig(const std::vector<uint8_t>& image) {
    config_rec c;
    const uint8_t* p = image.data();
    std::memcpy(c.Raw.data(), p, ConfigFileSize);
    c.SeaDensity = GetExt(p, 427);
    c.ShowMaxOnGraph = p[437];
    for (size_t i = 0; i < 3; ++i) c.Fonts[i] = DecodeFont(p + FontsAt + FontRecSize * i);
    c.LengthUnit = GetInt32(p, 630);
    c.VolumeUnit = GetInt32(p, 634);
    c.WeightUnit = GetInt32(p, 638);
    c.DensityUnit = GetInt32(p, 642);
    c.TemperatureUnit = GetInt32(p, 646);
    c.PressureUnit = GetInt32(p, 650);
    c.SeaColor = GetInt32(p, 658);
    c.SkyColor = GetInt32(p, 662);
    c.SeaPicture = GetShort<50>(p, 666);
    c.SkyPicture = GetShort<50>(p, 717);
    for (size_t i = 0; i < 6; ++i) c.TankColors[i] = GetInt32(p, 770 + 4 * i);
    for (size_t i = 0; i < 5; ++i) c.PlanLabels[i] = GetInt32(p, 794 + 4 * i);
    c.XLabelMode = GetInt32(p, 814);
    c.LoadLineIndex = GetInt32(p, 818);
    for (size_t i = 0; i < c.Limits.size(); ++i) c.Limits[i] = GetDouble(p, LimitsAt + 8 * i);
    c.StrengthGraphMode = GetInt32(p, 1222);
    c.BayViewScale = GetSingle(p, 1226);
    c.BayViewPos[0] = GetInt32(p, 1230);
    c.BayViewPos[1] = GetInt32(p, 1234);
    c.ContVCGPercent = GetSingle(p, 1238);
    c.HatchHeight = GetExt(p, 1242);
    c.MaxFontSize = GetInt32(p, 1252);
    c.ContViewWidth = GetInt32(p, 1256);
    c.ContViewHeight = GetInt32(p, 1260);
    return c;
}

void ReadConfigFile(config_rec& config, const std::string& fileName) {
    config_rec c;
    if (FileExists(fileName)) {
        std::vector<uint8_t> img = ReadWholeFile(fileName);
        if (img.size() < ConfigFileSize) throw IoError(ReadBeyondEndMessage(fileName));
        c = DecodeConfig(img);
    }
    if (c.ContVCGPercent == 0) c.ContVCGPercent = 45;
    config = c;
}

void WriteConfigFile(const config_rec& config, const std::string& fileName) {
    WriteFileAtomically(fileName, EncodeConfig(config));
}

}  // namespace kv
