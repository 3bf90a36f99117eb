#include "app/audio_music_timer.h"

#include "app/audio_system.h"

namespace velmora {

MusicPingTimer::MusicPingTimer(AudioSystem& audio, QObject* parent)
    : QObject(parent), audio_(audio) {
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
}

void MusicPingTimer::Enable() {
    enabled_ = true;
    timer_.start();
}

void MusicPingTimer::Disable() {
    enabled_ = false;
    timer_.stop();
}

void MusicPingTimer::Tick() {
    // Held for the length of the tick, so a slow folder listing never stacks ticks up; the
    // next one comes a full interval after this one ends.
    timer_.stop();
    audio_.MusicTimerTick();
    if (enabled_) {
        timer_.start();
    }
}

}  // namespace velmora
