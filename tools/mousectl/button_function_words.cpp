#include "mousectl/button_function_words.h"

#include "keys/key_table.h"
#include "model/button_functions.h"
#include "model/utf16.h"
#include "mousectl/setting_values.h"
#include "persistence/name_case.h"
#include "skin/resource_manager.h"

namespace nimba::mousectl {
namespace {

constexpr int kLoopCount = 0;   // the macro runs a number of times
constexpr int kLoopHold = 1;    // while the button is held
constexpr int kLoopToggle = 2;  // until the button is pressed again
constexpr int kMaxLoopCount = 255;
constexpr int kModifierCombinations = 16;

std::u16string Join(Args words) {
    std::string joined;
    for (std::string_view word : words) joined += (joined.empty() ? "" : " ") + std::string(word);
    return Utf8ToUtf16(joined);
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() &&
           EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::optional<uint8_t> KeyCodeOfName(std::u16string_view name) {
    if (name.empty()) return uint8_t{0};
    for (int code = 1; code < 256; ++code) {
        const std::u16string key = KeyName(static_cast<uint8_t>(code), LanguageText);
        if (!key.empty() && EqualsIgnoringCase(key, name)) return static_cast<uint8_t>(code);
    }
    return std::nullopt;
}

// Read back through the labels the page composes, so that whatever `show` prints parses:
// the longest modifier prefix after which a key name follows.
std::optional<ButtonChoice> ParseCombination(std::u16string_view text) {
    std::optional<ButtonChoice> best;
    size_t best_prefix = 0;
    for (int modifiers = 0; modifiers < kModifierCombinations; ++modifiers) {
        ButtonAssignment probe{};
        probe.function = kFunctionShortcut;
        probe.shortcut_modifiers = static_cast<uint8_t>(modifiers);
        const std::u16string prefix = ButtonLabel(probe, LanguageText, u"").text;
        if (!StartsWithIgnoringCase(text, prefix) || (best && prefix.size() <= best_prefix)) {
            continue;
        }
        const auto key = KeyCodeOfName(text.substr(prefix.size()));
        if (!key || (*key == 0 && modifiers == 0)) continue;
        best = ButtonChoice{kFunctionShortcut, *key, static_cast<uint8_t>(modifiers)};
        best_prefix = prefix.size();
    }
    return best;
}

std::optional<ButtonChoice> ParseMacro(Args words, const ButtonAssignment& button,
                                       MacroStore& macros, std::ostream& err) {
    ButtonChoice choice{kFunctionMacro};
    // The macro dialog's presets: the button's own loop settings when it runs a macro already.
    if (button.function == kFunctionMacro) {
        choice.macro_loop_mode = button.macro_loop_mode;
        choice.macro_loop_count = button.macro_loop_count;
    }
    const Args loop = words.subspan(2);
    if (loop.empty() || (loop.size() == 1 && loop[0] == "once")) {
        choice.macro_loop_mode = kLoopCount;
        choice.macro_loop_count = 1;
    } else if (loop.size() == 2 && loop[0] == "repeat") {
        const auto count = ParseInteger(loop[1]);
        if (!count || *count < 1 || *count > kMaxLoopCount) {
            err << "nimba-mousectl: button: repeat takes 1-255 times, not '" << loop[1] << "'\n";
            return std::nullopt;
        }
        choice.macro_loop_mode = kLoopCount;
        choice.macro_loop_count = *count;
    } else if (loop.size() == 1 && (loop[0] == "hold" || loop[0] == "toggle")) {
        choice.macro_loop_mode = loop[0] == "hold" ? kLoopHold : kLoopToggle;
    } else {
        err << "nimba-mousectl: button: a macro runs once, repeat N, hold or toggle\n";
        return std::nullopt;
    }
    const std::u16string name = Utf8ToUtf16(std::string(words[1]));
    choice.macro_index = macros.Edit([&](MacroList& list) {
        for (size_t i = 0; i < list.size(); ++i) {
            if (EqualsIgnoringCase(NameView(list[i]->name), name)) return static_cast<int>(i);
        }
        return -1;
    });
    if (choice.macro_index < 0) {
        err << "nimba-mousectl: button: no macro named '" << words[1] << "'\n";
        return std::nullopt;
    }
    return choice;
}

}  // namespace

std::vector<const ButtonFunction*> NamedFunctions() {
    std::vector<const ButtonFunction*> named;
    for (const ButtonFunction& row : ButtonFunctionTable()) {
        if (!row.menu_option.empty() && row.code != kFunctionShortcut &&
            row.code != kFunctionMacro) {
            named.push_back(&row);
        }
    }
    return named;
}

std::optional<ButtonChoice> ParseButtonFunction(Args words, const ButtonAssignment& button,
                                                int slot, MacroStore& macros, std::ostream& err) {
    if (words[0] == "default") return ButtonChoice{kDefaultButtonFunctions[slot]};
    if (words[0] == "key") {
        const std::u16string combination = Join(words.subspan(1));
        if (auto choice = ParseCombination(combination)) return choice;
        err << "nimba-mousectl: button: '" << Utf16ToUtf8(combination)
            << "' is not a key combination such as Ctrl+Shift+A\n";
        return std::nullopt;
    }
    if (words[0] == "macro") {
        if (words.size() < 2) {
            err << "nimba-mousectl: button: macro needs the name of a stored macro\n";
            return std::nullopt;
        }
        return ParseMacro(words, button, macros, err);
    }
    // A menu option by its name or by the text it shows; its words may come unquoted.
    const std::u16string name = Join(words);
    for (const ButtonFunction* row : NamedFunctions()) {
        if (EqualsIgnoringCase(row->menu_option, name) ||
            EqualsIgnoringCase(LanguageText(row->label_key), name)) {
            return ButtonChoice{row->code};
        }
    }
    err << "nimba-mousectl: button: unknown function '" << Utf16ToUtf8(name) << "'\n";
    return std::nullopt;
}

std::optional<std::vector<std::string>> ButtonFunctionWords(const ButtonAssignment& button,
                                                            int slot) {
    if (button.function == kFunctionShortcut) {
        const std::u16string label =
            ButtonLabel(button, LanguageText, KeyName(button.shortcut_key, LanguageText)).text;
        return std::vector<std::string>{"key", Utf16ToUtf8(label)};
    }
    if (button.function == kFunctionMacro) {
        std::vector<std::string> words{"macro", Utf16ToUtf8(NameView(button.macro_name))};
        if (button.macro_loop_mode == kLoopHold) {
            words.push_back("hold");
        } else if (button.macro_loop_mode == kLoopToggle) {
            words.push_back("toggle");
        } else if (button.macro_loop_count > 1) {
            words.insert(words.end(), {"repeat", std::to_string(button.macro_loop_count)});
        } else {
            words.push_back("once");
        }
        return words;
    }
    const ButtonFunction* row = FindButtonFunction(button.function);
    if (row && !row->menu_option.empty()) {
        return std::vector<std::string>{Utf16ToUtf8(row->menu_option)};
    }
    if (slot < kButtonCount && button.function == kDefaultButtonFunctions[slot]) {
        return std::vector<std::string>{"default"};
    }
    return std::nullopt;
}

std::string ShownButtonLabel(const ButtonAssignment& button) {
    const ButtonLabelText label =
        ButtonLabel(button, LanguageText, KeyName(button.shortcut_key, LanguageText));
    return Utf16ToUtf8(label.is_language_key ? LanguageText(label.text) : label.text);
}

}  // namespace nimba::mousectl
