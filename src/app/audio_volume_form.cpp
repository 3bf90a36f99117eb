#include "app/audio_volume_form.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "app/audio_system.h"
#include "app/dialog_placement.h"

namespace velmora {
namespace {

constexpr int kMaxVolume = 255;
constexpr int kTickStep = 15;

QSlider* MakeVolumeSlider(QWidget* parent) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(0, kMaxVolume);
    slider->setTickInterval(kTickStep);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setMinimumWidth(200);
    return slider;
}

}  // namespace

TVolumeForm::TVolumeForm(AudioSystem& audio, QWidget* parent)
    : QDialog(parent),
      audio_(audio),
      effectsSlider_(MakeVolumeSlider(this)),
      musicSlider_(MakeVolumeSlider(this)) {
    setWindowTitle(QStringLiteral("Установка громкости звуков и музыки"));

    auto* group = new QGroupBox(QStringLiteral("Громкость звуков и музыки"), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("Звуки"), group), 0, 0);
    grid->addWidget(effectsSlider_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Музыка"), group), 1, 0);
    grid->addWidget(musicSlider_, 1, 1);

    auto* ok = new QPushButton(QStringLiteral("Ок"), this);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(musicSlider_, &QSlider::valueChanged, this,
            [this](int value) { audio_.SetLoadedTrackVolume(value); });
}

void TVolumeForm::Execute(QWidget* mainWindow) {
    Prepare(mainWindow);
    Finish(exec());
}

void TVolumeForm::Prepare(QWidget* mainWindow) {
    CentreOn(this, mainWindow);
    const AudioSettings& settings = audio_.Settings();
    effectsSlider_->setValue(settings.SoundVolume);
    musicSlider_->setValue(settings.MusicVolume);
}

void TVolumeForm::Finish(int result) {
    AudioSettings& settings = audio_.Settings();
    if (result == QDialog::Accepted) {
        settings.SoundVolume = effectsSlider_->value();
        settings.MusicVolume = musicSlider_->value();
    } else {
        effectsSlider_->setValue(settings.SoundVolume);
        musicSlider_->setValue(settings.MusicVolume);
    }
    // A track that began while the dialog was open started at the old volume.
    audio_.SetLoadedTrackVolume(settings.MusicVolume);
}

}  // namespace velmora
