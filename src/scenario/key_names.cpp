#include "scenario/key_names.h"

#include <QMetaEnum>
#include <string>

namespace nimba::scenario {
namespace {

std::optional<Qt::KeyboardModifier> ModifierOf(std::string_view name) {
    if (name == "Ctrl") return Qt::ControlModifier;
    if (name == "Shift") return Qt::ShiftModifier;
    if (name == "Alt") return Qt::AltModifier;
    if (name == "Meta") return Qt::MetaModifier;
    return std::nullopt;
}

}  // namespace

std::optional<QKeyCombination> ParseKeyCombination(std::string_view text) {
    Qt::KeyboardModifiers modifiers;
    size_t plus;
    while ((plus = text.find('+')) != std::string_view::npos) {
        const auto modifier = ModifierOf(text.substr(0, plus));
        if (!modifier) return std::nullopt;
        modifiers |= *modifier;
        text.remove_prefix(plus + 1);
    }
    bool ok = false;
    const std::string name = "Key_" + std::string(text);
    const int key = QMetaEnum::fromType<Qt::Key>().keyToValue(name.c_str(), &ok);
    if (!ok) return std::nullopt;
    return QKeyCombination(modifiers, static_cast<Qt::Key>(key));
}

}  // namespace nimba::scenario
