#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <set>

#include "../support/intro_test_resources.h"
#include "view/intro_widget.h"

namespace velmora {
namespace {

// Never destroyed: tearing a shown widget's application down among the exit handlers
// crashes inside Qt.
void App() {
    static int argc = 1;
    static char name[] = "test_view";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr) {
        new QApplication(argc, argv);
    }
}

// Serves events until `done` holds or `ms` milliseconds pass; returns `done`'s last answer.
template <typename Done>
bool ServeEvents(int ms, Done done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return done();
}

TEST(IntroWidgetTest, ShowsTheFrameInsideASunkenBorder) {
    App();
    IntroWidget widget(intro_test::Resources());
    EXPECT_EQ(widget.size(), QSize(382, 262));
    const QImage shot = widget.grab().toImage();
    const QPalette& palette = widget.palette();
    EXPECT_EQ(shot.pixel(0, 100), palette.color(QPalette::Dark).rgb());
    EXPECT_EQ(shot.pixel(200, 0), palette.color(QPalette::Dark).rgb());
    EXPECT_EQ(shot.pixel(381, 100), palette.color(QPalette::Light).rgb());
    EXPECT_EQ(shot.pixel(200, 261), palette.color(QPalette::Light).rgb());
    const QImage& screen = widget.Screen();
    for (const auto& [x, y] : {std::pair{0, 0}, {379, 259}, {190, 130}, {10, 250}}) {
        EXPECT_EQ(shot.pixel(1 + x, 1 + y), screen.pixel(x, y)) << x << " " << y;
    }
    // The front image's clear top rows show the textured background, not a blank.
    std::set<QRgb> colours;
    for (int x = 0; x < screen.width(); ++x) {
        colours.insert(screen.pixel(x, 5));
    }
    EXPECT_GT(colours.size(), 10u);
}

TEST(IntroWidgetTest, NewFramesArriveOnlyWhileVisible) {
    App();
    IntroWidget widget(intro_test::Resources());
    const QImage first = widget.Screen().copy();
    // Hidden: the intro's clock runs on, but timer ticks draw nothing.
    ServeEvents(150, [] { return false; });
    EXPECT_EQ(widget.Screen(), first);
    widget.show();
    EXPECT_TRUE(ServeEvents(10000, [&] { return widget.Screen() != first; }));
    const QImage second = widget.Screen().copy();
    EXPECT_TRUE(ServeEvents(10000, [&] { return widget.Screen() != second; }));
}

}  // namespace
}  // namespace velmora
