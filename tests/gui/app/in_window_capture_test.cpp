// Capture inside the program's own windows, where no X server sees the user's input: keys and
// clicks that reach a window are posted as the capture library would post them; clicks on the
// window's own buttons are not.

#include "app/in_window_capture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "platform/clock.h"
#include "shared/recording_window.h"

namespace nimba {
namespace {

TEST(InWindowCaptureTest, KeysAndClicksInTheWindowArePostedButItsButtonsKeepTheirClicks) {
    int argc = 1;
    char name[] = "in_window_capture_test";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QWidget window;
    window.resize(200, 100);
    auto* button = new QPushButton("Stop", &window);
    button->setGeometry(0, 0, 80, 30);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    test::RecordingWindow receiver;
    InWindowCapture capture;
    capture.SetReceiver(receiver.hwnd);
    capture.SetKeys(true);
    QWindow* native = window.windowHandle();
    QTest::keyClick(native, Qt::Key_A);
    QTest::mouseClick(native, Qt::LeftButton, {}, QPoint(150, 60));  // mouse delivery is off
    capture.SetMouse(true);
    QTest::mouseClick(native, Qt::RightButton, {}, QPoint(150, 60));
    QTest::mouseClick(native, Qt::LeftButton, {}, QPoint(40, 15));  // the window's own button
    QTest::keyClick(native, Qt::Key_F5);
    capture.SetReceiver(nullptr);
    QTest::keyClick(native, Qt::Key_B);
    platform::test::Pump();

    const std::vector<test::Posted> expected = {
        {1034, 0x41, 0},  {1034, 0x41, 1}, {1034, 0x204, 0},
        {1034, 0x205, 0}, {1034, 0x74, 0}, {1034, 0x74, 1},
    };
    EXPECT_EQ(expected, receiver.Take());
}

}  // namespace
}  // namespace nimba
