// The cargo code dialog ("Cargo Code") without its window: a working copy of
// the cargo code list, edited by Add, Update and Delete and taken over by OK.
#pragma once

#include <string>
#include <vector>

#include "model/LoadData.h"
#include "model/Messages.h"

namespace kv {

// What the dialog's edits and colour panel hold (lengths in metres).
struct CargoCodeFields {
    std::string Code;    // at most 10 characters
    std::string Name;    // at most 25
    std::string Remark;  // at most 255
    Extended Length = 0, Width = 0, Height = 0;
    Extended LCG = 0, TCG = 0, VCG = 0;
    int32_t Color = 0;      // the panel's background
    int32_t TextColor = 0;  // the panel's text colour
};

// Where the dialog puts the focus after a refused or cancelled action.
enum class CodeDialogFocus { None, Name, Code };

class CargoCodeDialog {
public:
    // Activation: copies the list; keeps the previous selection when it is
    // still there, else selects the first line (-1 for an empty list).
    void Activate(const std::vector<cargocode_rec>& list);

    const std::vector<cargocode_rec>& Working() const { return working_; }
    int Selected() const { return selected_; }
    void Select(int index);
    // The edits for the selected line (empty fields when none).
    CargoCodeFields Shown() const;

    CodeDialogFocus Add(const CargoCodeFields& f, MessageSink& messages);
    CodeDialogFocus Update(const CargoCodeFields& f, MessageSink& messages);
    void Delete(const std::string& code);

    // OK: the list becomes the working list and is written to fileName
    // (an IoError propagates after the list was replaced).
    void Ok(std::vector<cargocode_rec>& list, const std::string& fileName) const;

private:
    void Store(cargocode_rec& r, const CargoCodeFields& f) const;
    std::vector<cargocode_rec> working_;
    int selected_ = -1;
};

}  // namespace kv
