#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "app/audio_music_timer.h"
#include "app/audio_volume_form.h"
#include "audio_fake_backend.h"
#include "dialogs_test_support.h"

namespace velmora {
namespace {

// A music track is loaded and playing when each test starts.
class VolumeFormTest : public ::testing::Test,
                       protected dialogs_test::ApplicationInstance,
                       protected testing_audio::AudioRig<> {
  protected:
    void SetUp() override {
        folder.Touch("music/a.ogg");
        audio.InitAudio(folder.Path());
        audio.MusicTimerTick();
        track = audio.MusicStream();
        ASSERT_NE(track, 0u);
        EXPECT_EQ(backend.VolumeOf(track), 0.46875f);
        window.setGeometry(100, 80, 640, 520);
    }

    AudioHandle track = 0;
    QWidget window;
};

TEST_F(VolumeFormTest, TheMusicSliderIsHeardAtOnceOnlyOkStoresAndCancelRestores) {
    for (const int result : {QDialog::Rejected, QDialog::Accepted}) {
        TVolumeForm form(audio, &window);
        for (QSlider* slider : {form.EffectsSlider(), form.MusicSlider()}) {
            EXPECT_EQ(slider->maximum(), 255);
            EXPECT_EQ(slider->tickInterval(), 15);
        }
        form.Prepare(&window);
        EXPECT_EQ(form.EffectsSlider()->value(), 225);
        EXPECT_EQ(form.MusicSlider()->value(), 120);
        form.MusicSlider()->setValue(30);
        EXPECT_EQ(backend.VolumeOf(track), 0.1171875f);
        const int volumeCalls = backend.Count("ChannelSetVolume");
        form.EffectsSlider()->setValue(300);  // beyond the range: the loudest setting
        EXPECT_EQ(backend.Count("ChannelSetVolume"), volumeCalls);
        form.MusicSlider()->setValue(-5);
        EXPECT_EQ(backend.VolumeOf(track), 0.0f);
        audio.MusicTimerTick();  // silenced, not ended
        EXPECT_EQ(audio.MusicStream(), track);

        form.Finish(result);
        const bool ok = result == QDialog::Accepted;
        EXPECT_EQ(backend.VolumeOf(track), ok ? 0.0f : 0.46875f);
        EXPECT_EQ(settings.SoundVolume, ok ? 255 : 225);
        EXPECT_EQ(settings.MusicVolume, ok ? 0 : 120);
        EXPECT_TRUE(backend.IsPlaying(track));
    }
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
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    EXPECT_LE((centre - window.frameGeometry().center()).manhattanLength(),
              (frame.width() + frame.height()) / 2 + 2);
}

TEST_F(VolumeFormTest, TheMusicTimerTicksUntilDisabled) {
    backend.Finish(track);
    MusicPingTimer timer(audio);
    EXPECT_FALSE(timer.IsEnabled());
    timer.Enable();
    // The only track, once more.
    ASSERT_TRUE(QTest::qWaitFor([&] { return backend.Count("StreamCreateFile") == 2; }, 3000));
    EXPECT_EQ(backend.PathOf(audio.MusicStream()), folder.Path("music/a.ogg"));

    timer.Disable();
    backend.Finish(audio.MusicStream());
    const auto calls = backend.calls.size();
    QTest::qWait(2 * MusicPingTimer::kIntervalMs);
    EXPECT_EQ(backend.calls.size(), calls);
}

}  // namespace
}  // namespace velmora
