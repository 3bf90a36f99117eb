#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "view/board_widget.h"
#include "view_rig.h"

namespace velmora {
namespace {

using testing::ViewRig;

// Other tests of this program may have made the application already; there is only one.
void App() {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "test_view";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);  // lives until the process ends
    }
}

QRgb Opaque(std::uint32_t pixel) {
    return 0xFF000000u | pixel;
}

TEST(BoardWidget, ShowsTheBackBufferUprightInsideASunkenFrame) {
    App();
    ViewRig rig(8);
    BoardWidget widget(rig.holder, rig.renderer);
    EXPECT_EQ(widget.size(), QSize(532, 532));
    widget.RepaintBoard();
    const QImage& screen = widget.Screen();
    ASSERT_EQ(screen.size(), QSize(528, 528));
    for (const auto& [px, py] : {std::pair{0, 0}, {527, 0}, {0, 527}, {300, 100}, {20, 20}}) {
        EXPECT_EQ(screen.pixel(px, py), Opaque(testing::BackPixel(rig.holder, px, py)));
    }
    const QImage shot = widget.grab().toImage();
    EXPECT_EQ(shot.pixel(2 + 300, 2 + 100), Opaque(testing::BackPixel(rig.holder, 300, 100)));
    const QPalette& pal = widget.palette();
    EXPECT_EQ(shot.pixel(0, 10), pal.color(QPalette::Dark).rgb());
    EXPECT_EQ(shot.pixel(10, 531), pal.color(QPalette::Light).rgb());
    EXPECT_EQ(shot.pixel(1, 10), pal.color(QPalette::Shadow).rgb());
    EXPECT_EQ(shot.pixel(530, 10), pal.color(QPalette::Midlight).rgb());
}

TEST(BoardWidget, ABlittedCursorStaysOnScreenAfterTheBufferIsRestored) {
    App();
    ViewRig rig(10);
    BoardWidget widget(rig.holder, rig.renderer);
    rig.renderer.SetPresenter(&widget);
    widget.RepaintBoard();
    const BoardGeometry& g = rig.renderer.Geometry();
    rig.renderer.SquareFromPoint(g.KeyPointX(3), g.KeyPointY(6));
    rig.animator.CursorStep();
    const int x = g.SquareX(3) + 1;
    const int y = g.SquareY(6) + 1;
    // Square (3, 6) is odd: its outer frame is the second frame colour, almost solid.
    EXPECT_EQ(widget.Screen().pixel(x, y), Opaque(PixelOf(207, 147, 72)));
    EXPECT_NE(widget.Screen().pixel(x, y), Opaque(testing::BackPixel(rig.holder, x, y)));
    // A full repaint takes the cursor away until the next tick.
    widget.RepaintBoard();
    EXPECT_EQ(widget.Screen().pixel(x, y), Opaque(testing::BackPixel(rig.holder, x, y)));
}

}  // namespace
}  // namespace velmora
