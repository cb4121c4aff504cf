#include "ui/QtMessageSink.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace kvui {

void QtMessageSink::ShowMessage(const std::string& text) {
    QMessageBox::information(parent_, QApplication::applicationName(), QString::fromStdString(text));
}

kv::MsgAnswer QtMessageSink::Ask(const std::string& text, kv::MsgButtons buttons) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), QString::fromStdString(text),
                    QMessageBox::NoButton, parent_);
    QPushButton* yesAll = nullptr;
    QPushButton* noAll = nullptr;
    switch (buttons) {
    case kv::MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case kv::MsgButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case kv::MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case kv::MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case kv::MsgButtons::YesNoCancelAll:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        yesAll = box.addButton(QObject::tr("Yes to All"), QMessageBox::YesRole);
        noAll = box.addButton(QObject::tr("No to All"), QMessageBox::NoRole);
        break;
    }
    int r = box.exec();
    if (yesAll && box.clickedButton() == yesAll) return kv::MsgAnswer::YesToAll;
    if (noAll && box.clickedButton() == noAll) return kv::MsgAnswer::NoToAll;
    switch (r) {
    case QMessageBox::Ok: return kv::MsgAnswer::Ok;
    case QMessageBox::Yes: return kv::MsgAnswer::Yes;
    case QMessageBox::No: return kv::MsgAnswer::No;
    default: return kv::MsgAnswer::Cancel;
    }
}

}  // namespace kvui
