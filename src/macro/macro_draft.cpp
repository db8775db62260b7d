#include "macro/macro_draft.h"

#include <algorithm>
#include <iterator>

namespace nimba {

int MouseChoiceOf(uint8_t code) {
    const auto* found = std::find(std::begin(kMouseChoiceCodes), std::end(kMouseChoiceCodes), code);
    return found == std::end(kMouseChoiceCodes)
               ? -1
               : static_cast<int>(found - std::begin(kMouseChoiceCodes));
}

void MacroDraft::Load(const MacroRecord& record) {
    std::copy(std::begin(record.actions), std::end(record.actions), std::begin(macro_.actions));
    macro_.action_count = std::clamp(record.action_count, 0, kMaxMacroActions);
}

void MacroDraft::Clear() {
    std::fill(std::begin(macro_.actions), std::end(macro_.actions), MacroAction{});
    macro_.action_count = 0;
    cursor_.selected = -1;
    cursor_.insertion = -1;
}

void MacroDraft::WriteInto(MacroRecord& record) const {
    record.action_count = macro_.action_count;
    std::copy(std::begin(macro_.actions), std::end(macro_.actions), std::begin(record.actions));
}

uint16_t MacroDraft::ShownDelay(int index) const {
    return IsLast(index) ? kMinDelayMs : action(index).delay_ms;
}

void MacroDraft::Select(int row) {
    cursor_.selected = row >= 0 && row < count() ? row : -1;
}

bool MacroDraft::MoveSelected(int by) {
    const int from = selected();
    const int to = from + by;
    if (from < 0 || to < 0 || to >= count()) return false;
    std::swap(macro_.actions[from], macro_.actions[to]);
    cursor_.selected = to;
    return true;
}

bool MacroDraft::DeleteSelected() {
    if (!HasSelection()) return false;
    const int s = selected();
    std::move(std::begin(macro_.actions) + s + 1, std::end(macro_.actions),
              std::begin(macro_.actions) + s);
    macro_.actions[kMaxMacroActions - 1] = {};
    --macro_.action_count;
    Select(std::min(s, count() - 1));
    return true;
}

bool MacroDraft::InsertClick(uint8_t code, uint16_t delay) {
    if (count() > kMaxMacroActions - 2) return false;
    cursor_.insertion = selected() + 1;
    InsertAction(cursor_, MacroAction{code, kMacroPress, delay});
    InsertAction(cursor_, MacroAction{code, kMacroRelease, delay});
    return true;
}

bool MacroDraft::SetSelectedDelay(uint16_t delay) {
    if (!HasSelection() || IsLast(selected())) return false;
    macro_.actions[selected()].delay_ms = delay;
    return true;
}

bool MacroDraft::SetSelectedCode(uint8_t code) {
    if (!HasSelection()) return false;
    macro_.actions[selected()].code = code;
    return true;
}

}  // namespace nimba
