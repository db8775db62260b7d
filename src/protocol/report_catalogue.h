#pragma once

// Every report the program sends the mouse. Each builder returns exactly the bytes of one
// report, whose length is also its byte 1; builders only read the profile.

#include <array>
#include <cstdint>

#include "model/profile_record.h"
#include "protocol/macro_report.h"

namespace nimba {

using PreambleReport = std::array<uint8_t, 10>;
using DpiSensorReport = std::array<uint8_t, 56>;
using LightingReport = std::array<uint8_t, 15>;
using ReportRateReport = std::array<uint8_t, 9>;
using ButtonReport = std::array<uint8_t, 59>;

// Sent ahead of a full apply; carries no settings.
PreambleReport BuildPreambleReport();
DpiSensorReport BuildDpiSensorReport(const ProfileRecord& profile);
LightingReport BuildLightingReport(const ProfileRecord& profile);
ReportRateReport BuildReportRateReport(const ProfileRecord& profile);
ButtonReport BuildButtonReport(const ProfileRecord& profile);

}  // namespace nimba
