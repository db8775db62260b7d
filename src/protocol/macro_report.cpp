#include "protocol/macro_report.h"

#include <algorithm>

#include "protocol/report_checksum.h"
#include "protocol/report_ids.h"

namespace nimba {

namespace {

constexpr size_t kEntryCountOffset = 28;
constexpr size_t kFirstEntryOffset = 29;
constexpr int kEntryCapacity = 50;
constexpr int kMaxExtraEntries = 10;
// Delays up to this fit one entry in 10 ms units; longer ones add an entry of 200 ms units.
constexpr uint16_t kLongDelayMs = 1270;
constexpr uint8_t kLongDelayCode = 3;

// Tenths rounded half up, computed the way the mouse's own tools do (single precision).
uint8_t Tenths(uint32_t ms) {
    return static_cast<uint8_t>(static_cast<float>(ms) / 10.0f + 0.5f);
}

class EntryWriter {
public:
    explicit EntryWriter(MacroReport& report) : report_(report) {}

    bool Full() const { return written_ >= kEntryCapacity; }
    int Written() const { return written_; }

    void Write(uint8_t value, uint8_t code) {
        report_[kFirstEntryOffset + 2 * written_] = value;
        report_[kFirstEntryOffset + 2 * written_ + 1] = code;
        ++written_;
    }

private:
    MacroReport& report_;
    int written_ = 0;
};

void WriteEntries(MacroReport& report, const ButtonAssignment& button) {
    EntryWriter entries(report);
    int extras = 0;
    // A count from a foreign file may exceed the slot; never read past its actions.
    const int count = std::min<int>(button.macro_action_count, kMaxMacroActions);
    for (int i = 0; i < count && !entries.Full(); ++i) {
        const MacroAction& action = button.macro_actions[i];
        const uint8_t flag = action.kind == kMacroPress ? 0x01 : 0x81;
        const uint16_t delay = action.delay_ms;
        if (delay <= kLongDelayMs) {
            entries.Write(Tenths(delay == 0 ? 1 : delay) | flag, action.code);
            continue;
        }
        const uint16_t remainder = delay % 200;
        entries.Write(Tenths(remainder == 0 ? 1 : remainder) | flag, action.code);
        if (extras < kMaxExtraEntries && !entries.Full()) {
            // A byte holds at most 255 units; saturating keeps the longest delay possible
            // instead of wrapping to a short one.
            entries.Write(static_cast<uint8_t>(std::min(delay / 200, 255)), kLongDelayCode);
            ++extras;
        }
    }
    report[kEntryCountOffset] = static_cast<uint8_t>(entries.Written());
}

}  // namespace

MacroReport BuildMacroReport(int button_number, const ButtonAssignment& button) {
    MacroReport report{};
    report[0] = kMacroReportId;
    report[1] = static_cast<uint8_t>(report.size());
    report[2] = static_cast<uint8_t>(button_number);
    report[3] = static_cast<uint8_t>(button.macro_loop_mode);
    report[4] = report[5] = report[6] = button.macro_spare;
    const auto loop_count = static_cast<uint8_t>(button.macro_loop_count);
    report[7] = loop_count == 0 ? 1 : loop_count;
    WriteEntries(report, button);
    WriteChecksum(report, 3, 128);
    return report;
}

std::array<MacroChunk, 3> SplitMacroReport(std::span<const uint8_t> report,
                                           uint8_t last_chunk_mark) {
    constexpr size_t kHeader = 3;
    constexpr size_t kPayloadPerChunk = 60;
    // Only the macro report's own bytes travel, whatever follows them in `report`.
    const size_t available = std::min(report.size(), std::tuple_size_v<MacroReport>);
    std::array<MacroChunk, 3> chunks{};
    for (size_t j = 0; j < chunks.size(); ++j) {
        MacroChunk& chunk = chunks[j];
        chunk[0] = kMacroReportId;
        chunk[1] = j + 1 == chunks.size() ? last_chunk_mark : 0x40;
        chunk[2] = available > 2 ? report[2] : 0;
        chunk[3] = static_cast<uint8_t>(j);
        for (size_t i = 0; i < kPayloadPerChunk; ++i) {
            const size_t from = kHeader + kPayloadPerChunk * j + i;
            chunk[4 + i] = from < available ? report[from] : 0;
        }
    }
    return chunks;
}

}  // namespace nimba
