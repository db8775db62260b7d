#pragma once

// The numbers the page shows, composed as the page shows them and independent of the user's
// locale ("0.5", never "0,5").

#include <cstdint>
#include <string>

namespace nimba {

std::u16string DpiText(int32_t code);
// "<DPI> DPI", as a screen reader says a stage's value.
std::u16string DpiValueText(int32_t code);
// "<prefix><minutes> <unit>" of the sleep timer.
std::u16string SleepTimerText(int32_t sleep_timer);
// "<prefix><half units / 2, one decimal> <unit>" of the light-off timer.
std::u16string LightOffText(int32_t light_off_timer);
// "<value x 2> MS".
std::u16string DebounceText(int32_t key_debounce);
// The language key of the report-rate label; empty for a value outside 0..3.
std::u16string ReportRateKey(int32_t report_rate);

}  // namespace nimba
