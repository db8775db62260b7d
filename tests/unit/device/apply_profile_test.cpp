#include "device/apply_profile.h"

#include <gtest/gtest.h>

#include <vector>

#include "device/device_messages.h"
#include "device/store_profile_access.h"
#include "device_fakes.h"
#include "platform/clock.h"

namespace nimba {
namespace {

constexpr uint8_t kMacroFunction = 17;

// ApplyProfile over a wired link whose writes are recorded.
class ApplyProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::test::UseVirtualClock(true);
        links_.wired_link = 1;
        links_.awaiting_device = 0;
        writers_.wired = [this](const uint8_t* data, uint32_t length) {
            sent_.emplace_back(data, data + length);
            if (on_write_) on_write_();
            return 1;
        };
        state_.applied_snapshot.Set(profile_.Current());
    }
    void TearDown() override { platform::test::UseVirtualClock(false); }

    void Apply() {
        sent_.clear();
        ApplyProfile(context_);
    }
    void Edit(const std::function<void(ProfileRecord&)>& change) { profile_.UpdateCurrent(change); }
    // Report ids in sending order; a macro report as 0x900 + its button number.
    std::vector<int> Sent() const {
        std::vector<int> ids;
        for (const auto& r : sent_) {
            // A wired macro report goes as chunks; count it once, by its first chunk.
            if (r[0] == 0x09 && r[3] != 0) continue;
            ids.push_back(r[0] == 0x09 ? 0x900 + r[2] : r[0]);
        }
        return ids;
    }

    test::FakeControls controls_;
    test::FakeProfile profile_;
    test::RecordingWindow window_;
    LinkState links_;
    LinkWriters writers_;
    ApplyState state_;
    ApplyContext context_{links_, writers_, profile_, state_, controls_, window_.hwnd};
    std::vector<std::vector<uint8_t>> sent_;
    std::function<void()> on_write_;
};

TEST_F(ApplyProfileTest, NothingChangedSendsNothingButSavesAndEachGroupSendsOnlyItsReport) {
    Apply();
    EXPECT_TRUE(sent_.empty());
    EXPECT_EQ(profile_.saves, 1);
    EXPECT_EQ(controls_.ring, (std::vector<bool>{true, false}));

    // One group's change sends only its report
    // (SettingsStoryTest.ApplyingAChangeSendsOnlyItsGroup); a field the lighting report does not
    // carry still resends it.
    Edit([](ProfileRecord& p) { p.light_mode_ble = 4; });
    Apply();
    EXPECT_EQ(Sent(), std::vector<int>{0x05});

    Edit([](ProfileRecord& p) { p.lift_off_distance ^= 1; });
    Apply();
    EXPECT_EQ(Sent(), std::vector<int>{0x04});

    // Fields no group names never cause a report.
    Edit([](ProfileRecord& p) {
        p.motion_mode = 9;
        p.name[0] = u'Z';
    });
    Apply();
    EXPECT_TRUE(sent_.empty());
}

TEST_F(ApplyProfileTest, ApplyAllSendsEverythingInOrderOnce) {
    Edit([](ProfileRecord& p) {
        p.buttons[7].function = kMacroFunction;
        p.buttons[2].function = kMacroFunction;
    });
    state_.apply_all = 1;
    Apply();
    EXPECT_EQ(Sent(), (std::vector<int>{0x0C, 0x04, 0x05, 0x06, 0x08, 0x903, 0x908}));
    EXPECT_EQ(state_.apply_all, 0);
    Apply();
    EXPECT_TRUE(sent_.empty());
}

TEST_F(ApplyProfileTest, WatchdogIsRestartedAtTheEnd) {
    SetTimer(window_.hwnd, kWirelessWatchdogTimer, kWirelessWatchdogMs);
    Edit([](ProfileRecord& p) {
        p.report_rate = 0;
        p.light_speed += 1;
    });
    Apply();  // 500 ms of pauses
    platform::test::AdvanceBy(5900);
    EXPECT_EQ(window_.Count(WM_TIMER, kWirelessWatchdogTimer), 0);
    platform::test::AdvanceBy(100);
    EXPECT_EQ(window_.Count(WM_TIMER, kWirelessWatchdogTimer), 1);
}

TEST_F(ApplyProfileTest, EditOrNoticeDuringAnApplyIsNeitherLostNorUndone) {
    Edit([](ProfileRecord& p) { p.light_speed = 1; });
    on_write_ = [this] {
        on_write_ = nullptr;
        Edit([](ProfileRecord& p) { p.report_rate = 2; });
        state_.apply_all = 1;  // e.g. another profile chosen meanwhile
        // The mouse reports a stage of its own, as the notice handling records it.
        const auto stage = [](ProfileRecord& p) { p.current_dpi_stage = 5; };
        Edit(stage);
        state_.applied_snapshot.Update(stage);
    };
    Apply();
    EXPECT_EQ(Sent(), std::vector<int>{0x05});
    EXPECT_EQ(state_.applied_snapshot.Get().light_speed, 1);
    EXPECT_NE(state_.applied_snapshot.Get().report_rate, 2);
    EXPECT_EQ(state_.applied_snapshot.Get().current_dpi_stage, 5);

    Apply();
    EXPECT_EQ(Sent(), (std::vector<int>{0x0C, 0x04, 0x05, 0x06, 0x08}));
    EXPECT_EQ(state_.applied_snapshot.Get().report_rate, 2);
}

TEST_F(ApplyProfileTest, NoCurrentProfileSendsNothing) {
    ProfileStore empty("/nonexistent/", {});
    StoreProfileAccess access(empty, [] {});
    ApplyContext context{links_, writers_, access, state_, controls_, window_.hwnd};
    state_.apply_all = 1;
    ApplyProfile(context);
    EXPECT_TRUE(sent_.empty());
}

}  // namespace
}  // namespace nimba
