#pragma once

// Language texts that take values: "%d" stands for a number, "%s" for a text, "%%" for "%".

#include <string>
#include <string_view>

namespace nimba::skin {

std::u16string FormatText(std::u16string_view format, int number, std::u16string_view text = {});

}  // namespace nimba::skin
