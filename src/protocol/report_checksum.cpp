#include "protocol/report_checksum.h"

namespace nimba {

uint16_t ReportChecksum(std::span<const uint8_t> report, size_t first, size_t last) {
    uint16_t sum = 0;
    for (size_t i = first; i <= last && i < report.size(); ++i) {
        sum = static_cast<uint16_t>(sum + report[i]);
    }
    return sum;
}

void WriteChecksum(std::span<uint8_t> report, size_t first, size_t last) {
    const uint16_t sum = ReportChecksum(report, first, last);
    report[last + 1] = static_cast<uint8_t>(sum >> 8);
    report[last + 2] = static_cast<uint8_t>(sum);
}

}  // namespace nimba
