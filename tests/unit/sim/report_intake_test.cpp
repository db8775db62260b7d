#include "sim/report_intake.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/profile_defaults.h"
#include "protocol/report_catalogue.h"
#include "recording_window.h"

using namespace nimba;
using sim::IntakeOutcome;
using sim::RejectReason;
using sim::ReportIntake;
using sim::SimLink;
using test::Bytes;

namespace {

MacroReport SampleMacro() {
    ButtonAssignment button{};
    button.function = 17;
    button.macro_loop_count = 2;
    button.macro_action_count = 2;
    button.macro_actions[0] = {0x04, kMacroPress, 30};
    button.macro_actions[1] = {0x04, kMacroRelease, 1500};
    return BuildMacroReport(5, button);
}

}  // namespace

// Whole reports being taken, and a whole one with a bad checksum refused, are shown by the
// simulated-links and end-to-end tests.
TEST(ReportIntake, TakesWholeMacrosOnlyOverBleAndRejectsDamagedReports) {
    const auto profile = NewProfile(u"p");
    ReportIntake intake;
    EXPECT_EQ(intake.Take(SimLink::kBle, SampleMacro()).outcome, IntakeOutcome::kAccepted);

    const auto lighting = BuildLightingReport(*profile);
    EXPECT_EQ(intake.Take(SimLink::kWired, std::span(lighting).first(14)).reason,
              RejectReason::kLength);
    auto rate = BuildReportRateReport(*profile);
    rate[4] = rate[3];
    EXPECT_EQ(intake.Take(SimLink::kWired, rate).reason, RejectReason::kContent);
    const uint8_t unknown[4] = {0x07, 0x04, 0x01, 0x00};
    EXPECT_EQ(intake.Take(SimLink::kWired, unknown).reason, RejectReason::kUnknownId);
    EXPECT_EQ(intake.Take(SimLink::kWired, std::span(unknown).first(1)).reason,
              RejectReason::kLength);
    // Over USB a macro travels only in chunks.
    EXPECT_EQ(intake.Take(SimLink::kWired, SampleMacro()).reason, RejectReason::kLength);
}

TEST(ReportIntake, ReassemblesMacroChunksPerLinkInSequenceOnly) {
    const MacroReport macro = SampleMacro();
    const auto wired = SplitMacroReport(macro, kWiredLastChunkMark);
    const auto receiver = SplitMacroReport(macro, kWirelessLastChunkMark);
    ReportIntake intake;

    EXPECT_EQ(intake.Take(SimLink::kWired, wired[1]).reason, RejectReason::kSequence);
    intake.Take(SimLink::kWired, wired[0]);
    EXPECT_EQ(intake.Take(SimLink::kWired, wired[2]).reason, RejectReason::kSequence);
    // After a failure the sequence must start again from chunk 0.
    EXPECT_EQ(intake.Take(SimLink::kWired, wired[1]).reason, RejectReason::kSequence);

    // Each link ends a macro with its own mark.
    intake.Take(SimLink::kWired, wired[0]);
    intake.Take(SimLink::kWired, wired[1]);
    EXPECT_EQ(intake.Take(SimLink::kWired, receiver[2]).reason, RejectReason::kLength);

    // A repeated cycle restarts the assembly; interleaving links does not mix them.
    intake.Take(SimLink::kWireless, receiver[0]);
    intake.Take(SimLink::kWireless, receiver[0]);
    intake.Take(SimLink::kWired, wired[0]);
    EXPECT_EQ(intake.Take(SimLink::kWireless, receiver[1]).outcome, IntakeOutcome::kPartial);
    const auto result = intake.Take(SimLink::kWireless, receiver[2]);
    ASSERT_EQ(result.outcome, IntakeOutcome::kAccepted);
    EXPECT_EQ(result.report, Bytes(macro));
    intake.Take(SimLink::kWired, wired[1]);
    EXPECT_EQ(intake.Take(SimLink::kWired, wired[2]).outcome, IntakeOutcome::kAccepted);

    auto damaged = receiver;
    damaged[1][20] ^= 0xFF;
    intake.Take(SimLink::kWireless, damaged[0]);
    intake.Take(SimLink::kWireless, damaged[1]);
    EXPECT_EQ(intake.Take(SimLink::kWireless, damaged[2]).reason, RejectReason::kChecksum);
}
