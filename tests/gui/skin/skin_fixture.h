#pragma once

// A window built from a test skin, with every notification and window message it receives
// recorded; the application and the skin folder are set up once for the whole program.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <string>
#include <vector>

#include "skin/paint_manager.h"
#include "skin/skin_text.h"
#include "skin/window_impl_base.h"

namespace skin_test {

inline constexpr char kDialogSkin[] = R"(<?xml version="1.0" encoding="utf-8"?>
<Window size="400,500">
  <VerticalLayout name="root" bkcolor="#FF202020">
    <Button name="btn_ok" text="OK" height="30"/>
    <Option name="opt_1" group="g" selected="true" height="30"/>
    <Slider name="slider" min="1" max="220" value="10" height="20"/>
    <List name="list" height="100"/>
    <TabLayout name="tabs" height="20"><Label name="page_0"/><Label name="page_1"/></TabLayout>
  </VerticalLayout>
</Window>)";

inline constexpr char kMenuSkin[] =
    R"(<Window><Menu><MenuElement name="exit" text="exit"/></Menu></Window>)";

inline QTemporaryDir* skin_dir;

inline void WriteSkin(const char* name, const char* text) {
    QFile f(skin_dir->filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

class SkinEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "skin_gui_test";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
        skin_dir = new QTemporaryDir;
        WriteSkin("dialog.xml", kDialogSkin);
        WriteSkin("menu.xml", kMenuSkin);
        CPaintManagerUI::SetResourcePath(nimba::skin::FromQ(skin_dir->path()));
    }
    void TearDown() override {
        delete skin_dir;
        delete app_;
    }

private:
    QApplication* app_ = nullptr;
};

class TestWindow : public WindowImplBase {
public:
    std::u16string GetWindowClassName() const override { return u"TestWindow"; }
    std::u16string GetSkinFile() override { return u"dialog.xml"; }
    void Notify(TNotifyUI& msg) override {
        if (msg.sType == notify_type::kMouseEnter || msg.sType == notify_type::kMouseLeave ||
            msg.sType == notify_type::kSetFocus || msg.sType == notify_type::kKillFocus)
            return;
        seen.push_back(msg.sType + u" " + (msg.pSender != nullptr ? msg.pSender->GetName() : u""));
        if (msg.sType == notify_type::kTimer && on_timer) on_timer();
        WindowImplBase::Notify(msg);
    }
    void OnClick(TNotifyUI& msg) override {
        if (msg.pSender->GetName() == u"btn_ok") Close(1);
    }
    LRESULT HandleCustomMessage(UINT msg, WPARAM, LPARAM, bool& handled) override {
        handled = msg >= WM_USER || msg == WM_TIMER;
        if (handled) messages.push_back(msg);
        return 0;
    }
    template <class T>
    T* Find(std::u16string_view name) {
        return m_pm.FindControlAs<T>(name);
    }
    CPaintManagerUI& Manager() { return m_pm; }

    std::vector<std::u16string> seen;  // "type sender" of each notification
    std::function<void()> on_timer;
    std::vector<UINT> messages;
};

class SkinTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(window.Create(nullptr, u"test", WS_POPUP | WS_VISIBLE, 0), nullptr);
        QApplication::processEvents();
        window.seen.clear();
    }
    void TearDown() override { WindowImplBase::ClearModalTestHooks(); }

    TestWindow window;
};

}  // namespace skin_test
