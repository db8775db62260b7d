#include <gtest/gtest.h>

#include <limits>

#include "dialogs/dpi_color_wnd.h"

namespace nimba {
namespace {

constexpr RECT kScreen{0, 0, 1920, 1080};
constexpr SIZE kDialog{CDpiColorWnd::kWidth, CDpiColorWnd::kHeight};

void ExpectAt(POINT anchor, POINT expected, RECT screen = kScreen) {
    const POINT at = FitOnScreen(screen, anchor, kDialog);
    EXPECT_EQ(at.x, expected.x) << anchor.x << "," << anchor.y;
    EXPECT_EQ(at.y, expected.y) << anchor.x << "," << anchor.y;
}

TEST(ColourDialogPlace, OpensAtItsAnchorAndStaysWholeOnTheScreen) {
    ExpectAt({100, 200}, {100, 200});
    // A button near the left edge puts the anchor 200 pixels further left, off the screen.
    ExpectAt({-150, 300}, {0, 300});
    // A button low on the screen: the dialog goes up until its bottom edge fits.
    ExpectAt({500, 1000}, {500, 880});
    ExpectAt({1900, 1079}, {1670, 880});
    constexpr int32_t kFar = std::numeric_limits<int32_t>::max();
    ExpectAt({kFar, kFar}, {1670, 880});
    ExpectAt({-kFar - 1, -kFar - 1}, {0, 0});
    // A second screen to the right of the first.
    ExpectAt({3800, 50}, {3590, 50}, RECT{1920, 0, 3840, 1200});
    // On a screen smaller than the dialog its top left corner stays on it.
    ExpectAt({50, 50}, {10, 20}, RECT{10, 20, 200, 150});
}

}  // namespace
}  // namespace nimba
