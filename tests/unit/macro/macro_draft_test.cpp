#include "macro/macro_draft.h"

#include <gtest/gtest.h>

namespace nimba {
namespace {

// `count` presses of codes 4, 5, 6, ... with delays 100, 101, ...
void Fill(MacroDraft& draft, int count) {
    MacroRecord record{};
    record.action_count = count;
    for (int i = 0; i < count && i < kMaxMacroActions; ++i) {
        record.actions[i] = {uint8_t(4 + i), kMacroPress, uint16_t(100 + i)};
    }
    draft.Load(record);
}

TEST(MacroDraftTest, EditsFollowTheSelectionAndStayInsideTheActions) {
    MacroDraft draft;
    Fill(draft, 3);
    EXPECT_FALSE(draft.MoveSelected(1));  // nothing selected
    draft.Select(0);
    EXPECT_FALSE(draft.MoveSelected(-1));
    ASSERT_TRUE(draft.MoveSelected(1));
    EXPECT_EQ(draft.selected(), 1);
    EXPECT_EQ(draft.action(1).code, 4);
    draft.Select(2);
    ASSERT_TRUE(draft.DeleteSelected());
    EXPECT_EQ(draft.selected(), 1);  // the new last one
    // The last action's pause is fixed.
    EXPECT_EQ(draft.ShownDelay(1), kMinDelayMs);
    EXPECT_FALSE(draft.SetSelectedDelay(500));
    ASSERT_TRUE(draft.DeleteSelected());
    ASSERT_TRUE(draft.DeleteSelected());
    EXPECT_EQ(draft.selected(), -1);
    EXPECT_FALSE(draft.SetSelectedCode(kLeftButtonCode));

    // A click goes after the selection while both its actions fit.
    Fill(draft, 2);
    draft.Select(0);
    ASSERT_TRUE(draft.InsertClick(kMiddleButtonCode, 30));
    EXPECT_EQ(draft.action(2).kind, kMacroRelease);
    EXPECT_EQ(draft.action(3).code, 5);
    Fill(draft, kMaxMacroActions - 1);
    EXPECT_FALSE(draft.InsertClick(kLeftButtonCode, 10));
    EXPECT_EQ(draft.count(), kMaxMacroActions - 1);
}

TEST(MacroDraftTest, TwoLongPausesInAFullMacroCannotBeSaved) {
    MacroDraft draft;
    Fill(draft, 1000);  // a damaged count is held to the array
    EXPECT_EQ(draft.count(), kMaxMacroActions);
    draft.Select(0);
    draft.SetSelectedDelay(kSingleSlotDelayMs + 1);
    EXPECT_TRUE(draft.Savable());
    draft.Select(1);
    draft.SetSelectedDelay(kSingleSlotDelayMs);  // the longest pause of one slot
    EXPECT_TRUE(draft.Savable());
    draft.SetSelectedDelay(kSingleSlotDelayMs + 1);
    EXPECT_FALSE(draft.Savable());
    EXPECT_EQ(MouseChoiceOf(kForwardButtonCode), 3);  // the choice lists forward first
    EXPECT_EQ(MouseChoiceOf(4), -1);
}

}  // namespace
}  // namespace nimba
