#include "model/DwcDialogLogic.h"

#include <cstdio>
#include <cstdlib>

#include "model/CodeFiles.h"
#include "model/ShipConventions.h"

namespace kv {

namespace {

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && (unsigned char)s[b] <= ' ') ++b;
    while (e > b && (unsigned char)s[e - 1] <= ' ') --e;
    return s.substr(b, e - b);
}

std::string Fmt(const char* format, Extended v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, double(v));
    return buf;
}

const char* ColumnFormat(int column) { return column == DwcWeight || column == DwcFSM ? "%.2f" : "%.3f"; }

bool IsUserInput(const std::string& name) { return Trim(name) == UserInputSetName; }

}  // namespace

void DwcDialog::Activate(const std::vector<dwcinfo_rec>& list) {
    working_ = list;
    RefreshUserInputSet(working_, working_.empty() ? ploadinfo_rec{} : working_[0].DwcLoads);
    int listed = int(working_.size()) - 1;
    if (selected_ < 0 || selected_ >= listed) selected_ = listed > 0 ? 0 : -1;
    Show(selected_ < 0 ? -1 : selected_ + 1);
}

std::vector<std::string> DwcDialog::ListedNames() const {
    std::vector<std::string> names;
    for (size_t i = 1; i < working_.size(); ++i) names.push_back(working_[i].DwcName.str());
    return names;
}

void DwcDialog::Select(int line) {
    if (line < 0 || line + 1 >= int(working_.size())) return;
    selected_ = line;
    Show(line + 1);
}

std::array<std::string, 7> DwcDialog::Headings() const {
    const auto& n = units_.UnitNames;
    const std::string br = "\n\r";
    std::string len = "[" + n[UnitLength] + "]";
    return {"NO", "Constant Items", "Weight" + br + "[" + n[UnitWeight] + "]", "LCG" + br + len,
            "TCG" + br + len, "VCG" + br + len, "FSM" + br + "[" + n[UnitWeight] + "-" + n[UnitLength] + "]"};
}

void DwcDialog::Show(int index) {
    rows_.assign(itemNames_.size(), Row{});
    code_.clear();
    memo_.clear();
    if (index < 0 || index >= int(working_.size())) {
        for (Row& r : rows_)
            for (int c = 0; c < DwcValueColumns; ++c) r[size_t(c)] = Fmt(ColumnFormat(c), 0);
        return;
    }
    const dwcinfo_rec& set = working_[size_t(index)];
    code_ = set.DwcName.str();
    memo_ = set.DwcRemark.str();
    Extended lf = units_.Length(), wf = units_.Weight();
    for (size_t i = 0; i < rows_.size(); ++i) {
        loadinfo_rec l = i < set.DwcLoads.size() ? set.DwcLoads[i] : loadinfo_rec{};
        Extended v[DwcValueColumns] = {l.Weight * wf, ToDisplayLong(ship_, l.LCG) * lf,
                                       ToDisplayTrans(ship_, l.TCG) * lf, l.VCG * lf, l.FSMValue * wf * lf};
        for (int c = 0; c < DwcValueColumns; ++c) rows_[i][size_t(c)] = Fmt(ColumnFormat(c), v[c]);
    }
}

Extended DwcDialog::Cell(size_t row, int column) const {
    return std::strtold(rows_[row][size_t(column)].c_str(), nullptr);
}

DwcDialog::Row DwcDialog::TotalRow() const {
    Extended w = 0, l = 0, t = 0, v = 0, fsm = 0;
    for (size_t i = 0; i < rows_.size(); ++i) {
        Extended wi = Cell(i, DwcWeight);
        w += wi;
        l += wi * Cell(i, DwcLCG);
        t += wi * Cell(i, DwcTCG);
        v += wi * Cell(i, DwcVCG);
        fsm += Cell(i, DwcFSM);
    }
    if (w != 0) {
        l /= w;
        t /= w;
        v /= w;
    } else {
        l = t = v = 0;
    }
    Extended vals[DwcValueColumns] = {w, l, t, v, fsm};
    Row r;
    for (int c = 0; c < DwcValueColumns; ++c) r[size_t(c)] = Fmt(ColumnFormat(c), vals[c]);
    return r;
}

bool DwcDialog::SetCell(int row, int column, const std::string& text) {
    if (row < 0 || row >= int(rows_.size()) || column < 0 || column >= DwcValueColumns) return false;
    if (!IsNumericText(text)) return false;
    rows_[size_t(row)][size_t(column)] = text;
    return true;
}

ploadinfo_rec DwcDialog::LoadsFromGrid(const ploadinfo_rec& base) const {
    ploadinfo_rec loads(rows_.size());
    Extended lf = units_.Length(), wf = units_.Weight();
    for (size_t i = 0; i < rows_.size(); ++i) {
        loadinfo_rec l = i < base.size() ? base[i] : loadinfo_rec{};
        l.Weight = Cell(i, DwcWeight) / wf;
        l.LCG = FromDisplayLong(ship_, Cell(i, DwcLCG) / lf);
        l.TCG = FromDisplayTrans(ship_, Cell(i, DwcTCG) / lf);
        l.VCG = Cell(i, DwcVCG) / lf;
        l.FSMValue = Cell(i, DwcFSM) / (wf * lf);
        loads[i] = l;
    }
    return loads;
}

CodeDialogFocus DwcDialog::Add(const std::string& name, const std::string& memo, MessageSink& messages) {
    std::string key = Trim(name);
    if (IsUserInput(key)) return CodeDialogFocus::Code;
    if (FindDwcSet(working_, key) < 0) {
        dwcinfo_rec set;
        set.DwcName.set(key);
        set.DwcRemark.set(Trim(memo));
        set.DwcLoads = LoadsFromGrid({});
        working_.push_back(set);
        selected_ = int(working_.size()) - 2;
        code_ = key;
        memo_ = Trim(memo);
        return CodeDialogFocus::None;
    }
    MsgAnswer a = messages.Ask("Duplicate code [" + key + "] exists, do you want overwrite information?",
                               MsgButtons::OkCancel);
    if (a == MsgAnswer::Ok) return Update(name, memo, messages);
    return CodeDialogFocus::Code;
}

CodeDialogFocus DwcDialog::Update(const std::string& name, const std::string& memo, MessageSink& messages) {
    std::string key = Trim(name);
    if (key.empty()) return CodeDialogFocus::None;
    if (IsUserInput(key)) return CodeDialogFocus::Code;
    int i = FindDwcSet(working_, key);
    if (i >= 0) {
        dwcinfo_rec& set = working_[size_t(i)];
        set.DwcName.set(key);
        set.DwcRemark.set(Trim(memo));
        set.DwcLoads = LoadsFromGrid(set.DwcLoads);
        selected_ = i - 1;
        code_ = key;
        memo_ = Trim(memo);
        return CodeDialogFocus::None;
    }
    MsgAnswer a = messages.Ask("Can not find [" + key + "] code, do you want overwrite information?",
                               MsgButtons::OkCancel);
    if (a == MsgAnswer::Ok) return Add(name, memo, messages);
    return CodeDialogFocus::Code;
}

void DwcDialog::Delete(const std::string& name) {
    if (selected_ < 0 || IsUserInput(name)) return;
    int i = FindDwcSet(working_, name);
    if (i < 0) return;
    working_.erase(working_.begin() + i);
    int listed = int(working_.size()) - 1;
    if (selected_ >= listed) selected_ = listed - 1;
    Show(selected_ < 0 ? -1 : selected_ + 1);
}

void DwcDialog::Ok(std::vector<dwcinfo_rec>& list, const std::string& fileName) const {
    list = working_;
    WriteDWCFile(list, int(itemNames_.size()), fileName);
}

}  // namespace kv
