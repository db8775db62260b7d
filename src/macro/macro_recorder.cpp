#include "macro/macro_recorder.h"

#include <algorithm>
#include <cstring>

#include "keys/key_table.h"

namespace nimba {
namespace {

MacroAction Action(uint8_t code, uint8_t kind) {
    return MacroAction{code, kind, kMinDelayMs};
}

}  // namespace

std::optional<MacroAction> ActionOfInputEvent(WPARAM wParam, LPARAM lParam) {
    switch (wParam) {
        case 0x201:
            return Action(kLeftButtonCode, kMacroPress);
        case 0x202:
            return Action(kLeftButtonCode, kMacroRelease);
        case 0x204:
            return Action(kRightButtonCode, kMacroPress);
        case 0x205:
            return Action(kRightButtonCode, kMacroRelease);
        case 0x207:
            return Action(kMiddleButtonCode, kMacroPress);
        case 0x208:
            return Action(kMiddleButtonCode, kMacroRelease);
        case 0x20B:
        case 0x20C: {
            // Only the two side buttons exist; any other lParam names no button.
            if (lParam != 1 && lParam != 2) return std::nullopt;
            const uint8_t code = lParam == 1 ? kForwardButtonCode : kBackwardButtonCode;
            return Action(code, wParam == 0x20B ? kMacroPress : kMacroRelease);
        }
        default:
            break;
    }
    if (!IsVirtualKey(wParam)) return std::nullopt;
    const KeyCodeLookup key = KeyCodeOfVirtualKey(static_cast<int>(wParam));
    return Action(key.code, lParam == 0 ? kMacroPress : kMacroRelease);
}

uint16_t ClampDelay(long long value) {
    return static_cast<uint16_t>(std::clamp<long long>(value, kMinDelayMs, 65535));
}

bool InsertAction(ActionCursor& cursor, MacroAction action) {
    MacroRecord& macro = *cursor.macro;
    const int count = std::clamp(macro.action_count, 0, kMaxMacroActions);
    if (count >= kMaxMacroActions) return false;
    const int at = cursor.insertion < 0 ? count : std::min(cursor.insertion, count);
    std::memmove(&macro.actions[at + 1], &macro.actions[at],
                 sizeof(MacroAction) * static_cast<size_t>(count - at));
    macro.actions[at] = action;
    macro.action_count = count + 1;
    ++cursor.selected;
    if (cursor.insertion >= 0) cursor.insertion = at + 1;
    return true;
}

void MacroRecorder::Start(ActionCursor& cursor, uint16_t default_delay, uint32_t now_ms) {
    MacroRecord& macro = *cursor.macro;
    if (cursor.selected < 0 || cursor.selected >= macro.action_count) {
        macro.action_count = 0;
        std::memset(macro.actions, 0, sizeof(macro.actions));
        cursor.selected = -1;
        cursor.insertion = -1;
        insert_mode_ = false;
    } else {
        cursor.insertion = cursor.selected + 1;
        insert_mode_ = true;
    }
    start_insertion_ = cursor.insertion;
    recording_ = true;
    default_delay_ = ClampDelay(default_delay);
    last_event_ms_ = now_ms;
    // A new recording must not drop its first event for being the last one of the previous.
    last_event_.reset();
}

uint16_t MacroRecorder::DelayOfPause(uint32_t now_ms) const {
    switch (delay_mode) {
        case DelayMode::kRecorded:
            // Unsigned subtraction keeps the pause right across the clock's 32-bit wrap.
            return static_cast<uint16_t>(std::min<uint32_t>(now_ms - last_event_ms_, 65535));
        case DelayMode::kDefault:
            return default_delay_;
        case DelayMode::kNone:
            break;
    }
    return kMinDelayMs;
}

MacroRecorder::Result MacroRecorder::Record(ActionCursor& cursor, WPARAM wParam, LPARAM lParam,
                                            uint32_t now_ms) {
    if (!recording_) return Result::kIgnored;
    const std::optional<MacroAction> action = ActionOfInputEvent(wParam, lParam);
    if (!action) return Result::kIgnored;
    // A held key repeats its press; only the first one counts.
    if (last_event_ == std::pair{wParam, lParam}) return Result::kIgnored;
    last_event_ = std::pair{wParam, lParam};

    MacroRecord& macro = *cursor.macro;
    if (MacroWeight(macro) >= kMaxMacroActions) return Result::kFull;

    // The pause before this event belongs to the action before it.
    const uint16_t delay = DelayOfPause(now_ms);
    const int count = macro.action_count;
    if (cursor.insertion < 0) {
        if (count >= 1) macro.actions[count - 1].delay_ms = delay;
    } else if (cursor.insertion == start_insertion_) {
        if (cursor.insertion < kMaxMacroActions) macro.actions[cursor.insertion].delay_ms = delay;
    } else if (cursor.insertion >= 1) {
        macro.actions[cursor.insertion - 1].delay_ms = delay;
    }
    InsertAction(cursor, *action);
    last_event_ms_ = now_ms;
    return macro.action_count >= kMaxMacroActions ? Result::kFull : Result::kRecorded;
}

void MacroRecorder::Stop() {
    recording_ = false;
    last_event_ms_ = 0;
}

}  // namespace nimba
