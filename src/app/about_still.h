#pragma once

#include <QImage>
#include <QWidget>

namespace velmora {

// The about box's client area: the intro's frame and a one-pixel border.
inline constexpr int kAboutClientWidth = 382;
inline constexpr int kAboutClientHeight = 262;

// The about box's picture when the intro cannot play: the program's name and version on a
// dark ground, inside the same sunken frame as the intro.
class AboutStill : public QWidget {
  public:
    explicit AboutStill(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {kAboutClientWidth, kAboutClientHeight}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
};

// The still picture, 380 x 260.
QImage AboutStillPicture();

// The sunken one-pixel frame: shadow on the left and top, highlight on the right and bottom.
void DrawSunkenFrame(QWidget& widget);

}  // namespace velmora
