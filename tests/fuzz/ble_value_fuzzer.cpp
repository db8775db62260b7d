// Values of the notifying Bluetooth LE characteristic, of any length: a run of values, each
// a length byte and that many bytes. Each reaches the window thread as a notice and must leave
// the profile and the page within their ranges.

#include <cstdint>
#include <vector>

#include "intake_fixture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace nimba;
    static fuzz::IntakeFixture fixture;
    size_t at = 0;
    while (at < size) {
        const size_t length = std::min<size_t>(data[at] % 9, size - at - 1);
        // A copy of just the value, so reading past it is caught.
        const std::vector<uint8_t> value(data + at + 1, data + at + 1 + length);
        fixture.intake.OnBleNotification(value.empty() ? nullptr : value.data(),
                                         static_cast<uint32_t>(value.size()));
        fixture.Settle();
        at += 1 + length;
    }
    return 0;
}
