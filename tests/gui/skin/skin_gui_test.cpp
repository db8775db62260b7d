// The skin library driven as a user would, on the offscreen platform.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "platform/messages.h"
#include "skin/attribute_values.h"
#include "skin/button.h"
#include "skin/color_palette.h"
#include "skin/container.h"
#include "skin/image_description.h"
#include "skin/list.h"
#include "skin/menu_command.h"
#include "skin/menu_wnd.h"
#include "skin/window_functions.h"
#include "skin/window_impl_base.h"
#include "skin_fixture.h"

namespace {

using namespace skin_test;

// One application and one skin folder for the whole program.
const auto* env = ::testing::AddGlobalTestEnvironment(new SkinEnvironment);

TEST_F(SkinTest, MenuClosesOnAPressOutsideItOnly) {
    CMenuWnd menu;
    ASSERT_TRUE(menu.Init(nullptr, u"menu.xml", POINT{100, 50}, &window.Manager()));
    QTest::mousePress(menu.GetWindowWidget(), Qt::RightButton, {}, QPoint(2, 2));
    QTest::qWait(50);
    ASSERT_NE(menu.GetHWND(), nullptr);
    QTest::mousePress(window.Find<CButtonUI>(u"btn_ok")->GetWidget(), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return menu.GetHWND() == nullptr; }, 2000));
    EXPECT_EQ(std::ranges::count(window.messages, WM_MENUCLICK), 0);  // no choice was made
}

TEST(MenuCommandTest, LongTextsAreCutWithTheirTerminator) {
    const std::u16string long_name(300, u'x');
    MenuCmd* record = nimba::skin::NewMenuCommand(long_name, u"", u"", true);
    EXPECT_EQ(std::u16string(record->szName).size(), 255u);
    EXPECT_EQ(record->bChecked, TRUE);
    EXPECT_TRUE(nimba::skin::ReleaseMenuCommand(record));
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Posts from many threads arriving whole and in order is the message queue's test (under
// ThreadSanitizer too); here the program's loop sleeping until a post wakes it.
TEST(MessageLoopTest, AnIdleLoopSleepsUntilAPostFromAnotherThreadWakesIt) {
    HWND hwnd = CreatePlatformWindow([](HWND, UINT msg, WPARAM, LPARAM) -> LRESULT {
        if (msg == WM_USER + 8) PostQuitMessage(3);
        return 0;
    });
    std::atomic<double> idle_cpu{0};
    std::thread poster([hwnd, &idle_cpu] {
        const double start = CpuSeconds();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        idle_cpu = CpuSeconds() - start;
        PostMessageW(hwnd, WM_USER + 8, 0, 0);
    });
    EXPECT_EQ(CPaintManagerUI::MessageLoop(), 3);
    poster.join();
    DestroyPlatformWindow(hwnd);
    EXPECT_LT(idle_cpu.load(), 0.1);
}

TEST_F(SkinTest, ControlTimersNotifyAndDieWithTheirControl) {
    auto* list = window.Find<CListUI>(u"list");
    auto* row = new CListLabelElementUI;
    row->SetName(u"row");
    list->Add(row);
    // Killed from its own notification, as one-shot uses do: exactly one tick.
    window.on_timer = [row] { row->KillTimer(6); };
    ASSERT_TRUE(row->SetTimer(6, 5));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.seen.empty(); }, 2000));
    QTest::qWait(30);
    ASSERT_EQ(window.seen.size(), 1u);
    EXPECT_EQ(window.seen[0], u"timer row");
    window.on_timer = nullptr;
    ASSERT_TRUE(row->SetTimer(6, 5));
    list->RemoveAll();  // the timer must not fire for the deleted row
    window.seen.clear();
    QTest::qWait(30);
    EXPECT_TRUE(window.seen.empty());
}

TEST_F(SkinTest, ColorPaletteReportsDragsAndRelease) {
    auto* palette = new CColorPaletteUI;
    palette->SetName(u"palette");
    palette->SetFixedHeight(120);
    window.Find<CContainerUI>(u"root")->Add(palette);
    palette->GetWidget()->setGeometry(0, 0, 200, 120);
    palette->SetSelectColor(0xFF18C8D6);
    QWidget* w = palette->GetWidget();
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(10, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(60, 40), w->mapToGlobal(QPointF(60, 40)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(w, &move);
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(60, 40));
    EXPECT_EQ(window.seen,
              (std::vector<std::u16string>{u"colorchanged palette", u"colorchanged palette",
                                           u"colorchangedbuttonup palette"}));
    EXPECT_NE(palette->GetSelectColor(), 0xFF18C8D6u);
    EXPECT_EQ(palette->GetSelectColor() >> 24, 0xFFu);
}

TEST(SkinValueTest, ColoursWithoutAlphaAreOpaqueAndPicturesMayBeNamedByRes) {
    using namespace nimba::skin;
    EXPECT_EQ(ParseColor("#102030"), 0xFF102030u);
    EXPECT_EQ(ParseColor("0x80102030"), 0x80102030u);
    EXPECT_EQ(ParseColor("nonsense"), 0u);
    // The macro editor's rows name their pictures with res='...'.
    EXPECT_EQ(ParseImageDescription("res='skins/mouse.png' dest='2,2,28,28'").file,
              "skins/mouse.png");
    EXPECT_EQ(ParseImageDescription("skins/b.png").file, "skins/b.png");
}

}  // namespace
