// Notices from the mouse: a run of steps of 5 bytes, a control byte and the 4 bytes of a
// notice. Read raw or as the word/value pair the driver libraries post, the bytes must mean
// the same notice. Bit 1 of the control byte hands the pair to the intake, bit 0 plugs or
// pulls the cable (which changes how a power status is read).

#include <cstdint>
#include <span>

#include "intake_fixture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace nimba;
    static fuzz::IntakeFixture fixture;
    for (size_t at = 0; at + 5 <= size; at += 5) {
        const uint8_t form = data[at];
        const std::span<const uint8_t> bytes(data + at + 1, 4);
        const auto word = static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
        const auto value = static_cast<uint16_t>(bytes[2] | bytes[3] << 8);
        const auto raw = ParseDeviceNotice(bytes);
        const auto pair = ParseDeviceNotice(word, value);
        FUZZ_CHECK(raw.has_value() == pair.has_value());
        if (raw) {
            FUZZ_CHECK(raw->notice_class == pair->notice_class && raw->value == pair->value);
        }
        FUZZ_CHECK(!ParseDeviceNotice(bytes.first(3)));
        fixture.links.wired_link.store(form & 1);
        if (form & 2) fixture.intake.HandleUsbNotice(word, value);
        fixture.Settle();
    }
    return 0;
}
