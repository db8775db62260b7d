#include "skin_tree.h"

#include <QApplication>
#include <cstdlib>

#include "skin/dialog_builder.h"
#include "skin/skin_text.h"

namespace nimba::test {

QString UseSourceSkins() {
    static int argc = 1;
    static char name[] = "skins_test";
    static char* argv[] = {name, nullptr};
    const char* source = std::getenv("NIMBA_SOURCE_DIR");
    const QString res = QString::fromLocal8Bit(source ? source : ".") + "/res/";
    if (QApplication::instance() == nullptr) {
        new QApplication(argc, argv);
        CPaintManagerUI::SetResourcePath(skin::FromQ(res));
    }
    return res;
}

SkinTree LoadSkin(std::u16string_view file) {
    UseSourceSkins();
    SkinTree tree;
    tree.root.reset(CDialogBuilder().Create(file, tree.manager.get()));
    return tree;
}

std::u16string Numbered(std::u16string_view head, int n) {
    std::u16string s(head);
    for (const char c : std::to_string(n)) s += static_cast<char16_t>(c);
    return s;
}

std::string Utf8(std::u16string_view s) {
    return skin::ToQ(s).toStdString();
}

}  // namespace nimba::test
