#pragma once
// The outputs that pull frames from a mixer: the SDL audio device and the
// silent real-time timer. Internal to the audio module.

#include <memory>
#include <string>

#include "platform/audio/mixer.h"

namespace platform {

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
};

// Opens the SDL audio device on the mixer; null with the reason when SDL has no
// audio device to offer.
std::unique_ptr<AudioOutput> OpenSdlAudioOutput(std::shared_ptr<Mixer> mixer, std::string* error);

// Starts the silent output; null when its thread cannot start.
std::unique_ptr<AudioOutput> OpenSilentAudioOutput(std::shared_ptr<Mixer> mixer);

}  // namespace platform
