#include "model/ConditionCommands.h"

#include "calc/Flooding.h"
#include "model/ConditionFile.h"

namespace kv {

namespace {

constexpr const char* UntitledName = "Untitled";

enum class SaveResult { Saved, Cancelled, Failed };

// Saves to the name; a failure is shown and leaves the flag and name alone.
SaveResult SaveTo(KvState& state, const std::string& fileName, MessageSink& messages, ConditionUi& ui) {
    try {
        SaveConditionFile(state, fileName);
    } catch (const std::exception& e) {
        messages.ShowMessage(e.what());
        return SaveResult::Failed;
    }
    ui.ConditionSaved();
    return SaveResult::Saved;
}

SaveResult SaveAs(KvState& state, MessageSink& messages, ConditionUi& ui) {
    std::optional<std::string> file = ui.ChooseFile(SaveConditionDialog(state));
    if (!file) return SaveResult::Cancelled;
    return SaveTo(state, *file, messages, ui);
}

SaveResult Save(KvState& state, MessageSink& messages, ConditionUi& ui) {
    // A new condition has no file, even when a file called "Untitled" happens
    // to lie in the current folder.
    if (state.ConditionFileName != UntitledName && FileExists(state.ConditionFileName))
        return SaveTo(state, state.ConditionFileName, messages, ui);
    return SaveAs(state, messages, ui);
}

}  // namespace

FileDialogSpec OpenConditionDialog(const KvState& state) {
    return {state.ExePath + state.SaveDir, "Loading Condition Files |*.LCF|", "Open Loading Condtion file....",
            "LCF", true};
}

FileDialogSpec SaveConditionDialog(const KvState& state) {
    return {state.ExePath + state.SaveDir, "Loading Condition File |*.LCF|", "Save Loading Condition File....",
            "LCF", false};
}

std::string FileNameOnly(const std::string& path) {
    size_t p = path.find_last_of("/\\");
    return p == std::string::npos ? path : path.substr(p + 1);
}

bool PromptSaveChanges(KvState& state, MessageSink& messages, ConditionUi& ui) {
    if (state.ConditionFileName.empty() || !state.ConditionModified) return true;
    MsgAnswer a = messages.Ask("Save Changes to " + FileNameOnly(state.ConditionFileName) + "?",
                               MsgButtons::YesNoCancel);
    if (a == MsgAnswer::Cancel) return false;
    if (a == MsgAnswer::Yes) {
        // A save abandoned in its file dialog lets the operation go on; a save
        // that failed stops it, so the unsaved condition is not discarded.
        if (Save(state, messages, ui) == SaveResult::Failed) return false;
    }
    return true;
}

bool NewConditionCommand(KvState& state, MessageSink& messages, ConditionUi& ui) {
    if (!PromptSaveChanges(state, messages, ui)) return false;
    state.PanelList.clear();
    NewCondition(state);
    state.ConditionFileName = UntitledName;
    state.ConditionModified = false;
    ui.ConditionReplaced();
    return true;
}

bool OpenConditionCommand(KvState& state, MessageSink& messages, ConditionUi& ui) {
    if (!PromptSaveChanges(state, messages, ui)) return false;
    std::optional<std::string> file = ui.ChooseFile(OpenConditionDialog(state));
    if (!file) return false;
    if (OpenConditionFile(state, *file, messages) != OpenResult::Opened) return false;
    // Every hold compartment of the opened condition can take water again.
    RebuildActiveHoldCompartments(state);
    ui.ConditionReplaced();
    return true;
}

bool SaveConditionCommand(KvState& state, MessageSink& messages, ConditionUi& ui) {
    return Save(state, messages, ui) == SaveResult::Saved;
}

bool SaveConditionAsCommand(KvState& state, MessageSink& messages, ConditionUi& ui) {
    return SaveAs(state, messages, ui) == SaveResult::Saved;
}

}  // namespace kv
