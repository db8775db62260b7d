#include "device/report_dispatcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/clock.h"

namespace nimba {
namespace {

using Strings = std::vector<std::string>;

const std::vector<uint8_t> kRate{0x06, 0x09, 0x01, 0x01, 0xFE, 0, 0, 0, 0};
const std::vector<uint8_t> kLighting = [] {
    std::vector<uint8_t> report(15);
    report[0] = 0x05;
    report[1] = 0x0F;
    return report;
}();
const std::vector<uint8_t> kMacro = [] {
    std::vector<uint8_t> report(131);
    for (size_t i = 3; i < report.size(); ++i) report[i] = static_cast<uint8_t>(i);
    report[0] = 0x09;
    report[1] = 0x83;
    report[2] = 5;
    return report;
}();

// Fake links that record each write with the virtual time it was made at; each answers from
// its list of results, the last one repeating (1 when empty).
class DispatcherTest : public ::testing::Test {
protected:
    struct Write {
        std::string link;
        std::vector<uint8_t> bytes;
        uint64_t at_ms;
    };

    void SetUp() override {
        platform::test::UseVirtualClock(true);
        Restart();
        writers_.wired = Recorder("wired", wired_result_);
        writers_.wireless = Recorder("wireless", wireless_result_);
        writers_.ble = Recorder("ble", ble_result_);
    }
    void TearDown() override { platform::test::UseVirtualClock(false); }

    LinkWrite Recorder(std::string link, std::vector<int32_t>& results) {
        return [this, link, &results](const uint8_t* data, uint32_t length) {
            writes_.push_back({link, {data, data + length}, Elapsed()});
            const int32_t result = results.empty() ? 1 : results.front();
            if (results.size() > 1) results.erase(results.begin());
            if (link == "wireless" && on_wireless_write_) on_wireless_write_(writes_.size());
            return result;
        };
    }
    void SetLinks(int wired, int wireless, int awake, int ble) {
        links_.wired_link = wired;
        links_.wireless_link = wireless;
        links_.wireless_awake = awake;
        links_.ble_link = ble;
    }
    // Starts the clock and the record afresh, e.g. for a second report in the same test.
    void Restart() {
        writes_.clear();
        start_ = platform::NowMs();
    }
    int32_t Send(const std::vector<uint8_t>& report, std::stop_token stop = {}) {
        last_ =
            SendReport(report.data(), static_cast<uint32_t>(report.size()), links_, writers_, stop);
        return last_.written;
    }
    uint64_t Elapsed() const { return platform::NowMs() - start_; }
    Strings Links() const {
        Strings links;
        for (const auto& w : writes_) links.push_back(w.link);
        return links;
    }

    LinkState links_;
    LinkWriters writers_;
    std::vector<int32_t> wired_result_, wireless_result_, ble_result_;
    std::function<void(size_t)> on_wireless_write_;
    std::vector<Write> writes_;
    SendResult last_;
    uint64_t start_ = 0;
};

TEST_F(DispatcherTest, WiredWinsWithOneWriteAndOnePauseAndItsFailureIsFinal) {
    SetLinks(1, 1, 1, 1);
    EXPECT_NE(Send(kRate), 0);
    ASSERT_EQ(Links(), Strings{"wired"});
    EXPECT_EQ(writes_[0].bytes, kRate);
    EXPECT_EQ(Elapsed(), 500u);

    Restart();
    wired_result_ = {0};
    EXPECT_EQ(Send(kLighting), 0);
    EXPECT_EQ(Links(), Strings{"wired"});
    EXPECT_EQ(Elapsed(), 0u);
}

TEST_F(DispatcherTest, RemovedNeverSeenOrWriterlessLinksAreNotUsed) {
    SetLinks(2, 2, 1, 0);
    EXPECT_EQ(Send(kRate), 0);
    links_.wired_link = 1;
    writers_.wired = nullptr;
    EXPECT_EQ(Send(kRate), 0);
    EXPECT_TRUE(writes_.empty());
    EXPECT_EQ(Elapsed(), 0u);
}

TEST_F(DispatcherTest, WiredMacroGoesAsThreeChunksAndOnlyTheLastCounts) {
    SetLinks(1, 0, 0, 0);
    wired_result_ = {0, 0, 1};
    EXPECT_NE(Send(kMacro), 0);
    ASSERT_EQ(writes_.size(), 3u);
    for (uint8_t j = 0; j < 3; ++j) {
        const auto& chunk = writes_[j].bytes;
        ASSERT_EQ(chunk.size(), 64u);
        EXPECT_EQ(std::vector<uint8_t>(chunk.begin(), chunk.begin() + 4),
                  (std::vector<uint8_t>{0x09, 0x40, 5, j}));
    }
    EXPECT_EQ(writes_[0].bytes[4], kMacro[3]);
    // Failed chunks 0 and 1 take no pause: 200 ms after chunk 2 and 500 ms at the end.
    EXPECT_EQ(Elapsed(), 700u);
}

TEST_F(DispatcherTest, WiredMacroWhoseLastChunkFailsGoesOverTheReceiverToo) {
    SetLinks(1, 1, 1, 0);
    wired_result_ = {1, 1, 0};
    on_wireless_write_ = [this](size_t) { links_.ack_received = 1; };
    EXPECT_NE(Send(kMacro), 0);
    ASSERT_EQ(Links(), (Strings{"wired", "wired", "wired", "wireless", "wireless", "wireless"}));
    EXPECT_EQ(writes_[2].bytes[1], 0x40);
    EXPECT_EQ(writes_[4].bytes[1], 0x40);
    EXPECT_EQ(writes_[5].bytes[1], 0x0C);
    // The acknowledgement is only looked at between cycles: one whole cycle goes out.
    EXPECT_EQ(Elapsed(), 400u + 3000u + 500u);
}

TEST_F(DispatcherTest, ReceiverStopsAtTheAcknowledgementOrRepeatsTenTimes) {
    SetLinks(0, 1, 1, 0);
    links_.ack_received = 1;  // left over from an earlier report: must not end this one
    on_wireless_write_ = [this](size_t) { links_.ack_received = 1; };
    EXPECT_NE(Send(kRate), 0);
    EXPECT_EQ(writes_.size(), 1u);
    EXPECT_EQ(Elapsed(), 1000u);

    Restart();
    on_wireless_write_ = nullptr;
    wireless_result_ = {0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_NE(Send(kRate), 0);
    EXPECT_FALSE(last_.delivered);  // written to the receiver, never acknowledged
    EXPECT_EQ(writes_.size(), 10u);
    EXPECT_EQ(writes_[9].at_ms, 4500u);
    EXPECT_EQ(Elapsed(), 5500u);

    // Ten failed writes: no success, and no final pause.
    Restart();
    wireless_result_ = {0};
    EXPECT_EQ(Send(kRate), 0);
    EXPECT_EQ(writes_.size(), 10u);
    EXPECT_EQ(Elapsed(), 5000u);
}

TEST_F(DispatcherTest, ReceiverMacroCyclesUntilAcknowledged) {
    SetLinks(0, 1, 1, 0);
    on_wireless_write_ = [this](size_t n) {
        if (n == 4) links_.ack_received = 1;  // during the second cycle
    };
    EXPECT_NE(Send(kMacro), 0);
    EXPECT_EQ(writes_.size(), 6u);
    EXPECT_EQ(writes_[5].bytes[1], 0x0C);
    EXPECT_EQ(Elapsed(), 6000u + 500u);

    Restart();
    on_wireless_write_ = nullptr;
    Send(kMacro);
    EXPECT_EQ(writes_.size(), 30u);
    EXPECT_EQ(Elapsed(), 30500u);
}

// Closing the links must not wait out up to 30 s of unacknowledged cycles.
TEST_F(DispatcherTest, AStopEndsTheReceiverCyclesAndPausesAtOnce) {
    SetLinks(0, 1, 1, 0);
    std::stop_source stop;
    on_wireless_write_ = [&](size_t n) {
        if (n == 2) stop.request_stop();
    };
    Send(kMacro, stop.get_token());
    EXPECT_EQ(writes_.size(), 2u);
    EXPECT_EQ(Elapsed(), 1000u);  // the pause after the first chunk only

    Restart();
    SetLinks(1, 1, 1, 1);
    EXPECT_EQ(Send(kRate, stop.get_token()), 0);
    EXPECT_TRUE(writes_.empty());
}

// Bluetooth takes a whole macro in one write, never the report rate.
TEST_F(DispatcherTest, SleepingReceiverLeavesBleWhichTakesAWholeMacroButNoRate) {
    SetLinks(0, 1, 0, 0);
    EXPECT_EQ(Send(kLighting), 0);
    EXPECT_TRUE(writes_.empty());

    links_.ble_link = 1;
    EXPECT_NE(Send(kMacro), 0);
    EXPECT_EQ(Links(), Strings{"ble"});
    EXPECT_EQ(writes_[0].bytes, kMacro);
    EXPECT_EQ(Elapsed(), 500u);
    EXPECT_EQ(Send(kRate), 0);
    EXPECT_EQ(writes_.size(), 1u);
}

}  // namespace
}  // namespace nimba
