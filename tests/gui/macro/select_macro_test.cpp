// The macro selection dialog on its own, as a person uses it, and the button it writes.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <cstring>
#include <filesystem>
#include <functional>

#include "macro/dialogs/ms_1_select_macro.h"
#include "model/button_functions.h"
#include "model/utf16.h"
#include "skin/button.h"
#include "skin/list.h"
#include "skin/resource_manager.h"

namespace nimba {
namespace {

class SelectMacroTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "select_macro_test";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
        CPaintManagerUI::SetResourcePath(u"" NIMBA_SOURCE_RES);
        CResourceManager::GetInstance().LoadLanguage(NIMBA_SOURCE_RES "lan.xml");
    }
    static void TearDownTestSuite() { delete app_; }

    void SetUp() override {
        for (const char16_t* name : {u"Jump", u"Reload", u"Combo"}) {
            MacroRecord record{};
            CopyName(record.name, name);
            record.action_count = 2;
            record.actions[0] = {4, kMacroPress, 30};
            record.actions[1] = {4, kMacroRelease, 10};
            store_.Add(record);
        }
        button_.function = 1;
        button_.macro_index = -1;
    }
    void TearDown() override { WindowImplBase::ClearModalTestHooks(); }

    // Opens the dialog for the button, lets `act` work it, and writes an OK answer back.
    bool Choose(const std::function<void(WindowImplBase&)>& act) {
        WindowImplBase::SetModalTestHook(u"MS_1_SelectMacro", act);
        const auto choice = CMS_1_SelectMacro::Run(nullptr, store_, ChoiceForButton(button_));
        return choice && WriteChoiceIntoButton(*choice, store_, button_);
    }

    static QLineEdit* CountField(WindowImplBase& w) {
        return qobject_cast<QLineEdit*>(
            w.GetPaintManager().FindControl(u"edit_loop_time")->GetWidget());
    }
    static void Click(WindowImplBase& w, const char16_t* name) {
        w.GetPaintManager().FindControlAs<CButtonUI>(name)->Activate();
    }

    static inline QApplication* app_ = nullptr;
    std::filesystem::path folder_ = std::filesystem::path(QDir::tempPath().toStdString()) /
                                    ("select-macro-" + std::to_string(::getpid()));
    MacroStore store_{folder_.string() + "/", LanguageText};
    ButtonAssignment button_{};
};

TEST_F(SelectMacroTest, TypedCountIsDigitsHeldTo255AndTheChoiceComesBackOnReopening) {
    ASSERT_TRUE(Choose([](WindowImplBase& w) {
        w.GetPaintManager().FindControlAs<CListUI>(u"list_macro")->SelectItem(1, true);
        QLineEdit* count = CountField(w);
        count->selectAll();
        QTest::keyClicks(count, "3x0a0");
        EXPECT_EQ("300", count->text().toStdString());
        // OK straight after typing: the field has not lost the focus.
        Click(w, u"btn_ok");
    }));
    EXPECT_EQ(kFunctionMacro, button_.function);
    EXPECT_EQ(255, button_.macro_loop_count);
    EXPECT_EQ(1, button_.macro_index);
    EXPECT_EQ(u"Reload", NameView(button_.macro_name));
    EXPECT_EQ(2, button_.macro_action_count);
    EXPECT_EQ(30, button_.macro_actions[0].delay_ms);

    ASSERT_TRUE(Choose([](WindowImplBase& w) {
        CPaintManagerUI& pm = w.GetPaintManager();
        EXPECT_EQ(1, pm.FindControlAs<CListUI>(u"list_macro")->GetCurSel());
        EXPECT_EQ("255", CountField(w)->text().toStdString());
        EXPECT_TRUE(pm.FindControlAs<COptionUI>(u"repeat_1")->IsSelected());
        // Loop mode "while held" hides the count, which is still written.
        pm.FindControlAs<COptionUI>(u"repeat_2")->Selected(true, true);
        EXPECT_FALSE(pm.FindControl(u"hor_loop_time")->IsVisible());
        QDir().mkpath(NIMBA_SCREENSHOT_DIR);
        w.GetWindowWidget()->grab().save(NIMBA_SCREENSHOT_DIR "/select_macro.png");
        Click(w, u"btn_ok");
    }));
    EXPECT_EQ(1, button_.macro_loop_mode);
    EXPECT_EQ(255, button_.macro_loop_count);
}

TEST_F(SelectMacroTest, ZeroCountBecomesOneAndAStaleMacroIsNoChoice) {
    button_.function = kFunctionMacro;
    button_.macro_index = 7;
    button_.macro_loop_count = 4;
    const ButtonAssignment before = button_;
    EXPECT_FALSE(Choose([](WindowImplBase& w) {
        EXPECT_EQ(-1, w.GetPaintManager().FindControlAs<CListUI>(u"list_macro")->GetCurSel());
        QLineEdit* count = CountField(w);
        count->selectAll();
        QTest::keyClicks(count, "0");
        Click(w, u"btn_ok");
        EXPECT_EQ("1", count->text().toStdString());
    }));
    EXPECT_EQ(0, std::memcmp(&before, &button_, sizeof(button_)));
}

}  // namespace
}  // namespace nimba
