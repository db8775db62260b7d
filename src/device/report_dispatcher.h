#pragma once

#include <cstdint>
#include <stop_token>

#include "device/link_state.h"
#include "device/link_writers.h"

namespace nimba {

// What became of one report.
struct SendResult {
    int32_t written = 0;  // the result of the last write made, 0 when none was; nonzero = written
    // The mouse has it: written on a link that does not acknowledge, acknowledged as accepted
    // on the 2.4 GHz link, where a write only reaches the receiver.
    bool delivered = false;
};

// The one road to the mouse: picks the link from `links`, chunks the macro report where the
// link needs it, repeats on the 2.4 GHz link until acknowledged and paces with fixed pauses.
// Runs on the apply worker and blocks it for the pauses. Writes only `links.ack_received`.
// Once `stop` is requested no further write is made and no pause is waited out, so the links
// can be closed promptly in the middle of a send.
SendResult SendReport(const uint8_t* report, uint32_t length, LinkState& links,
                      const LinkWriters& writers, std::stop_token stop = {});

}  // namespace nimba
