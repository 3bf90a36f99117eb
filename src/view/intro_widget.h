#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "support/intro_resources.h"

namespace velmora {

class Intro;

// The about box's animation: the intro's frame at (1, 1) inside a sunken one-pixel frame,
// 382 x 262 in all. The intro runs from construction to destruction; a 2 ms timer picks up
// each new frame while the widget is visible. Mouse clicks are left to the parent.
class IntroWidget : public QWidget {
    Q_OBJECT

  public:
    explicit IntroWidget(const IntroResources& resources, QWidget* parent = nullptr);
    ~IntroWidget() override;

    QSize sizeHint() const override;
    // The last frame rendered, top-down, as painted inside the border.
    const QImage& Screen() const { return screen_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // Renders a frame if the intro moved on; true if it did.
    bool RenderFrame();
    void Tick();

    std::unique_ptr<Intro> intro_;
    QTimer timer_;
    QImage screen_;
};

}  // namespace velmora
