#pragma once

#include <QWidget>

class QLabel;

namespace velmora {

// The logo shown while the main window and the long-lived dialogs are created: 252 x 125,
// borderless, centred on the screen. Of its two pictures only the Russian one is shown.
class TStartUpForm : public QWidget {
    Q_OBJECT

  public:
    TStartUpForm();

    // Shows the logo and paints it at once, before the slow work starts.
    void ShowNow();

    QLabel* RussianImage() const { return russian_; }
    QLabel* EnglishImage() const { return english_; }

  private:
    QLabel* russian_;
    QLabel* english_;
};

inline constexpr int kStartUpWidth = 252;
inline constexpr int kStartUpHeight = 125;

// The logo picture of one language: the program's resource when it has one, otherwise one
// drawn here.
QPixmap StartUpPicture(bool russian);

}  // namespace velmora
