#include "protocol/report_catalogue.h"

#include "model/button_functions.h"
#include "protocol/dpi_encoding.h"
#include "protocol/report_checksum.h"
#include "protocol/report_ids.h"

namespace nimba {

namespace {

// Each profile value travels as the low byte of its field; the arithmetic is unsigned so
// values from a foreign file cannot overflow.
uint8_t Low(uint32_t value) {
    return static_cast<uint8_t>(value);
}
uint8_t Low(int32_t value) {
    return Low(static_cast<uint32_t>(value));
}

template <size_t N>
std::array<uint8_t, N> ReportHeader(uint8_t id) {
    std::array<uint8_t, N> report{};
    report[0] = id;
    report[1] = static_cast<uint8_t>(N);
    report[2] = 0x01;
    return report;
}

void PutColour(uint8_t* at, Colour colour) {
    at[0] = colour.r;
    at[1] = colour.g;
    at[2] = colour.b;
}

// Only modes 1 and 9 show a brightness; the others take a fixed level.
constexpr uint8_t kFixedBrightness = 8;

uint8_t PollingInterval(int32_t report_rate) {
    switch (report_rate) {
        case 0:
            return 8;
        case 1:
            return 4;
        case 3:
            return 1;
        default:
            return 2;
    }
}

}  // namespace

PreambleReport BuildPreambleReport() {
    return {kPreambleReportId, 0x0A, 0x01, 0xFE, 0x01, 0xFE, 0, 0, 0, 0};
}

DpiSensorReport BuildDpiSensorReport(const ProfileRecord& profile) {
    auto report = ReportHeader<56>(kDpiSensorReportId);
    report[3] = Low(profile.angle_snap);
    report[4] = Low(profile.ripple_control);
    uint8_t stage_mask = 0;
    uint8_t high_code_mask = 0;
    for (int i = 0; i < kDpiStages; ++i) {
        const int32_t code = profile.dpi_x[i];
        if (profile.dpi_stage_enabled[i] == 1) stage_mask |= 1u << i;
        if (IsHighDpiCode(code)) high_code_mask |= 1u << i;
        const DpiEncoding encoding = EncodeDpiCode(code);
        report[8 + i] = encoding.value;
        report[16 + i] = encoding.range_flag;
        PutColour(&report[25 + 3 * i], profile.dpi_color[i]);
    }
    report[5] = stage_mask;
    report[6] = high_code_mask;
    report[7] = high_code_mask;
    report[24] = Low(static_cast<uint32_t>(profile.current_dpi_stage) + 1);
    report[49] = 0x01;
    WriteChecksum(report, 3, 49);
    return report;
}

LightingReport BuildLightingReport(const ProfileRecord& profile) {
    auto report = ReportHeader<15>(kLightingReportId);
    const auto sleep = static_cast<uint32_t>(profile.sleep_timer);
    const bool shows_brightness = profile.light_mode == 1 || profile.light_mode == 9;
    report[3] = Low(static_cast<uint32_t>(profile.light_mode) * 16);
    report[4] = Low(sleep & 0xF0) | Low(9u - static_cast<uint32_t>(profile.light_speed));
    report[5] =
        Low(sleep * 16) | (shows_brightness ? Low(profile.light_brightness) : kFixedBrightness);
    PutColour(&report[6], profile.light_color);
    report[9] = Low(profile.light_off_timer);
    report[10] = Low(profile.key_debounce);
    WriteChecksum(report, 3, 10);
    return report;
}

ReportRateReport BuildReportRateReport(const ProfileRecord& profile) {
    auto report = ReportHeader<9>(kReportRateReportId);
    const uint8_t interval = PollingInterval(profile.report_rate);
    report[3] = interval;
    report[4] = interval ^ 0xFF;
    return report;
}

ButtonReport BuildButtonReport(const ProfileRecord& profile) {
    auto report = ReportHeader<59>(kButtonReportId);
    for (int k = 0; k < kButtonCount; ++k) {
        const DeviceBytesValue bytes = DeviceBytes(profile.buttons[k], k);
        for (int b = 0; b < 3; ++b) report[3 + 3 * k + b] = bytes[b];
    }
    WriteChecksum(report, 3, 56);
    return report;
}

}  // namespace nimba
