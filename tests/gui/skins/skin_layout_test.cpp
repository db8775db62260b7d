// The windows as a person sees them: the main window holds every section within its fixed
// size (the settings list by scrolling), no text of any window is cut off, and the keyboard
// focus shows.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <memory>

#include "model/button_functions.h"
#include "preview_window.h"
#include "skin/button.h"
#include "skin/resource_manager.h"
#include "skin/skin_text.h"
#include "skin_tree.h"

namespace {

using nimba::gallery::PreviewWindow;
using nimba::skin::FromQ;
using nimba::skin::ToQ;
using nimba::test::ForEachControl;

class SkinLayoutTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const QString res = nimba::test::UseSourceSkins();
        ASSERT_TRUE(CResourceManager::GetInstance().LoadLanguage((res + "lan.xml").toStdString()));
    }

    static std::unique_ptr<PreviewWindow> Open(std::u16string_view skin) {
        auto window = std::make_unique<PreviewWindow>(std::u16string(skin));
        if (window->Create(nullptr, u"", WS_POPUP | WS_VISIBLE, 0) == nullptr) return nullptr;
        QApplication::processEvents();
        return window;
    }

    static bool Shown(const QWidget* widget) { return widget->isVisibleTo(widget->window()); }
};

// Every section open and every button as long as the longest function label: no text is cut
// off in any window, and in the main window no control is cut by the window or by its layout;
// the settings list scrolls to what does not fit.
TEST_F(SkinLayoutTest, NoTextOrControlIsCutOff) {
    QString longest;
    for (const nimba::ButtonFunction& f : nimba::ButtonFunctionTable()) {
        if (f.label_key.empty()) continue;
        const QString text =
            ToQ(CResourceManager::GetInstance().GetText(std::u16string(f.label_key)));
        if (text.size() > longest.size()) longest = text;
    }
    for (const auto skin :
         {u"main.xml", u"msg.xml", u"DpiColorDialog.xml", u"shortcut.xml",
          u"MS/MS_1/ms_1_macropage.xml", u"MS/MS_1/selectmacro.xml", u"MS/MS_1/profilename.xml"}) {
        SCOPED_TRACE(ToQ(skin).toStdString());
        auto window = Open(skin);
        ASSERT_NE(window, nullptr);
        CPaintManagerUI& pm = window->Manager();
        QWidget* top = window->GetWindowWidget();
        QWidget* content = nullptr;  // the main window's scrolled settings list
        if (std::u16string_view(skin) == u"main.xml") {
            // Every section open, the most lighting controls an effect offers (brightness and
            // colour), every status line showing.
            for (const auto& [check, section] : nimba::test::kMainSections) {
                auto* box = pm.FindControlAs<CCheckBoxUI>(check);
                box->SetVisible(true);
                box->SetCheck(true);
                pm.FindControl(section)->SetVisible(true);
            }
            for (const auto* name :
                 {u"ms_1_ver_brightness", u"ms_1_hor_light_color", u"ms_1_wired", u"ms_1_wireless",
                  u"ms_1_BLE", u"ms_1_low_power_label", u"ms_1_sleep_label", u"apply_ring"})
                pm.FindControl(name)->SetVisible(true);
            for (int i = 1; i <= 18; ++i) {
                if (CControlUI* key = pm.FindControl(u"ms_1_btn_key_" + FromQ(QString::number(i))))
                    key->SetText(FromQ(longest));
            }
            QApplication::processEvents();
            ASSERT_EQ(top->size(), QSize(800, 572));
            auto* scroll =
                qobject_cast<QScrollArea*>(pm.FindControl(u"ms_1_ver_setting")->GetWidget());
            ASSERT_NE(scroll, nullptr) << "the settings list must scroll";
            content = scroll->widget();
            EXPECT_GE(scroll->verticalScrollBar()->maximum() + scroll->viewport()->height(),
                      content->height());
        }
        int placed = 0;
        ForEachControl(pm.GetRoot(), [&](CControlUI* c) {
            QWidget* w = c->GetWidget();
            if (!Shown(w)) return;
            const std::string name =
                c->GetName().empty() ? "(unnamed)" : ToQ(c->GetName()).toStdString();
            if (content != nullptr && !c->GetName().empty()) {
                ++placed;
                QWidget* frame = content->isAncestorOf(w) ? content : top;
                EXPECT_TRUE(frame->rect().contains(QRect(w->mapTo(frame, QPoint(0, 0)), w->size())))
                    << name;
                QWidget* parent = w->parentWidget();
                EXPECT_TRUE(parent == nullptr || parent == top ||
                            parent->rect().contains(w->geometry()))
                    << name;
            }
            auto* label = qobject_cast<QLabel*>(w);
            auto* button = qobject_cast<QAbstractButton*>(w);
            const bool texty =
                (label != nullptr && !label->wordWrap() && !label->text().isEmpty()) ||
                (button != nullptr && !button->text().isEmpty());
            if (!texty) return;
            // What the text needs in the widget's own font and the skin's text padding.
            const RECT pad = c->GetTextPadding();
            EXPECT_LE(
                w->fontMetrics().horizontalAdvance(ToQ(c->GetShownText())) + pad.left + pad.right,
                w->width())
                << "\"" << ToQ(c->GetShownText()).toStdString() << "\" in " << name;
        });
        EXPECT_TRUE(content == nullptr || placed > 150) << placed;
    }
}

// The focus shows as a ring drawn by the control when it came from the keyboard, not after a
// click; a label cut to fit keeps its whole text as tool tip.
TEST_F(SkinLayoutTest, KeyboardFocusShowsAsARingAndCutTextsKeepTheirWholeText) {
    auto window = Open(u"msg.xml");
    ASSERT_NE(window, nullptr);
    QWidget* cancel = window->Manager().FindControl(u"btn_cancel")->GetWidget();
    cancel->window()->activateWindow();
    QApplication::processEvents();
    const QImage plain = cancel->grab().toImage();
    cancel->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(cancel->hasFocus());
    EXPECT_EQ(cancel->grab().toImage(), plain);
    cancel->clearFocus();
    cancel->setFocus(Qt::TabFocusReason);
    const QImage ring = cancel->grab().toImage();
    EXPECT_NE(ring, plain);
    ring.save(QString(NIMBA_SCREENSHOT_DIR) + "/focus_ring.png");

    CControlUI* title = window->Manager().FindControl(u"warning_title");
    const QString whole(200, u'W');
    title->SetText(FromQ(whole));
    title->GetWidget()->grab();
    EXPECT_EQ(title->GetWidget()->toolTip(), whole);
    title->SetText(u"W");
    title->GetWidget()->grab();
    EXPECT_TRUE(title->GetWidget()->toolTip().isEmpty());
}

}  // namespace
