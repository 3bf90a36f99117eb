#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <filesystem>

#include "app/audio_music_timer.h"
#include "app/audio_system.h"
#include "app/audio_volume_form.h"
#include "audio_fake_backend.h"
#include "audio_test_support.h"
#include "dialogs_test_support.h"

namespace velmora {
namespace {

using testing_audio::AudioSettingsValues;
using testing_audio::RecordingAudioBackend;
using testing_audio::TempFolder;

using dialogs_test::EnsureApplication;

// A music track is loaded and playing when each test starts.
class VolumeFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.Touch("music/a.ogg");
        settings.MusicFolder = folder.Path("music");
        audio.InitAudio(folder.Path());
        audio.MusicTimerTick();
        track = audio.MusicStream();
        ASSERT_NE(track, 0u);
        window.setGeometry(100, 80, 640, 520);
    }

    bool applicationReady = (EnsureApplication(), true);  // before any widget member
    TempFolder folder;
    RecordingAudioBackend backend;
    AudioSettingsValues settings;
    AudioSystem audio{backend, settings.Bind()};
    AudioHandle track = 0;
    QWidget window;
};

TEST_F(VolumeFormTest, TheMusicSliderIsHeardAtOnceAndCancelRestoresBoth) {
    TVolumeForm form(audio, &window);
    form.Prepare(&window);
    EXPECT_EQ(form.EffectsSlider()->value(), 225);
    EXPECT_EQ(form.MusicSlider()->value(), 120);

    form.MusicSlider()->setValue(30);
    EXPECT_EQ(backend.VolumeOf(track), 30 / 256.0f);
    const int volumeCalls = backend.Count("ChannelSetVolume");
    form.EffectsSlider()->setValue(10);
    EXPECT_EQ(backend.Count("ChannelSetVolume"), volumeCalls);

    form.Finish(QDialog::Rejected);
    EXPECT_EQ(backend.VolumeOf(track), 0.46875f);
    EXPECT_EQ(form.EffectsSlider()->value(), 225);
    EXPECT_EQ(form.MusicSlider()->value(), 120);
    EXPECT_EQ(settings.SoundVolume, 225);
    EXPECT_EQ(settings.MusicVolume, 120);
    EXPECT_TRUE(backend.IsPlaying(track));
}

TEST_F(VolumeFormTest, OkStoresBothAndTheSlidersKeepTheirRangeAndTicks) {
    TVolumeForm form(audio, &window);
    for (QSlider* slider : {form.EffectsSlider(), form.MusicSlider()}) {
        EXPECT_EQ(slider->minimum(), 0);
        EXPECT_EQ(slider->maximum(), 255);
        EXPECT_EQ(slider->tickInterval(), 15);
    }
    form.Prepare(&window);
    form.EffectsSlider()->setValue(300);  // beyond the range: the loudest setting
    form.MusicSlider()->setValue(0);
    form.Finish(QDialog::Accepted);
    EXPECT_EQ(settings.SoundVolume, 255);
    EXPECT_EQ(settings.MusicVolume, 0);
    EXPECT_EQ(backend.VolumeOf(track), 0.0f);
    EXPECT_TRUE(backend.IsPlaying(track));
}

TEST_F(VolumeFormTest, ExecuteShowsTheDialogModallyCentredOnTheWindow) {
    window.show();
    TVolumeForm form(audio, &window);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Установка громкости звуков и музыки"));
    QPoint centre;
    bool wasModal = false;
    QTimer::singleShot(0, &form, [&] {
        wasModal = QApplication::activeModalWidget() == &form;
        centre = form.frameGeometry().center();
        form.MusicSlider()->setValue(77);
        // The default button, the one Enter presses, is "Ок".
        for (QPushButton* button : form.findChildren<QPushButton*>()) {
            if (button->isDefault()) {
                EXPECT_EQ(button->text(), QStringLiteral("Ок"));
                button->click();
            }
        }
    });
    form.Execute(&window);
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(settings.MusicVolume, 77);
    // Placed before it had a frame: off by at most the frame it then got.
    const QPoint expected = window.frameGeometry().center();
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    EXPECT_LE(std::abs(centre.x() - expected.x()), frame.width() / 2 + 1);
    EXPECT_LE(std::abs(centre.y() - expected.y()), frame.height() / 2 + 1);
}

TEST_F(VolumeFormTest, WithoutADeviceTheDialogStillStoresItsValues) {
    RecordingAudioBackend silent;
    silent.initSucceeds = false;
    AudioSettingsValues values;
    AudioSystem mute(silent, values.Bind());
    mute.InitAudio(folder.Path());
    TVolumeForm form(mute, &window);
    form.Prepare(&window);
    form.EffectsSlider()->setValue(12);
    form.MusicSlider()->setValue(34);
    form.Finish(QDialog::Accepted);
    EXPECT_EQ(values.SoundVolume, 12);
    EXPECT_EQ(values.MusicVolume, 34);
    EXPECT_EQ(silent.calls.size(), 1u);  // only the failed Init
}

// The same scene serves the music timer.
using MusicPingTimerTest = VolumeFormTest;

TEST_F(MusicPingTimerTest, TicksUntilDisabled) {
    backend.Finish(track);
    MusicPingTimer timer(audio);
    EXPECT_FALSE(timer.IsEnabled());
    timer.Enable();
    QEventLoop loop;
    QTimer poll;
    poll.callOnTimeout([&] {
        if (backend.Count("StreamCreateFile") == 2) {
            loop.quit();
        }
    });
    poll.start(10);
    QTimer::singleShot(3000, &loop, &QEventLoop::quit);
    loop.exec();
    // The only track, once more.
    EXPECT_EQ(backend.Count("StreamCreateFile"), 2);
    EXPECT_EQ(backend.PathOf(audio.MusicStream()), folder.Path("music/a.ogg"));

    timer.Disable();
    backend.Finish(audio.MusicStream());
    const auto calls = backend.calls.size();
    QTimer::singleShot(2 * MusicPingTimer::kIntervalMs, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(backend.calls.size(), calls);
}

}  // namespace
}  // namespace velmora
