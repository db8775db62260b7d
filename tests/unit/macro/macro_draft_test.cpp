#include "macro/macro_draft.h"

#include <gtest/gtest.h>

namespace nimba {
namespace {

// A draft of `count` presses of codes 4, 5, 6, ... with delays 100, 101, ...
void Fill(MacroDraft& draft, int count) {
    MacroRecord record{};
    record.action_count = count;
    for (int i = 0; i < count; ++i) {
        record.actions[i] = {static_cast<uint8_t>(4 + i), kMacroPress,
                             static_cast<uint16_t>(100 + i)};
    }
    draft.Load(record);
}

TEST(MacroDraftTest, MovesAndDeletesCarryTheSelectionAndStayInsideTheActions) {
    MacroDraft draft;
    Fill(draft, 3);
    EXPECT_FALSE(draft.MoveSelected(1));  // nothing selected
    draft.Select(0);
    EXPECT_FALSE(draft.MoveSelected(-1));
    ASSERT_TRUE(draft.MoveSelected(1));
    EXPECT_EQ(draft.selected(), 1);
    EXPECT_EQ(draft.action(0).code, 5);
    EXPECT_EQ(draft.action(1).code, 4);

    draft.Select(2);
    ASSERT_TRUE(draft.DeleteSelected());
    EXPECT_EQ(draft.count(), 2);
    EXPECT_EQ(draft.selected(), 1);  // the new last one
    EXPECT_EQ(draft.action(2).code, 0);
    // The last action's pause is fixed: shown as 10 and not set.
    EXPECT_EQ(draft.ShownDelay(1), kMinDelayMs);
    EXPECT_FALSE(draft.SetSelectedDelay(500));
    draft.Select(0);
    EXPECT_TRUE(draft.SetSelectedDelay(500));
    EXPECT_EQ(draft.ShownDelay(0), 500);

    ASSERT_TRUE(draft.DeleteSelected());
    ASSERT_TRUE(draft.DeleteSelected());
    EXPECT_EQ(draft.count(), 0);
    EXPECT_EQ(draft.selected(), -1);
    EXPECT_FALSE(draft.DeleteSelected());
    EXPECT_FALSE(draft.SetSelectedCode(kLeftButtonCode));
}

TEST(MacroDraftTest, ClicksGoAfterTheSelectionWhileTwoMoreFit) {
    MacroDraft draft;
    Fill(draft, 2);
    draft.Select(0);
    ASSERT_TRUE(draft.InsertClick(kMiddleButtonCode, 30));
    EXPECT_EQ(draft.count(), 4);
    EXPECT_EQ(draft.action(1).code, kMiddleButtonCode);
    EXPECT_EQ(draft.action(1).kind, kMacroPress);
    EXPECT_EQ(draft.action(2).kind, kMacroRelease);
    EXPECT_EQ(draft.action(3).code, 5);

    Fill(draft, kMaxMacroActions - 1);
    EXPECT_FALSE(draft.InsertClick(kLeftButtonCode, 10));
    EXPECT_EQ(draft.count(), kMaxMacroActions - 1);
    Fill(draft, kMaxMacroActions - 2);
    EXPECT_TRUE(draft.InsertClick(kLeftButtonCode, 10));
}

TEST(MacroDraftTest, LongPausesWeighDoubleAndADraftAtTheLimitCannotBeSaved) {
    MacroDraft draft;
    Fill(draft, 46);  // more actions than a stored macro may hold is never loaded
    EXPECT_EQ(draft.count(), 46);
    EXPECT_TRUE(draft.Savable());
    draft.Select(0);
    draft.SetSelectedDelay(kSingleSlotDelayMs + 1);
    EXPECT_TRUE(draft.Savable());  // 47
    draft.Select(1);
    draft.SetSelectedDelay(kSingleSlotDelayMs + 1);
    EXPECT_FALSE(draft.Savable());  // 48

    draft.Clear();
    EXPECT_EQ(draft.count(), 0);
    EXPECT_EQ(draft.cursor().insertion, -1);
    MacroRecord loaded{};
    loaded.action_count = 1000;  // a damaged count is held to the array
    draft.Load(loaded);
    EXPECT_EQ(draft.count(), kMaxMacroActions);
}

TEST(MacroDraftTest, TheMouseChoiceListsForwardBeforeBackward) {
    EXPECT_EQ(MouseChoiceOf(kLeftButtonCode), 0);
    EXPECT_EQ(MouseChoiceOf(kForwardButtonCode), 3);
    EXPECT_EQ(MouseChoiceOf(kBackwardButtonCode), 4);
    EXPECT_EQ(MouseChoiceOf(4), -1);
}

}  // namespace
}  // namespace nimba
