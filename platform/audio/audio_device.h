#pragma once
// The audio output device: our mixer's sound buffers played at 44.1 kHz, 16-bit
// stereo. Three kinds:
//  - Speaker: the SDL audio device; SDL's audio thread pulls the mixed frames.
//  - Silent: where no audio device exists (a server, a container) a timer thread
//    mixes and discards the frames in real time, so positions, notifications and
//    music streaming behave as if the sound played.
//  - Null: nothing mixes until the owner calls Mix; tests clock it by hand.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio/mixer.h"
#include "platform/audio/pcm_format.h"
#include "platform/audio/sound_buffer.h"

namespace platform {

enum class AudioDeviceKind { Speaker, Silent, Null };

class AudioOutput;

class AudioDevice {
 public:
  // The default device: the speaker, or the silent device with a debug line when
  // SDL audio cannot be opened; the null device while tests have selected it.
  // Null only when even the silent device cannot start.
  static std::unique_ptr<AudioDevice> OpenDefault();
  static std::unique_ptr<AudioDevice> OpenSilent();
  static std::unique_ptr<AudioDevice> OpenNull();

  AudioDevice(const AudioDevice&) = delete;
  AudioDevice& operator=(const AudioDevice&) = delete;
  ~AudioDevice();

  AudioDeviceKind Kind() const { return m_Kind; }
  // 44,100 Hz, 16-bit, stereo.
  static PcmFormat OutputFormat();

  std::unique_ptr<SoundBuffer> CreateSoundBuffer(const PcmFormat& format, std::uint32_t bytes);
  // A buffer that takes over the samples.
  std::unique_ptr<SoundBuffer> CreateSoundBuffer(const PcmFormat& format, std::vector<std::uint8_t> samples);

  // Mixes the next frames (interleaved stereo) and advances every playing buffer.
  // The null device's clock; the other kinds call it from their own thread.
  void Mix(std::int16_t* out, std::uint32_t frames);
  // Mixes and discards; returns nothing but advances the buffers like Mix.
  void Advance(std::uint32_t frames);

 private:
  AudioDevice(AudioDeviceKind kind, std::shared_ptr<Mixer> mixer, std::unique_ptr<AudioOutput> output);

  AudioDeviceKind m_Kind;
  std::shared_ptr<Mixer> m_Mixer;
  std::unique_ptr<AudioOutput> m_Output;
};

// While selected, OpenDefault opens a null device: end-to-end tests run the
// program's own start-up over a device they clock themselves.
void SelectNullAudioDeviceForTests(bool selected);

}  // namespace platform
