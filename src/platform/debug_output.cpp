#include "platform/debug_output.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/text_encoding.h"

void OutputDebugStringW(const wchar_t* text) {
    if (!text || !std::getenv("NIMBA_DEBUG")) return;
    std::string line = platform::ToUtf8(text);
    // Traces come with and without Windows line ends; each ends up as exactly one line.
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
}

namespace nimba {

void Trace(std::string_view text) {
    OutputDebugStringW(platform::FromUtf8(std::string(text)).c_str());
}

}  // namespace nimba
