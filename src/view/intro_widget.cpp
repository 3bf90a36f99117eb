#include "view/intro_widget.h"

#include <QPainter>

#include "support/intro.h"
#include "support/intro_sizes.h"

namespace velmora {

namespace {

constexpr int kBorder = 1;
constexpr int kTimerMs = 2;

}  // namespace

IntroWidget::IntroWidget(const IntroResources& resources, QWidget* parent)
    : QWidget(parent),
      intro_(IntroStart(resources)),
      screen_(kIntroWidth, kIntroHeight, QImage::Format_RGB32) {
    setFixedSize(sizeHint());
    // Every pixel is painted, so nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    screen_.fill(Qt::black);
    RenderFrame();
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kTimerMs);
    connect(&timer_, &QTimer::timeout, this, &IntroWidget::Tick);
    timer_.start();
}

IntroWidget::~IntroWidget() {
    timer_.stop();
    IntroStop(intro_);
}

QSize IntroWidget::sizeHint() const {
    return {kIntroWidth + 2 * kBorder, kIntroHeight + 2 * kBorder};
}

bool IntroWidget::RenderFrame() {
    if (!IntroRender(*intro_)) {
        return false;
    }
    // The frame is bottom-up 0x00RRGGBB; the screen copy is top-down and opaque.
    const auto frame = intro_->Frame();
    for (int y = 0; y < kIntroHeight; ++y) {
        const std::uint32_t* source = frame.data() + (kIntroHeight - 1 - y) * kIntroWidth;
        auto* target = reinterpret_cast<std::uint32_t*>(screen_.scanLine(y));
        for (int x = 0; x < kIntroWidth; ++x) {
            target[x] = 0xFF000000u | source[x];
        }
    }
    return true;
}

void IntroWidget::Tick() {
    if (isVisible() && RenderFrame()) {
        update(kBorder, kBorder, kIntroWidth, kIntroHeight);
    }
}

void IntroWidget::paintEvent(QPaintEvent* /*event*/) {
    RenderFrame();
    QPainter painter(this);
    const int right = width() - 1, bottom = height() - 1;
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(0, 0, right, 0);
    painter.drawLine(0, 0, 0, bottom);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(right, 1, right, bottom);
    painter.drawLine(1, bottom, right, bottom);
    painter.drawImage(kBorder, kBorder, screen_);
}

}  // namespace velmora
