#include "device/link_manager.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <future>

#include "device/device_messages.h"
#include "device/gatt_ble_transport.h"
#include "device_fakes.h"
#include "fake_devlink.h"
#include "platform/clock.h"
#include "platform/library.h"

namespace nimba {
namespace {

using namespace std::chrono_literals;
using Links = std::array<int, 5>;  // wired, wireless, ble, any, awaiting_device

FakeDevlinkState* StateOf(const std::string& path) {
    HMODULE module = LoadLibraryW(std::wstring(path.begin(), path.end()).c_str());
    auto state_of =
        reinterpret_cast<FakeDevlink_State_Fn>(GetProcAddress(module, "FakeDevlink_State"));
    return state_of ? state_of() : nullptr;
}

class LinkManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::test::UseVirtualClock(true);
        wireless_ = StateOf(FAKE_DEVLINK_DIR "devlink_1.dll");
        wired_ = StateOf(FAKE_DEVLINK_DIR "devlink_2.dll");
        ASSERT_TRUE(wireless_ && wired_);
        window_.route = [this](UINT msg, WPARAM wParam, LPARAM lParam) {
            if (manager_) manager_->HandleWindowMessage(msg, wParam, lParam);
        };
    }
    void TearDown() override {
        manager_.reset();
        platform::test::UseVirtualClock(false);
    }

    // `settle`: run what the start posted and forget it, so a test sees only its own events.
    void Start(int wired, int wireless, bool ble, const std::string& folder = FAKE_DEVLINK_DIR,
               bool settle = true) {
        manager_.reset();
        wired_->Reset(wired);
        wireless_->Reset(wireless);
        ble_found_ = ble;
        manager_ = std::make_unique<LinkManager>(
            window_.hwnd, controls_, profile_, apply_, ble_,
            LinkManagerOptions{folder, [this] { return ble_found_; }});
        manager_->StartLinks();
        if (!settle) return;
        platform::test::Pump();
        window_.messages.clear();
    }
    LinkState& links() { return manager_->links(); }
    Links Now() {
        const LinkState& l = links();
        return {l.wired_link, l.wireless_link, l.ble_link, l.any_link, l.awaiting_device};
    }
    // Posts a presence or notice message as a driver library would and handles it; returns
    // how long the window thread was held.
    uint64_t Deliver(UINT msg, WPARAM wParam, LPARAM lParam = 0) {
        PostMessageW(window_.hwnd, msg, wParam, lParam);
        const uint64_t before = platform::NowMs();
        platform::test::Pump();
        return platform::NowMs() - before;
    }
    int Changes() { return window_.Count(kLinkStateChangedMessage); }

    FakeDevlinkState* wired_ = nullptr;
    FakeDevlinkState* wireless_ = nullptr;
    test::FakeControls controls_;
    test::FakeProfile profile_;
    test::RecordingWindow window_;
    ApplyState apply_;
    GattBleTransport ble_;  // no Bluetooth library in the test folders: never heard from
    bool ble_found_ = false;
    std::unique_ptr<LinkManager> manager_;
};

TEST_F(LinkManagerTest, StartWithNothingOrOddLibraryFolders) {
    Start(0, 0, false, FAKE_DEVLINK_DIR, false);
    platform::test::Pump();
    EXPECT_EQ(Now(), (Links{0, 0, 0, 0, 1}));
    EXPECT_EQ(controls_.Visible(Indicator::kSleepLabel), 1);
    EXPECT_EQ(Changes(), 1);
    Deliver(kWiredPresenceMessage, 0);  // a link never seen can still go
    EXPECT_EQ(links().wired_link, 2);
    EXPECT_EQ(wired_->close_feature_calls, 1);

    // Missing or incomplete libraries leave their link absent.
    Start(1, 1, false, "/nonexistent/");
    EXPECT_EQ(Now(), (Links{0, 0, 0, 0, 1}));
    manager_->HandleWindowMessage(kApplyRequestMessage, 0, 0);

    // A program folder named with letters beyond ASCII.
    const std::string folder = ::testing::TempDir() + "Mäuse-ñ-" + std::to_string(::getpid());
    std::filesystem::create_directory_symlink(FAKE_DEVLINK_DIR, folder);
    Start(1, 1, false, folder + "/");
    std::filesystem::remove(folder);
    EXPECT_EQ(Now(), (Links{1, 1, 0, 1, 0}));

    FakeDevlinkState* incomplete = StateOf(INCOMPLETE_DEVLINK_DIR "devlink_2.dll");
    ASSERT_NE(incomplete, nullptr);
    incomplete->Reset(1);
    Start(1, 1, false, INCOMPLETE_DEVLINK_DIR);
    EXPECT_EQ(links().wired_link, 0);
    EXPECT_EQ(incomplete->Locked(incomplete->open_calls), 0);
}

TEST_F(LinkManagerTest, ReceiverArrivalAndRemoval) {
    Start(0, 0, false);
    EXPECT_EQ(Deliver(kWirelessPresenceMessage, 1), 1000u);
    EXPECT_EQ(Now(), (Links{0, 1, 0, 1, 1}));
    EXPECT_EQ(controls_.Visible(Indicator::kWireless), 1);
    EXPECT_EQ(wireless_->Locked(wireless_->open_calls), 2);
    platform::test::Pump();
    EXPECT_EQ(Changes(), 1);
    // A second arrival: no pause, no second open.
    EXPECT_EQ(Deliver(kWirelessPresenceMessage, 1), 0u);
    EXPECT_EQ(wireless_->Locked(wireless_->open_calls), 2);

    Deliver(kWirelessPresenceMessage, 0);
    EXPECT_EQ(Now(), (Links{0, 2, 0, 0, 1}));
    platform::test::Pump();
    EXPECT_EQ(Changes(), 2);
    Deliver(kWirelessPresenceMessage, 0);
    EXPECT_EQ(wireless_->close_feature_calls, 1);
    // The watchdog is stopped by the removal.
    const int idles = controls_.refreshes;
    platform::test::AdvanceBy(12000);
    EXPECT_EQ(controls_.refreshes, idles);
}

// A USB link going while another is up is the links_follow_the_mouse story; Bluetooth here.
TEST_F(LinkManagerTest, BluetoothGoingWhileTheCableIsUpLeavesAnyLinkAlone) {
    Start(1, 0, false);
    manager_->SetBleConnected(1);
    manager_->SetBleConnected(0);
    platform::test::Pump();
    EXPECT_EQ(links().any_link, 1);
    EXPECT_EQ(Changes(), 0);
    EXPECT_EQ(controls_.Visible(Indicator::kSleepLabel), 0);
}

TEST_F(LinkManagerTest, StopWaitsForTheRunningApplyBeforeUnloading) {
    Start(1, 0, false);
    std::promise<void> in_write, release;
    std::shared_future<void> released = release.get_future().share();
    {
        std::lock_guard lock(wired_->mutex);
        wired_->after_write = [&, released](const std::vector<uint8_t>&) {
            {
                std::lock_guard lock(wired_->mutex);  // once: later writes go through
                wired_->after_write = nullptr;
            }
            in_write.set_value();
            released.wait();
        };
    }
    apply_.apply_all = 1;
    Deliver(kApplyRequestMessage, 0);
    Deliver(kApplyRequestMessage, 0);
    ASSERT_EQ(in_write.get_future().wait_for(5s), std::future_status::ready);
    auto stopped = std::async(std::launch::async, [this] { manager_->StopLinks(); });
    EXPECT_EQ(stopped.wait_for(100ms), std::future_status::timeout);
    release.set_value();
    ASSERT_EQ(stopped.wait_for(5s), std::future_status::ready);
    // The rest of the apply and the queued request found the links gone (the request only
    // saved); the watchdog the apply set again at its end is gone too.
    EXPECT_EQ(wired_->Writes(), 1u);
    EXPECT_EQ(profile_.saves, 2);
    EXPECT_FALSE(platform::MsUntilNextTimer());
}

TEST_F(LinkManagerTest, StopDuringAReceiverMacroSendReturnsWithinASecond) {
    platform::test::UseVirtualClock(false);
    Start(0, 1, false);
    links().wireless_awake = 1;
    links().awaiting_device = 0;
    apply_.applied_snapshot.Set(
        profile_.UpdateCurrent([](ProfileRecord& p) { p.buttons[0].function = 17; }));
    profile_.UpdateCurrent([](ProfileRecord& p) { p.buttons[0].macro_loop_count = 2; });
    std::promise<void> macro_sent;
    std::once_flag first_chunk;
    {
        std::lock_guard lock(wireless_->mutex);
        wireless_->after_write = [&](const std::vector<uint8_t>& bytes) {
            if (bytes[0] != 0x09) links().ack_received = 1;  // the button report is taken
            if (bytes[0] == 0x09) std::call_once(first_chunk, [&] { macro_sent.set_value(); });
        };
    }
    Deliver(kApplyRequestMessage, 0);
    ASSERT_EQ(macro_sent.get_future().wait_for(5s), std::future_status::ready);
    const auto before = std::chrono::steady_clock::now();
    manager_->StopLinks();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 1s);
    EXPECT_EQ(wireless_->Writes(), 2u);
}

}  // namespace
}  // namespace nimba
