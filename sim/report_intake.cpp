#include "sim/report_intake.h"

#include <algorithm>
#include <optional>

namespace nimba::sim {

namespace {

constexpr uint8_t kMacroId = 0x09;
constexpr size_t kMacroLength = 131;
constexpr size_t kChunkLength = 64;
constexpr uint8_t kChunkLengthByte = 0x40;
constexpr uint8_t kLastWirelessChunkByte = 0x0C;  // the receiver's marker for a macro's end
constexpr uint8_t kChunks = 3;
constexpr size_t kChunkHeader = 4;
constexpr int kMaxButton = 18;

struct ReportShape {
    uint8_t id;
    size_t length;
    size_t checksum_at;  // offset of the checksum's high byte, 0 = none
};

constexpr ReportShape kShapes[] = {
    {0x0C, 10, 0},                  // preamble
    {0x04, 56, 50},                 // DPI and sensor
    {0x05, 15, 11},                 // lighting
    {0x06, 9, 0},                   // report rate
    {0x08, 59, 57},                 // buttons
    {kMacroId, kMacroLength, 129},  // macro, whole only over Bluetooth LE
};

constexpr std::array<uint8_t, 10> kPreamble = {0x0C, 0x0A, 0x01, 0xFE, 0x01,
                                               0xFE, 0x00, 0x00, 0x00, 0x00};

std::optional<ReportShape> ShapeOf(uint8_t id) {
    for (const ReportShape& shape : kShapes) {
        if (shape.id == id) return shape;
    }
    return std::nullopt;
}

// 16-bit sum from byte 3 up to the checksum, stored high byte first.
bool ChecksumHolds(std::span<const uint8_t> report, size_t checksumAt) {
    uint16_t sum = 0;
    for (size_t i = 3; i < checksumAt; ++i) sum = static_cast<uint16_t>(sum + report[i]);
    return report[checksumAt] == (sum >> 8) && report[checksumAt + 1] == (sum & 0xFF);
}

IntakeResult Reject(RejectReason reason) {
    return {IntakeOutcome::kRejected, reason, {}};
}

IntakeResult CheckWhole(std::span<const uint8_t> report, const ReportShape& shape) {
    if (report.size() != shape.length || report[1] != shape.length) {
        return Reject(RejectReason::kLength);
    }
    if (shape.checksum_at != 0 && !ChecksumHolds(report, shape.checksum_at)) {
        return Reject(RejectReason::kChecksum);
    }
    if (shape.id == kPreamble[0] && !std::ranges::equal(report, kPreamble)) {
        return Reject(RejectReason::kContent);
    }
    if (shape.id == 0x06 && report[4] != static_cast<uint8_t>(~report[3])) {
        return Reject(RejectReason::kContent);
    }
    if (shape.id == kMacroId && (report[2] < 1 || report[2] > kMaxButton)) {
        return Reject(RejectReason::kContent);
    }
    return {IntakeOutcome::kAccepted, RejectReason::kNone, {report.begin(), report.end()}};
}

}  // namespace

IntakeResult ReportIntake::Take(SimLink link, std::span<const uint8_t> write) {
    if (write.size() < 2) return Reject(RejectReason::kLength);
    const std::optional<ReportShape> shape = ShapeOf(write[0]);
    if (!shape) return Reject(RejectReason::kUnknownId);
    if (shape->id == kMacroId && link != SimLink::kBle) return TakeChunk(link, write);
    return CheckWhole(write, *shape);
}

IntakeResult ReportIntake::TakeChunk(SimLink link, std::span<const uint8_t> chunk) {
    Assembly& assembly = assembly_[link == SimLink::kWired ? 0 : 1];
    if (chunk.size() != kChunkLength) return Reject(RejectReason::kLength);
    const uint8_t index = chunk[3];
    const bool lastOnReceiver = link == SimLink::kWireless && index == kChunks - 1;
    if (chunk[1] != (lastOnReceiver ? kLastWirelessChunkByte : kChunkLengthByte)) {
        assembly.active = false;
        return Reject(RejectReason::kLength);
    }
    // A first chunk always starts over: the sender repeats whole cycles until it is heard.
    if (index == 0) assembly = Assembly{true, chunk[2], 0, {}};
    if (!assembly.active || index != assembly.next_chunk || chunk[2] != assembly.button) {
        assembly.active = false;
        return Reject(RejectReason::kSequence);
    }
    std::copy(chunk.begin() + kChunkHeader, chunk.end(),
              assembly.payload.begin() + index * (kChunkLength - kChunkHeader));
    if (++assembly.next_chunk < kChunks) return {IntakeOutcome::kPartial, RejectReason::kNone, {}};

    assembly.active = false;
    std::vector<uint8_t> report{kMacroId, static_cast<uint8_t>(kMacroLength), assembly.button};
    report.insert(report.end(), assembly.payload.begin(),
                  assembly.payload.begin() + (kMacroLength - 3));
    return CheckWhole(report, *ShapeOf(kMacroId));
}

}  // namespace nimba::sim
