#pragma once
// The software mixer behind every sound buffer: it sums the playing buffers into
// 44.1 kHz 16-bit stereo output, moves their play cursors and signals their
// position notifications. The output device (a sound card, a silent timer or a
// test) asks it for frames.

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio/auto_reset_event.h"
#include "platform/audio/pcm_format.h"

namespace platform {

constexpr std::uint32_t kMixerRate = 44100;
constexpr std::uint16_t kMixerChannels = 2;

// A position in a buffer at which an event is signalled when playback passes it.
struct NotificationPosition {
  std::uint32_t offset = 0;  // byte offset in the buffer
  std::shared_ptr<AutoResetEvent> event;
};

// One sound buffer's playback state. The sample bytes are shared between a
// buffer and its duplicates; everything else is the voice's own. Guarded by the
// mixer's lock.
struct Voice {
  PcmFormat format;
  std::shared_ptr<std::vector<std::uint8_t>> data;
  std::uint32_t frames = 0;    // data size / block align
  std::uint64_t cursor = 0;    // play position in frames, 32.32 fixed point
  std::uint64_t step = 0;      // cursor advance per output frame, 32.32
  bool playing = false;
  bool looping = false;
  std::int32_t volume = 0;     // hundredths of a decibel, -10000..0
  float gain = 1.0f;
  std::vector<NotificationPosition> notifications;
};

class Mixer {
 public:
  Mixer() = default;
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;
  ~Mixer() = default;

  std::mutex& Lock() { return m_Mutex; }

  // Voices join the mixer for their whole life (caller holds no lock).
  void Add(Voice* voice);
  void Remove(Voice* voice);

  // Mixes the next `frames` stereo frames into `out` (interleaved left/right).
  void Mix(std::int16_t* out, std::uint32_t frames);

 private:
  void MixChunk(std::int16_t* out, std::uint32_t frames);

  std::mutex m_Mutex;
  std::vector<Voice*> m_Voices;
};

// Linear gain for an attenuation in hundredths of a decibel: 1 at 0, 0 at
// -10000 and below, 10^(v/2000) between.
float GainFromAttenuation(std::int32_t hundredthsOfDecibel);

}  // namespace platform
