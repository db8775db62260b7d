#pragma once

// A theme file of the skins: attribute sets every window that names it shares.
//   <Theme>
//     <Default class="Button" bkcolor="#FF2A2F3A" .../>   every Button starts with these
//     <Style name="accent" bkcolor="#FF18C8D6" .../>      a control with style="accent" too
//     <ToolTip bkcolor="#FF1E2128" textcolor="#FFE8EAED"/>
//   </Theme>
// A control's own attributes come after its class's defaults and its style, so they win.

#include <QString>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace nimba::skin {

using AttributeList = std::vector<std::pair<std::u16string, std::u16string>>;

struct SkinTheme {
    std::map<std::u16string, AttributeList, std::less<>> defaults;  // by element name
    std::map<std::u16string, AttributeList, std::less<>> styles;    // by style name

    const AttributeList* Defaults(std::u16string_view kind) const;
    const AttributeList* Style(std::u16string_view name) const;
};

// The theme in `path`, read once per program; null when it cannot be read. Its tool tip
// colours apply to every tool tip of the program.
std::shared_ptr<const SkinTheme> LoadTheme(const QString& path);

}  // namespace nimba::skin
