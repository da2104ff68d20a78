#pragma once
// The program's sound device: the audio output with a silent looping buffer that
// keeps it active. Sounds create their buffers on it.

#include <memory>

#include "platform/audio/audio_device.h"
#include "platform/audio/sound_buffer.h"

namespace platform {
class Window;
}

namespace nsZarn::nsSound {

class ZarnSound {
 public:
  ZarnSound() = default;
  ZarnSound(const ZarnSound&) = delete;
  ZarnSound& operator=(const ZarnSound&) = delete;
  ~ZarnSound();

  // Opens the audio output (a silent one where the machine has no audio device).
  // False when no output can be opened at all.
  bool Init(platform::Window* mainWindow);

  // The output, null before a successful Init.
  platform::AudioDevice* GetDevice() const { return m_Device.get(); }

 private:
  bool CreateVoidBuffer();

  std::unique_ptr<platform::AudioDevice> m_Device;
  std::unique_ptr<platform::SoundBuffer> m_VoidBuffer;
};

}  // namespace nsZarn::nsSound
