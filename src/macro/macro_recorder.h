#pragma once

// Turns the capture library's input events (message 1034) into the actions of the macro being
// edited: which action a new one goes after, the delay it leaves behind, auto-repeat folded
// into one press, and the limit of 46 actions. Knows nothing of windows.

#include <cstdint>
#include <optional>
#include <utility>

#include "macro/macro_record.h"
#include "platform/win_types.h"

namespace nimba {

inline constexpr uint16_t kMinDelayMs = 10;

enum class DelayMode { kRecorded = 0, kDefault = 1, kNone = 2 };

// The action an input event stands for; nullopt for an event that stands for none (a key
// outside the virtual-key range, a mouse message that is not a button's).
std::optional<MacroAction> ActionOfInputEvent(WPARAM wParam, LPARAM lParam);

// A typed delay held to 10..65535.
uint16_t ClampDelay(long long value);

// The actions being edited and the place new ones go.
struct ActionCursor {
    MacroRecord* macro = nullptr;
    int selected = -1;   // selected action, -1 none
    int insertion = -1;  // where the next action goes, -1 at the end
};

// Puts `action` at the insertion point, moving the rest down; the selection and the insertion
// point move along. False (nothing changes) when the macro is full.
bool InsertAction(ActionCursor& cursor, MacroAction action);

class MacroRecorder {
public:
    enum class Result {
        kIgnored,   // not recorded
        kRecorded,  // recorded; recording goes on
        kFull,      // the macro is full: recording must stop (the event may have been recorded)
    };

    // With nothing selected the recording replaces the macro's actions, else it goes after the
    // selected one. `now_ms` is the low 32 bits of the program's clock.
    void Start(ActionCursor& cursor, uint16_t default_delay, uint32_t now_ms);
    Result Record(ActionCursor& cursor, WPARAM wParam, LPARAM lParam, uint32_t now_ms);
    void Stop();

    bool recording() const { return recording_; }
    bool insert_mode() const { return insert_mode_; }
    int start_insertion() const { return start_insertion_; }
    DelayMode delay_mode = DelayMode::kDefault;

private:
    uint16_t DelayOfPause(uint32_t now_ms) const;

    bool recording_ = false;
    bool insert_mode_ = false;
    int start_insertion_ = -1;
    uint16_t default_delay_ = kMinDelayMs;
    uint32_t last_event_ms_ = 0;
    std::optional<std::pair<WPARAM, LPARAM>> last_event_;
};

}  // namespace nimba
