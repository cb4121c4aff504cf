// Process entry of the desktop program: start-up loader, start warning, main
// window, message loop.
#include <QApplication>
#include <QMessageBox>

#include <memory>
#include <string>

#include "startup/Initialize.h"
#include "ui/MainForm.h"
#include "ui/QtMessageSink.h"
#include "ui/StartWarningDialog.h"

namespace {

// --data DIR names the folder that holds Project/, Save/, Approved/, Image/;
// by default the executable's own folder.
std::string DataFolder(const QStringList& args) {
    for (int i = 1; i + 1 < args.size(); ++i)
        if (args[i] == "--data") return args[i + 1].toStdString();
    return QCoreApplication::applicationDirPath().toStdString();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("KORVANEL");

    auto state = std::make_unique<kv::KvState>();
    kvui::QtMessageSink messages;
    state->Messages = &messages;
    try {
        kv::InitShipData(*state, DataFolder(QApplication::arguments()));
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "KORVANEL", QString::fromStdString(e.what()));
        return 1;
    }

    {
        kvui::TdlgStartWarning warning(*state);
        if (warning.exec() != QDialog::Accepted) return 0;
    }

    kvui::TfrmMain main(*state);
    messages.setParent(&main);
    main.show();
    return app.exec();
}
