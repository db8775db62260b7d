#include "protocol/macro_report.h"

#include <gtest/gtest.h>

#include <vector>

#include "protocol/report_checksum.h"

namespace nimba {
namespace {

ButtonAssignment MacroButton(std::initializer_list<MacroAction> actions) {
    ButtonAssignment button{};
    button.function = 17;
    for (const MacroAction& action : actions) {
        button.macro_actions[button.macro_action_count++] = action;
    }
    return button;
}

struct Entry {
    uint8_t value;
    uint8_t code;
    bool operator==(const Entry&) const = default;
};

Entry EntryAt(const MacroReport& report, int e) {
    return {report[29 + 2 * e], report[30 + 2 * e]};
}

TEST(MacroReport, HeaderFieldsAndLoopCount) {
    ButtonAssignment button = MacroButton({{4, 1, 10}});
    button.macro_loop_mode = 2;
    button.macro_spare = 0x5A;
    button.macro_loop_count = 3;
    const MacroReport report = BuildMacroReport(7, button);
    EXPECT_EQ(std::vector<uint8_t>(report.begin(), report.begin() + 8),
              (std::vector<uint8_t>{0x09, 131, 7, 2, 0x5A, 0x5A, 0x5A, 3}));
    EXPECT_EQ(report[129] << 8 | report[130], ReportChecksum(report, 3, 128));
    // A loop count whose low byte is 0 is sent as 1.
    for (int32_t count : {0, 256}) {
        button.macro_loop_count = count;
        EXPECT_EQ(BuildMacroReport(1, button)[7], 1) << count;
    }
}

TEST(MacroReport, DelayEncoding) {
    const MacroReport report = BuildMacroReport(1, MacroButton({
                                                       {0x04, 1, 0},     // 0 ms as 1 ms
                                                       {0x04, 2, 1270},  // longest single entry
                                                       {0x05, 1, 1271},
                                                       {0x06, 2, 1400},  // remainder 0 as 1
                                                       {0x07, 1, 15},    // half rounds up
                                                   }));
    EXPECT_EQ(report[28], 7);
    const Entry expected[] = {{0x01, 0x04},     {127 | 0x81, 0x04},
                              {7 | 0x01, 0x05}, {6, 3},
                              {0x81, 0x06},     {7, 3},
                              {2 | 0x01, 0x07}, {0, 0}};
    for (int e = 0; e < 8; ++e) EXPECT_EQ(EntryAt(report, e), expected[e]) << e;
}

TEST(MacroReport, NoExtraEntriesAfterTheTenth) {
    ButtonAssignment button{};
    for (int i = 0; i < 12; ++i) button.macro_actions[i] = {static_cast<uint8_t>(i + 4), 1, 1271};
    button.macro_action_count = 12;
    const MacroReport report = BuildMacroReport(1, button);
    EXPECT_EQ(report[28], 22);
    EXPECT_EQ(EntryAt(report, 19), (Entry{6, 3}));
    EXPECT_EQ(EntryAt(report, 20), (Entry{7, 14}));  // remainder, no extra after it
    EXPECT_EQ(EntryAt(report, 21), (Entry{7, 15}));
}

TEST(MacroReport, NeverOverrunsTheEntryAreaTheSlotOrAByte) {
    ButtonAssignment button{};
    for (int i = 0; i < kMaxMacroActions; ++i) button.macro_actions[i] = {4, 2, 2000};
    button.macro_action_count = kMaxMacroActions;  // would need 56 entries
    const MacroReport report = BuildMacroReport(1, button);
    EXPECT_EQ(report[28], 50);
    EXPECT_EQ(EntryAt(report, 49), (Entry{0x81, 4}));
    EXPECT_EQ(report[129] << 8 | report[130], ReportChecksum(report, 3, 128));

    // A foreign action count reads no further than the slot's actions.
    button.macro_action_count = 60000;
    for (MacroAction& action : button.macro_actions) action = {};
    EXPECT_EQ(BuildMacroReport(1, button)[28], kMaxMacroActions);

    // A very long delay saturates instead of wrapping.
    EXPECT_EQ(EntryAt(BuildMacroReport(1, MacroButton({{4, 1, 65535}})), 1), (Entry{255, 3}));
}

TEST(SplitMacroReport, NeverReadsBeyondTheGivenBytes) {
    const uint8_t stub[] = {0x09, 0x83, 4, 0xAA};
    const auto chunks = SplitMacroReport(stub, kWiredLastChunkMark);
    EXPECT_EQ(chunks[0][2], 4);
    EXPECT_EQ(chunks[0][4], 0xAA);
    EXPECT_EQ(chunks[0][5], 0);
}

}  // namespace
}  // namespace nimba
