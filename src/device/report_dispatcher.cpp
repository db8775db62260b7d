#include "device/report_dispatcher.h"

#include <cstdio>
#include <span>

#include "platform/clock.h"
#include "platform/debug_output.h"
#include "protocol/macro_report.h"
#include "protocol/report_ids.h"

namespace nimba {
namespace {

// Fixed values of the protocol, not tuning knobs.
constexpr uint32_t kChunkLength = 64;
constexpr int kWirelessAttempts = 10;
constexpr DWORD kWiredChunkPauseMs = 200;
constexpr DWORD kWirelessChunkPauseMs = 1000;
constexpr DWORD kWirelessRetryPauseMs = 500;
constexpr DWORD kAfterWritePauseMs = 500;

int32_t Write(const LinkWrite& write, const uint8_t* data, uint32_t length) {
    return write ? write(data, length) : 0;
}

// A wired macro that fails on its last chunk still gets a chance on the other links.
bool SendMacroWired(std::span<const uint8_t> report, const LinkWrite& write, int32_t& result,
                    std::stop_token stop) {
    for (const auto& chunk : SplitMacroReport(report, kWiredLastChunkMark)) {
        if (stop.stop_requested()) break;
        result = Write(write, chunk.data(), kChunkLength);
        if (result != 0) platform::SleepUnlessStopped(kWiredChunkPauseMs, stop);
    }
    return result != 0;
}

int32_t SendWireless(std::span<const uint8_t> report, LinkState& links, const LinkWrite& write,
                     std::stop_token stop) {
    int32_t result = 0;
    // An acknowledgement that arrived for an earlier report must not end this one.
    links.ack_received.store(0);
    const auto unanswered = [&] {
        return links.ack_received.load() == 0 && !stop.stop_requested();
    };
    if (report[0] == kMacroReportId) {
        const auto chunks = SplitMacroReport(report, kWirelessLastChunkMark);
        // The acknowledgement is looked at between cycles only, never between chunks.
        for (int cycle = 0; cycle < kWirelessAttempts && unanswered(); ++cycle) {
            for (const auto& chunk : chunks) {
                if (stop.stop_requested()) break;
                result = Write(write, chunk.data(), kChunkLength);
                platform::SleepUnlessStopped(kWirelessChunkPauseMs, stop);
            }
        }
        return result;
    }
    for (int attempt = 0; attempt < kWirelessAttempts && unanswered(); ++attempt) {
        result = Write(write, report.data(), static_cast<uint32_t>(report.size()));
        wchar_t line[64];
        std::swprintf(line, 64, L"Wireless Send = %d", result);
        OutputDebugStringW(line);
        platform::SleepUnlessStopped(kWirelessRetryPauseMs, stop);
    }
    return result;
}

}  // namespace

SendResult SendReport(const uint8_t* data, uint32_t length, LinkState& links,
                      const LinkWriters& writers, std::stop_token stop) {
    if (data == nullptr || length == 0 || stop.stop_requested()) return {};
    const std::span<const uint8_t> report(data, length);
    SendResult sent;
    bool done = false;
    if (links.wired_link.load() == 1) {
        if (report[0] == kMacroReportId) {
            done = SendMacroWired(report, writers.wired, sent.written, stop);
        } else {
            // No second link for a failed wired write: it is final.
            sent.written = Write(writers.wired, data, length);
            done = true;
        }
        sent.delivered = sent.written != 0;
    }
    if (!done && !stop.stop_requested()) {
        if (links.wireless_link.load() == 1 && links.wireless_awake.load() != 0) {
            sent.written = SendWireless(report, links, writers.wireless, stop);
            sent.delivered = links.ack_received.load() != 0;
        } else if (links.ble_link.load() != 0 && report[0] != kReportRateReportId) {
            // The mouse takes no report rate over Bluetooth LE.
            sent.written = Write(writers.ble, data, length);
            sent.delivered = sent.written != 0;
        }
    }
    if (sent.written != 0) platform::SleepUnlessStopped(kAfterWritePauseMs, stop);
    return sent;
}

}  // namespace nimba
