// What a recording makes of events the scenarios cannot post: foreign messages, a clock that
// wraps, a pause longer than a delay can hold, a full macro.

#include "macro/macro_recorder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace nimba {
namespace {

class MacroRecorderTest : public ::testing::Test {
protected:
    MacroRecorder::Result Event(WPARAM w, LPARAM l, uint32_t at) {
        return recorder_.Record(cursor_, w, l, at);
    }

    MacroRecord macro_{};
    ActionCursor cursor_{&macro_, -1, -1};
    MacroRecorder recorder_;
};

TEST_F(MacroRecorderTest, EventsThatNameNoKeyOrButtonAreNotRecorded) {
    recorder_.Start(cursor_, 10, 0);
    EXPECT_EQ(MacroRecorder::Result::kIgnored, Event(0, 0, 1));
    EXPECT_EQ(MacroRecorder::Result::kIgnored, Event(255, 0, 2));
    EXPECT_EQ(MacroRecorder::Result::kIgnored, Event(0x20B, 3, 3));  // no third side button
    EXPECT_EQ(MacroRecorder::Result::kIgnored, Event(0x20A, 0, 4));  // the wheel
    EXPECT_EQ(0, macro_.action_count);
}

TEST_F(MacroRecorderTest, RecordedPausesSurviveTheClockWrapAndAreCapped) {
    recorder_.delay_mode = DelayMode::kRecorded;
    recorder_.Start(cursor_, 10, 0xFFFFFF00u);
    Event(0x41, 0, 0xFFFFFF00u);
    Event(0x41, 1, 0x00000100u);  // 512 ms later, across the wrap
    Event(0x201, 0, 0x00100000u);
    ASSERT_EQ(3, macro_.action_count);
    EXPECT_EQ(512, macro_.actions[0].delay_ms);
    EXPECT_EQ(65535, macro_.actions[1].delay_ms);
    EXPECT_EQ(10, macro_.actions[2].delay_ms);
}

TEST_F(MacroRecorderTest, ANewRecordingKeepsAFirstEventEqualToThePreviousLast) {
    recorder_.Start(cursor_, 10, 0);
    Event(0x41, 0, 0);
    recorder_.Stop();
    cursor_.selected = -1;
    recorder_.Start(cursor_, 10, 0);
    EXPECT_EQ(MacroRecorder::Result::kRecorded, Event(0x41, 0, 0));
    EXPECT_EQ(1, macro_.action_count);
}

TEST_F(MacroRecorderTest, InsertingAfterTheLastOfAFullMacroChangesNothing) {
    macro_.action_count = kMaxMacroActions;
    for (auto& action : macro_.actions) action = {4, kMacroPress, 10};
    const MacroRecord before = macro_;
    cursor_.selected = kMaxMacroActions - 1;
    recorder_.Start(cursor_, 10, 0);
    EXPECT_EQ(MacroRecorder::Result::kFull, Event(0x42, 0, 0));
    EXPECT_EQ(0, std::memcmp(&before, &macro_, sizeof(macro_)));
}

}  // namespace
}  // namespace nimba
