#pragma once

#include <QDialog>

#include "support/intro_resources.h"

namespace velmora {

// The about box: the animated intro in a sunken frame, 382 x 262. A click anywhere closes
// it. Without the intro's resources it shows a still picture in the same frame.
class TAboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit TAboutBox(const IntroResources& resources, QWidget* parent = nullptr);

    // Creates the box, shows it modally centred on mainWindow and destroys it.
    static void ShowAbout(const IntroResources& resources, QWidget* mainWindow);

    // Whether the intro plays (rather than the still picture).
    bool Animated() const { return animated_; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    bool animated_ = false;
};

// All four resources are there; the intro is not worth playing without any of them.
bool HasIntroResources(const IntroResources& resources);

}  // namespace velmora
