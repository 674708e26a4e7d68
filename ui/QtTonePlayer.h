#pragma once

#include "ui/Services.h"

#include <QAudioDevice>

#include <functional>
#include <memory>

namespace larmor {

// Plays a tone through Qt Multimedia on a thread of its own, so the window never waits
// for the sound system: the first play() starts that thread, which looks up the audio
// output once (a stuck sound server can hold that look-up for half a minute) and keeps
// silent for good when there is none. The destructor stops the thread and waits for it,
// so nothing outlives the player.
class QtTonePlayer : public TonePlayer {
public:
  // Returns the output to play on; a null device means there is none. Runs on the
  // player's own thread.
  using DeviceProbe = std::function<QAudioDevice()>;

  QtTonePlayer();  // probes with QMediaDevices::defaultAudioOutput()
  explicit QtTonePlayer(DeviceProbe probe);
  ~QtTonePlayer() override;

  QtTonePlayer(const QtTonePlayer&) = delete;
  QtTonePlayer& operator=(const QtTonePlayer&) = delete;

  // Returns at once; a tone still sounding is replaced by the new one.
  void play(int frequencyHz, int durationMs) override;

  // Sample rate of the generated tone [samples/s].
  static constexpr int sampleRate = 48000;

private:
  class AudioThread;
  std::unique_ptr<AudioThread> m_thread;
};

}  // namespace larmor
