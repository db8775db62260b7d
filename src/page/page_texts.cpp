#include "page/page_texts.h"

#include <cstdio>

#include "model/dpi_code.h"
#include "platform/text_encoding.h"
#include "skin/resource_manager.h"
#include "skin/text_format.h"

namespace nimba {
namespace {

std::u16string Text(const char16_t* key) {
    return CResourceManager::GetInstance().GetText(key);
}

}  // namespace

std::u16string DpiText(int32_t code) {
    return platform::Utf8ToUtf16(std::to_string(DpiFromCode(code)));
}

std::u16string DpiValueText(int32_t code) {
    return skin::FormatText(Text(u"dpi_value_text"), 0, DpiText(code));
}

std::u16string SleepTimerText(int32_t sleep_timer) {
    return Text(u"sleep_timer_3_text") + platform::Utf8ToUtf16(std::to_string(sleep_timer)) + u" " +
           Text(u"sleep_timer_2_text");
}

std::u16string LightOffText(int32_t light_off_timer) {
    // Half units: the tenths digit is 0 or 5, so integer arithmetic gives the one decimal
    // without a locale's decimal separator.
    const int64_t halves = light_off_timer;
    const int64_t size = halves < 0 ? -halves : halves;
    const std::string number =
        (halves < 0 ? "-" : "") + std::to_string(size / 2) + (size % 2 != 0 ? ".5" : ".0");
    return Text(u"sleep_timer_1_text") + platform::Utf8ToUtf16(number) + u" " +
           Text(u"sleep_timer_2_text");
}

std::u16string DebounceText(int32_t key_debounce) {
    return platform::Utf8ToUtf16(std::to_string(int64_t{key_debounce} * 2)) + u" MS";
}

std::u16string ReportRateKey(int32_t report_rate) {
    if (report_rate < 0 || report_rate > 3) return {};
    return u"prate_" + platform::Utf8ToUtf16(std::to_string(report_rate + 1)) + u"_text";
}

}  // namespace nimba
