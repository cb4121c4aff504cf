// The main window. For now a plain window with the program's caption; the
// grids, result views and menus come with the main window's own work.
#pragma once

#include <QMainWindow>

#include "model/kvGlobal.h"

namespace kvui {

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(kv::KvState& state, QWidget* parent = nullptr);
    void UpdateCaption();

private:
    kv::KvState& state_;
};

}  // namespace kvui
