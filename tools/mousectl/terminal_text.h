#pragma once

#include <string>
#include <string_view>

namespace nimba::mousectl {

// A name from a store or file as plain text lines may carry it: control characters (C0, DEL
// and C1, which a terminal would obey: titles, clearing, forged lines) and the backslash that
// introduces the escapes are written as \e, \n, \r, \t, \\ and \xNN / \u0085.
std::string TerminalText(std::string_view utf8);

}  // namespace nimba::mousectl
