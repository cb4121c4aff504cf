// Message boxes and questions of the desktop program.
#pragma once

#include "model/Messages.h"

class QWidget;

namespace kvui {

class QtMessageSink : public kv::MessageSink {
public:
    explicit QtMessageSink(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void ShowMessage(const std::string& text) override;
    kv::MsgAnswer Ask(const std::string& text, kv::MsgButtons buttons) override;

private:
    QWidget* parent_;
};

}  // namespace kvui
