#include "model/CargoCodeDialogLogic.h"

#include "model/CodeFiles.h"

namespace kv {

namespace {

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && (unsigned char)s[b] <= ' ') ++b;
    while (e > b && (unsigned char)s[e - 1] <= ' ') --e;
    return s.substr(b, e - b);
}

constexpr size_t CodeMax = 10, NameMax = 25, RemarkMax = 255;

}  // namespace

void CargoCodeDialog::Activate(const std::vector<cargocode_rec>& list) {
    working_ = list;
    if (selected_ < 0 || selected_ >= int(working_.size())) selected_ = working_.empty() ? -1 : 0;
}

void CargoCodeDialog::Select(int index) {
    if (index >= 0 && index < int(working_.size())) selected_ = index;
}

CargoCodeFields CargoCodeDialog::Shown() const {
    CargoCodeFields f;
    if (selected_ < 0 || selected_ >= int(working_.size())) return f;
    const cargocode_rec& r = working_[size_t(selected_)];
    f.Code = r.Code.str();
    f.Name = r.CodeName.str();
    f.Remark = r.CodeRemark.str();
    f.Length = r.Length;
    f.Width = r.Width;
    f.Height = r.Height;
    f.LCG = r.CodeLCG;
    f.TCG = r.CodeTCG;
    f.VCG = r.CodeVCG;
    f.Color = r.Color;
    f.TextColor = r.TextColor;
    return f;
}

void CargoCodeDialog::Store(cargocode_rec& r, const CargoCodeFields& f) const {
    r.Code.set(Trim(f.Code).substr(0, CodeMax));
    r.CodeName.set(Trim(f.Name).substr(0, NameMax));
    r.CodeRemark.set(Trim(f.Remark).substr(0, RemarkMax));
    r.Length = f.Length;
    r.Width = f.Width;
    r.Height = f.Height;
    r.CodeLCG = f.LCG;
    r.CodeTCG = f.TCG;
    r.CodeVCG = f.VCG;
    r.Color = f.Color;
    r.TextColor = f.TextColor;
}

CodeDialogFocus CargoCodeDialog::Add(const CargoCodeFields& f, MessageSink& messages) {
    std::string code = Trim(f.Code).substr(0, CodeMax);
    if (FindCargoCode(working_, code) < 0) {
        cargocode_rec r;
        Store(r, f);
        working_.push_back(r);
        selected_ = int(working_.size()) - 1;
        return CodeDialogFocus::None;
    }
    MsgAnswer a = messages.Ask("Duplicate cargo code [" + code + "] exists, do you want overwrite information?",
                               MsgButtons::OkCancel);
    if (a == MsgAnswer::Ok) return Update(f, messages);
    return CodeDialogFocus::Name;
}

CodeDialogFocus CargoCodeDialog::Update(const CargoCodeFields& f, MessageSink& messages) {
    std::string code = Trim(f.Code).substr(0, CodeMax);
    if (Trim(f.Code).empty()) return CodeDialogFocus::None;
    int i = FindCargoCode(working_, code);
    if (i >= 0) {
        Store(working_[size_t(i)], f);
        selected_ = i;
        return CodeDialogFocus::None;
    }
    MsgAnswer a = messages.Ask("Can not find [" + code + "] code, do you want overwrite information?",
                               MsgButtons::OkCancel);
    if (a == MsgAnswer::Ok) return Add(f, messages);
    return CodeDialogFocus::Name;
}

void CargoCodeDialog::Delete(const std::string& code) {
    if (selected_ < 0) return;
    int i = FindCargoCode(working_, code);
    if (i < 0) return;
    working_.erase(working_.begin() + i);
    if (selected_ >= int(working_.size())) selected_ = int(working_.size()) - 1;
}

void CargoCodeDialog::Ok(std::vector<cargocode_rec>& list, const std::string& fileName) const {
    list = working_;
    WriteCargoCodeFile(list, fileName);
}

}  // namespace kv
