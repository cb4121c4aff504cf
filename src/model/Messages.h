// The one small interface through which the core shows messages and asks
// questions. The desktop program answers with message boxes, the command-line
// program prints, and tests record and answer.
#pragma once

#include <string>
#include <vector>

namespace kv {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, YesNoCancelAll };
enum class MsgAnswer { Ok, Cancel, Yes, No, YesToAll, NoToAll };

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // A modal information or error message with an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // A modal question; the answer is one of the buttons offered.
    virtual MsgAnswer Ask(const std::string& text, MsgButtons buttons) = 0;
};

// Records every message and answers questions from a queue (default: the
// given fallback). Used by tests and by batch front ends.
class RecordingSink : public MessageSink {
public:
    explicit RecordingSink(MsgAnswer fallback = MsgAnswer::Ok) : fallback_(fallback) {}
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    MsgAnswer Ask(const std::string& text, MsgButtons) override {
        questions.push_back(text);
        if (!answers.empty()) {
            MsgAnswer a = answers.front();
            answers.erase(answers.begin());
            return a;
        }
        return fallback_;
    }
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<MsgAnswer> answers;  // consumed front first

private:
    MsgAnswer fallback_;
};

}  // namespace kv
