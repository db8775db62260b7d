#include "skin/text_format.h"

namespace nimba::skin {

std::u16string FormatText(std::u16string_view format, int number, std::u16string_view text) {
    std::u16string out;
    for (size_t i = 0; i < format.size(); ++i) {
        const char16_t c = format[i];
        if (c != u'%' || i + 1 == format.size()) {
            out.push_back(c);
            continue;
        }
        const char16_t kind = format[++i];
        if (kind == u'd') {
            for (char digit : std::to_string(number)) out.push_back(static_cast<char16_t>(digit));
        } else if (kind == u's') {
            out += text;
        } else {
            // "%%" and any other pair stand for themselves, minus the escape.
            if (kind != u'%') out.push_back(u'%');
            out.push_back(kind);
        }
    }
    return out;
}

}  // namespace nimba::skin
