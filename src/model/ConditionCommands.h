// The main window's New, Open, Save and Save As commands and the
// save-changes prompt, without any window: file choices and display
// refreshes go through ConditionUi, messages and questions through
// MessageSink.
#pragma once

#include <optional>
#include <string>

#include "model/kvGlobal.h"

namespace kv {

struct FileDialogSpec {
    std::string InitialDir;
    std::string Filter;
    std::string Title;
    std::string DefaultExt;
    bool MustExist = false;
};

class ConditionUi {
public:
    virtual ~ConditionUi() = default;
    // The file chosen in the open or save dialog, or nothing when cancelled.
    virtual std::optional<std::string> ChooseFile(const FileDialogSpec& dialog) = 0;
    // A new or opened condition replaced the old one: the input views, the
    // voyage and centre-of-gravity choices and the grids are refreshed, the
    // calculation runs and the display is refreshed.
    virtual void ConditionReplaced() {}
    // The condition was saved: the display is refreshed.
    virtual void ConditionSaved() {}
};

FileDialogSpec OpenConditionDialog(const KvState& state);
FileDialogSpec SaveConditionDialog(const KvState& state);

// File name without its folder.
std::string FileNameOnly(const std::string& path);

// Asks "Save Changes to <name>?" when a named condition is modified. Returns
// false when the operation is to be abandoned: Cancel, or Yes followed by a
// save that failed.
bool PromptSaveChanges(KvState& state, MessageSink& messages, ConditionUi& ui);

// The four commands. Each returns true when it did its work.
bool NewConditionCommand(KvState& state, MessageSink& messages, ConditionUi& ui);
bool OpenConditionCommand(KvState& state, MessageSink& messages, ConditionUi& ui);
bool SaveConditionCommand(KvState& state, MessageSink& messages, ConditionUi& ui);
bool SaveConditionAsCommand(KvState& state, MessageSink& messages, ConditionUi& ui);

}  // namespace kv
