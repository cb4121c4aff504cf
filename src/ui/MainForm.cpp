#include "ui/MainForm.h"

#include <QFileInfo>

namespace kvui {

TfrmMain::TfrmMain(kv::KvState& state, QWidget* parent) : QMainWindow(parent), state_(state) {
    resize(1024, 700);
    UpdateCaption();
}

void TfrmMain::UpdateCaption() {
    QString name = state_.ConditionFileName == "Untitled"
                       ? QStringLiteral("Untitled")
                       : QFileInfo(QString::fromStdString(state_.ConditionFileName)).fileName();
    setWindowTitle("KORVANEL - [" + name + "]");
}

}  // namespace kvui
