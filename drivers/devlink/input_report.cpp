#include "input_report.h"

namespace nimba::devlink {

namespace {

constexpr uint8_t kNoticeMarker = 0x47;
constexpr size_t kNoticeSize = 4;

bool IsNoticeClass(uint8_t byte) {
    return byte != 0 && (byte & 0x0F) == 0;
}

}  // namespace

std::vector<Notice> ParseInputReport(const uint8_t* data, size_t length) {
    std::vector<Notice> notices;
    size_t i = 0;
    while (i + kNoticeSize <= length) {
        if (data[i] == kNoticeMarker && IsNoticeClass(data[i + 1])) {
            notices.push_back({static_cast<uint16_t>(data[i] | data[i + 1] << 8),
                               static_cast<uint16_t>(data[i + 2] | data[i + 3] << 8)});
            i += kNoticeSize;
        } else {
            ++i;
        }
    }
    return notices;
}

}  // namespace nimba::devlink
