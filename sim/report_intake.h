#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "sim/sim_link.h"

namespace nimba::sim {

enum class IntakeOutcome {
    kAccepted,  // a whole report, `report` holds it (a macro reassembled from its chunks)
    kPartial,   // a macro chunk taken in, more to come
    kRejected,
};

// Low byte of the acknowledge value that reports a rejection; never 0.
enum class RejectReason : uint8_t {
    kNone = 0,
    kUnknownId = 1,
    kLength = 2,
    kChecksum = 3,
    kSequence = 4,
    kContent = 5,
};

struct IntakeResult {
    IntakeOutcome outcome;
    RejectReason reason = RejectReason::kNone;
    std::vector<uint8_t> report;
};

// The firmware's check of every write: known id, length byte equal to the written length and
// to the id's length, checksum, and for the macro its chunk sequence per link. It checks
// independently of the program's own report builders so that their faults show.
class ReportIntake {
public:
    IntakeResult Take(SimLink link, std::span<const uint8_t> write);

private:
    static constexpr size_t kPayloadSize = 180;  // three chunks of 60
    struct Assembly {
        bool active = false;
        uint8_t button = 0;
        uint8_t next_chunk = 0;
        std::array<uint8_t, kPayloadSize> payload{};
    };

    IntakeResult TakeChunk(SimLink link, std::span<const uint8_t> chunk);

    Assembly assembly_[2];  // cable and receiver reassemble independently
};

}  // namespace nimba::sim
