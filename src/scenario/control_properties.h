#pragma once

// What a scenario reads from a control, for the dump and for `expect`: name, kind (the skin
// element name), shown, enabled, and what its kind has: text (as shown, language texts
// resolved), checked, value/min/max, selected (-1 for none) and items (each row's text; the
// texts of a row built from a template joined by a tab).

#include <QJsonObject>
#include <string_view>

class CControlUI;

namespace nimba::scenario {

QJsonObject DescribeControl(CControlUI& control);
// Whether `name` is a property some kind of control has.
bool IsControlProperty(std::string_view name);

}  // namespace nimba::scenario
