#pragma once

#include <QDialog>

class QSlider;

namespace velmora {

class AudioSystem;

// TVolumeForm: sets the effect and music volumes. The music slider is heard at once on the
// loaded track; only OK stores the two values.
class TVolumeForm : public QDialog {
  public:
    explicit TVolumeForm(AudioSystem& audio, QWidget* parent = nullptr);

    // The Volume command: shows the dialog modally, centred on `mainWindow`.
    void Execute(QWidget* mainWindow);

    // The two halves of Execute around the modal loop.
    void Prepare(QWidget* mainWindow);
    void Finish(int result);

    QSlider* EffectsSlider() const { return effectsSlider_; }
    QSlider* MusicSlider() const { return musicSlider_; }

  private:
    AudioSystem& audio_;
    QSlider* effectsSlider_;
    QSlider* musicSlider_;
};

}  // namespace velmora
