#pragma once

// The macro on show in the macro editor: a copy of a stored macro's actions, the selected
// action, and the edits the editor's buttons and fields make. The editor shows it and writes
// it back to the store; it knows nothing of windows.

#include <cstdint>

#include "macro/macro_recorder.h"

namespace nimba {

// The mouse buttons of the action editor's choice, in the order it lists them.
inline constexpr uint8_t kMouseChoiceCodes[] = {
    kLeftButtonCode, kRightButtonCode, kMiddleButtonCode, kForwardButtonCode, kBackwardButtonCode};
// The item of `code` in that choice; -1 for a code that is no mouse button.
int MouseChoiceOf(uint8_t code);

class MacroDraft {
public:
    MacroDraft() = default;
    // The cursor points into this draft.
    MacroDraft(const MacroDraft&) = delete;
    MacroDraft& operator=(const MacroDraft&) = delete;

    // Takes the actions of `record` (a count beyond the array is held to it).
    void Load(const MacroRecord& record);
    // No actions, nothing selected, new actions go at the end.
    void Clear();
    // Copies the actions into `record`.
    void WriteInto(MacroRecord& record) const;

    int count() const { return macro_.action_count; }
    const MacroAction& action(int index) const { return macro_.actions[index]; }
    bool IsLast(int index) const { return index == count() - 1; }
    // The pause a row shows: the last action's is fixed.
    uint16_t ShownDelay(int index) const;
    int Weight() const { return MacroWeight(macro_); }
    // The mouse holds the actions only while their weight is below the limit.
    bool Savable() const { return Weight() < kMaxSavableWeight; }

    int selected() const { return cursor_.selected; }
    bool HasSelection() const { return selected() >= 0 && selected() < count(); }
    // Selects `row`; nothing when no action has that index.
    void Select(int row);
    // Where the recorder puts new actions.
    ActionCursor& cursor() { return cursor_; }

    // Swaps the selected action with the one `by` rows away; the selection follows it.
    bool MoveSelected(int by);
    // Removes the selected action; the selection stays in its place, or takes the new last.
    bool DeleteSelected();
    // Puts a press and a release of `code` after the selection (first when none is selected);
    // false, with nothing changed, when the two do not fit.
    bool InsertClick(uint8_t code, uint16_t delay);
    // The last action's pause is fixed, so its delay is not set.
    bool SetSelectedDelay(uint16_t delay);
    bool SetSelectedCode(uint8_t code);

private:
    MacroRecord macro_{};
    ActionCursor cursor_{&macro_, -1, -1};
};

}  // namespace nimba
