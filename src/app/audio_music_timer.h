#pragma once

#include <QObject>
#include <QTimer>

namespace velmora {

class AudioSystem;

// MusicPingTimer: the 250 ms window timer that drives the music. Disabled until the main
// window has been created, and again first thing when it closes.
class MusicPingTimer : public QObject {
  public:
    static constexpr int kIntervalMs = 250;

    explicit MusicPingTimer(AudioSystem& audio, QObject* parent = nullptr);

    void Enable();
    void Disable();
    bool IsEnabled() const { return enabled_; }

  private:
    void Tick();

    AudioSystem& audio_;
    QTimer timer_;
    bool enabled_ = false;
};

}  // namespace velmora
