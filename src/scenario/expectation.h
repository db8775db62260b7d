#pragma once

// `expect NAME PROPERTY VALUE`: the property as the dump shows it, compared as text. Strings
// compare as they are, numbers in decimal, booleans as true/false, and items as the dump
// writes the array, compactly: ["Profile1","Shooter"].

#include <QJsonObject>
#include <optional>
#include <string>
#include <string_view>

namespace nimba::scenario {

// The property of a described control as `expect` compares it; nullopt when the control's
// kind has no such property.
std::optional<std::string> PropertyText(const QJsonObject& control, std::string_view property);

}  // namespace nimba::scenario
