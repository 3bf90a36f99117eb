#pragma once

#include <QImage>
#include <QWidget>

class QTimer;

namespace velmora {

// The small box with a picture and a blinking word that stands on the main window while it
// waits: "Соединение..." while a call connects, "Загрузка..." while images reload. It lives on
// the GUI thread and animates from a 50 ms timer; around work that blocks the thread, Start
// paints it once at once.
class ProgressBox : public QWidget {
    Q_OBJECT

  public:
    enum class Kind { Connect, Pack };
    static constexpr int kWidth = 200;
    static constexpr int kHeight = 60;

    ProgressBox(Kind kind, QWidget* window);

    // Shows the box at (left, top) of the window and starts its animation.
    void Start(int left, int top);
    void Stop();
    bool Running() const;

    QString Text() const { return text_; }
    int Frame() const { return frame_; }
    // One step of the animation, as the timer does it.
    void Step();
    // Whether the word shows in the current frame (0.6 s on, 0.6 s off).
    bool TextShown() const { return frame_ % 24 < 12; }
    bool HasPicture() const { return !picture_.isNull(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString text_;
    QImage picture_;
    QTimer* timer_ = nullptr;
    int frame_ = 0;
};

}  // namespace velmora
