// The button-function menu turns the chosen item's name into a function code; an item whose
// name is not a known option silently assigns left click, so the menu must hold exactly the
// options of the function table, each labelled as the button will be.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "model/button_functions.h"
#include "skin/menu_wnd.h"
#include "skin_tree.h"

namespace nimba::test {
namespace {

TEST(FunctionMenuTest, HoldsEveryOfferedFunctionOnceWithItsLabel) {
    const SkinTree menu = LoadSkin(u"MS/MS_1/ms_1_menu.xml");
    ASSERT_NE(menu.root, nullptr);

    std::map<std::u16string, const ButtonFunction*> offered;
    for (const ButtonFunction& f : ButtonFunctionTable()) {
        if (!f.menu_option.empty()) offered.emplace(std::u16string(f.menu_option), &f);
    }
    std::set<std::u16string> seen;
    ForEachControl(menu.root.get(), [&](CControlUI* c) {
        auto* item = dynamic_cast<CMenuElementUI*>(c);
        if (item == nullptr) return;
        const std::u16string& name = item->GetName();
        EXPECT_TRUE(seen.insert(name).second) << "twice: " << Utf8(name);
        auto it = offered.find(name);
        if (it == offered.end()) {
            ADD_FAILURE() << "not a function of the table: " << Utf8(name);
            return;
        }
        const ButtonFunction& f = *it->second;
        EXPECT_EQ(FunctionFromMenuName(name), f.code) << Utf8(name);
        EXPECT_TRUE(item->IsResourceText()) << Utf8(name);
        // The menu shows what the button will show; key combination and macro have composed
        // labels, so their items carry texts of their own.
        if (!f.label_key.empty()) {
            EXPECT_EQ(Utf8(item->GetText()), Utf8(f.label_key)) << Utf8(name);
        } else {
            EXPECT_FALSE(item->GetText().empty()) << Utf8(name);
        }
    });
    for (const auto& [name, f] : offered)
        EXPECT_TRUE(seen.count(name)) << "missing: " << Utf8(name);
    EXPECT_EQ(seen.size(), 52u);
}

}  // namespace
}  // namespace nimba::test
