#pragma once

#include <cstdint>
#include <functional>

namespace nimba {

// One write of a report to the mouse over one link; nonzero = written.
using LinkWrite = std::function<int32_t(const uint8_t* data, uint32_t length)>;

// The three writes the dispatcher chooses between. A link without a write (library
// missing, transport not there) fails every write.
struct LinkWriters {
    LinkWrite wired;     // SetFeature of the wired driver library
    LinkWrite wireless;  // SetFeature of the receiver driver library
    LinkWrite ble;       // BleWriteReport of the Bluetooth LE transport
};

}  // namespace nimba
