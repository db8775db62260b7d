// Language texts, pictures, option groups, a menu taller than the screen and the skin
// builder's handling of bad input.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "skin/button.h"
#include "skin/combo.h"
#include "skin/container.h"
#include "skin/dialog_builder.h"
#include "skin/menu_wnd.h"
#include "skin/resource_manager.h"
#include "skin/window_functions.h"
#include "skin_fixture.h"

namespace {

using namespace skin_test;

// A control tree laid into a plain widget of a given size.
class Host {
public:
    Host(const char16_t* xml, QSize size) {
        widget_.resize(size);
        manager_.Init(nullptr, &widget_);
        EXPECT_TRUE(manager_.AttachDialog(CDialogBuilder().CreateFromString(xml, &manager_)));
        widget_.show();
        QApplication::processEvents();
    }
    CPaintManagerUI& Manager() { return manager_; }
    QWidget& Widget() { return widget_; }

private:
    QWidget widget_;
    CPaintManagerUI manager_;
};

TEST(SkinLayoutTest, BackgroundPictureShowsItsSourcePartAtItsDestination) {
    QImage picture(20, 10, QImage::Format_RGB32);
    QPainter(&picture).fillRect(0, 0, 10, 10, Qt::red);
    QPainter(&picture).fillRect(10, 0, 10, 10, Qt::blue);
    ASSERT_TRUE(picture.save(skin_dir->filePath("halves.png")));
    Host host(
        uR"(<Container bkcolor="#FF000000">
        <Control name="pic" bkimage="file='halves.png' source='10,0,20,10' dest='5,5,25,25'"/>
      </Container>)",
        QSize(40, 40));
    const QImage shot = host.Widget().grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(15, 15)), QColor(Qt::blue));   // inside dest: the right half only
    EXPECT_EQ(QColor(shot.pixel(2, 2)), QColor(Qt::black));    // outside dest: untouched
    EXPECT_EQ(QColor(shot.pixel(27, 27)), QColor(Qt::black));  // dest is corners, not a size
}

TEST(SkinLayoutTest, LanguageKeysShowTheirTextsOnceTheLanguageIsLoaded) {
    WriteSkin(
        "lan.xml",
        R"(<Language><Text id="hello_text">Hello</Text><Text id="tip_text">Tip</Text></Language>)");
    Host host(
        uR"(<VerticalLayout>
        <Button name="keyed" textid="hello_text" tooltipid="tip_text"/>
        <Combo name="combo"><ListLabelElement textid="hello_text"/></Combo>
      </VerticalLayout>)",
        QSize(100, 100));
    auto* keyed = host.Manager().FindControlAs<CButtonUI>(u"keyed");
    EXPECT_EQ(keyed->GetShownText(), u"hello_text");  // no language yet: the key itself
    ASSERT_TRUE(
        CResourceManager::GetInstance().LoadLanguage(skin_dir->filePath("lan.xml").toStdString()));
    host.Manager().RefreshTexts();
    EXPECT_EQ(keyed->GetShownText(), u"Hello");
    EXPECT_EQ(keyed->GetText(), u"hello_text");
    EXPECT_EQ(keyed->GetWidget()->toolTip(), "Tip");
    EXPECT_EQ(
        static_cast<QComboBox*>(host.Manager().FindControl(u"combo")->GetWidget())->itemText(0),
        "Hello");
}

TEST(SkinBuilderTest, BadSkinsBuildNothingAndUnknownPartsAreSkipped) {
    CPaintManagerUI manager;
    EXPECT_EQ(CDialogBuilder().Create(u"no_such_file.xml", &manager), nullptr);
    EXPECT_EQ(CDialogBuilder().CreateFromString(u"<Window><VerticalLayout>", &manager), nullptr);
    EXPECT_EQ(CDialogBuilder().CreateFromString(u"<Window><Font id=\"0\"/></Window>", &manager),
              nullptr);
    std::unique_ptr<CControlUI> tree(CDialogBuilder().CreateFromString(
        u"<VerticalLayout><Gadget name=\"g\"/><Label name=\"l\" colour=\"x\"/></VerticalLayout>"));
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->FindControl(u"g"), nullptr);
    EXPECT_NE(tree->FindControl(u"l"), nullptr);

    class Missing : public WindowImplBase {
        std::u16string GetWindowClassName() const override { return u"Missing"; }
        std::u16string GetSkinFile() override { return u"no_such_file.xml"; }
    } missing;
    EXPECT_EQ(missing.Create(nullptr, u"", WS_POPUP | WS_VISIBLE, 0), nullptr);
    EXPECT_EQ(missing.ShowModal(), 0u);  // no window, no endless loop
}

TEST_F(SkinTest, OptionGroupsStayExclusiveAndSurviveRemovedMembers) {
    Host host(
        uR"(<VerticalLayout name="box">
        <Option name="x" group="g" selected="true"/><Option name="y" group="g" selected="true"/>
        <Option name="z" group="g"/></VerticalLayout>)",
        QSize(100, 100));
    CPaintManagerUI& pm = host.Manager();
    auto* x = pm.FindControlAs<COptionUI>(u"x");
    auto* y = pm.FindControlAs<COptionUI>(u"y");
    EXPECT_FALSE(x->IsSelected());  // the last one marked wins
    EXPECT_TRUE(y->IsSelected());
    pm.FindControlAs<CContainerUI>(u"box")->Remove(y);
    pm.FindControlAs<COptionUI>(u"z")->Selected(true);  // must not reach the removed one
    EXPECT_FALSE(x->IsSelected());
    EXPECT_EQ(pm.GetOptionGroup(u"g").size(), 2u);
}

TEST_F(SkinTest, MenuTallerThanTheScreenFitsItAndScrolls) {
    std::string skin = "<Window><Menu>";
    for (int i = 0; i < 100; ++i) skin += "<MenuElement name=\"item" + std::to_string(i) + "\"/>";
    skin += "</Menu></Window>";
    WriteSkin("tall_menu.xml", skin.c_str());
    CMenuWnd menu;
    ASSERT_TRUE(menu.Init(nullptr, u"tall_menu.xml", POINT{10, 10}, &window.Manager(), nullptr,
                          eMenuAlignment_Left | eMenuAlignment_Top));
    RECT r;
    ASSERT_TRUE(GetWindowRect(menu.GetHWND(), &r));
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    auto* column = dynamic_cast<CContainerUI*>(menu.GetManager().GetRoot());
    ASSERT_NE(column, nullptr);
    QCoreApplication::processEvents();
    EXPECT_GT(column->GetScrollRange(), 0);
}

}  // namespace
