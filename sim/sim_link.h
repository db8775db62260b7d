#pragma once

namespace nimba::sim {

// The three ways a report reaches the virtual mouse.
enum class SimLink { kWired, kWireless, kBle };

// The link's name in the write log and the state text.
inline const char* LinkName(SimLink link) {
    switch (link) {
        case SimLink::kWired:
            return "wired";
        case SimLink::kWireless:
            return "wireless";
        case SimLink::kBle:
            return "ble";
    }
    return "?";
}

}  // namespace nimba::sim
