// The start warning shown before any other window.
#pragma once

#include <QDialog>

#include "model/kvGlobal.h"

class QPlainTextEdit;

namespace kvui {

class TdlgStartWarning : public QDialog {
    Q_OBJECT
public:
    TdlgStartWarning(const kv::KvState& state, QWidget* parent = nullptr);

protected:
    bool event(QEvent* e) override;

private:
    void FormActivate();
    const kv::KvState& state_;
    QPlainTextEdit* text_;
};

}  // namespace kvui
