#include "sim/sensor_dpi.h"

namespace nimba::sim {

namespace {

constexpr int kSensorSteps = 200;

// The sensor's register value for step n of 50 (or 100) DPI; step 6 is the one irregular entry.
int SensorValue(int n) {
    if (n == 6) return 6;
    return (20 * n + 16) / 17 - 1;
}

int StepOf(uint8_t value) {
    for (int n = 1; n <= kSensorSteps; ++n) {
        if (SensorValue(n) == value) return n;
    }
    return 0;
}

}  // namespace

int SensorDpi(uint8_t value, uint8_t rangeFlag, bool highCode) {
    const int n = value == 0 ? 0 : StepOf(value);
    if (n == 0) return 0;
    if (!highCode) return rangeFlag == 0 ? n * 50 : n * 100;
    if (rangeFlag == 0) return n * 100;
    // Above 20000 DPI two codes share a step; the sensor takes the even one.
    if (n == kSensorSteps) return 20100;
    return (200 + 2 * (n - 100)) * 100;
}

}  // namespace nimba::sim
