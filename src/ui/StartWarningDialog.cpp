#include "ui/StartWarningDialog.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "startup/StartWarning.h"

namespace kvui {

TdlgStartWarning::TdlgStartWarning(const kv::KvState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
    setWindowTitle(kv::StartWarningCaption);
    setFixedSize(624, 239);
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(kv::StartWarningGroupCaption, this);
    auto* groupLayout = new QVBoxLayout(group);
    text_ = new QPlainTextEdit(group);
    text_->setReadOnly(true);
    text_->setPlainText(QString::fromUtf8(kv::StartWarningLine1) + "\n" + QString::fromUtf8(kv::StartWarningLine2) + "\n");
    groupLayout->addWidget(text_);
    layout->addWidget(group);
    auto* booklet = new QLineEdit(kv::StartWarningBooklet, this);
    booklet->setReadOnly(true);
    layout->addWidget(booklet);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

bool TdlgStartWarning::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) FormActivate();
    return QDialog::event(e);
}

void TdlgStartWarning::FormActivate() {
    // Line 3 is composed anew every time the window becomes active.
    text_->setPlainText(QString::fromUtf8(kv::StartWarningLine1) + "\n" + QString::fromUtf8(kv::StartWarningLine2) +
                        "\n" + QString::fromStdString(kv::StartWarningLine3(state_)));
}

}  // namespace kvui
