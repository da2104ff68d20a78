#include "platform/audio/mixer.h"

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

constexpr std::uint32_t kChunkFrames = 1024;
constexpr std::uint64_t kUnitStep = std::uint64_t{1} << 32;
constexpr float kFracScale = 1.0f / 4294967296.0f;

// One source frame as left/right in 16-bit units (8-bit data is unsigned).
template <int Bits, int Channels>
inline void Fetch(const std::uint8_t* data, std::uint32_t frame, float& left, float& right) {
  if constexpr (Bits == 16) {
    const std::uint8_t* p = data + static_cast<std::size_t>(frame) * 2 * Channels;
    left = static_cast<float>(static_cast<std::int16_t>(p[0] | (p[1] << 8)));
    right = Channels == 2 ? static_cast<float>(static_cast<std::int16_t>(p[2] | (p[3] << 8))) : left;
  } else {
    const std::uint8_t* p = data + static_cast<std::size_t>(frame) * Channels;
    left = static_cast<float>((p[0] - 128) * 256);
    right = Channels == 2 ? static_cast<float>((p[1] - 128) * 256) : left;
  }
}

// Signals the notifications whose byte lies in the frames the cursor passed:
// `consumed` frames starting at `startFrame` (cyclic).
void SignalPassedNotifications(const Voice& voice, std::uint32_t startFrame, std::uint64_t consumed) {
  if (consumed == 0 || voice.notifications.empty()) return;
  for (const NotificationPosition& n : voice.notifications) {
    const std::uint32_t frame = n.offset / voice.format.blockAlign;
    const std::uint64_t distance =
        (static_cast<std::uint64_t>(frame) + voice.frames - startFrame) % voice.frames;
    if (consumed >= voice.frames || distance < consumed) n.event->Set();
  }
}

// Adds `frames` output frames of one voice into the accumulator and moves its
// cursor. A looping voice wraps; any other stops at its end.
template <int Bits, int Channels>
void MixVoice(Voice& voice, float* acc, std::uint32_t frames) {
  const std::uint8_t* data = voice.data->data();
  const std::uint64_t total = voice.frames;
  const std::uint64_t end = total << 32;
  const std::uint64_t step = voice.step;
  const float gain = voice.gain;
  const std::uint32_t startFrame = static_cast<std::uint32_t>(voice.cursor >> 32);
  std::uint64_t pos = voice.cursor;
  std::uint64_t wraps = 0;
  bool ended = false;

  for (std::uint32_t i = 0; i < frames; ++i) {
    const auto frame = static_cast<std::uint32_t>(pos >> 32);
    float left = 0.0f;
    float right = 0.0f;
    Fetch<Bits, Channels>(data, frame, left, right);
    if (step != kUnitStep) {
      // Linear interpolation towards the next frame (the last frame of a
      // non-looping buffer holds).
      std::uint32_t next = frame + 1;
      if (next >= total) next = voice.looping ? 0 : frame;
      float nextLeft = 0.0f;
      float nextRight = 0.0f;
      Fetch<Bits, Channels>(data, next, nextLeft, nextRight);
      const float frac = static_cast<float>(pos & 0xFFFFFFFFu) * kFracScale;
      left += (nextLeft - left) * frac;
      right += (nextRight - right) * frac;
    }
    acc[2 * i] += left * gain;
    acc[2 * i + 1] += right * gain;
    pos += step;
    if (pos >= end) {
      if (voice.looping) {
        pos -= end;
        ++wraps;
      } else {
        ended = true;
        break;
      }
    }
  }

  std::uint64_t consumed;
  if (ended) {
    consumed = total - startFrame;
    voice.playing = false;
    voice.cursor = 0;
  } else {
    consumed = wraps * total + (pos >> 32) - startFrame;
    voice.cursor = pos;
  }
  SignalPassedNotifications(voice, startFrame, consumed);
}

void MixAnyVoice(Voice& voice, float* acc, std::uint32_t frames) {
  const bool stereo = voice.format.channels == 2;
  if (voice.format.bitsPerSample == 16) {
    stereo ? MixVoice<16, 2>(voice, acc, frames) : MixVoice<16, 1>(voice, acc, frames);
  } else {
    stereo ? MixVoice<8, 2>(voice, acc, frames) : MixVoice<8, 1>(voice, acc, frames);
  }
}

inline std::int16_t Saturate(float v) {
  const long s = std::lrint(v);
  return static_cast<std::int16_t>(std::clamp(s, -32768L, 32767L));
}

}  // namespace

float GainFromAttenuation(std::int32_t hundredthsOfDecibel) {
  if (hundredthsOfDecibel <= -10000) return 0.0f;
  if (hundredthsOfDecibel >= 0) return 1.0f;
  return static_cast<float>(std::pow(10.0, hundredthsOfDecibel / 2000.0));
}

void Mixer::Add(Voice* voice) {
  std::lock_guard lock(m_Mutex);
  m_Voices.push_back(voice);
}

void Mixer::Remove(Voice* voice) {
  std::lock_guard lock(m_Mutex);
  m_Voices.erase(std::remove(m_Voices.begin(), m_Voices.end(), voice), m_Voices.end());
}

void Mixer::Mix(std::int16_t* out, std::uint32_t frames) {
  std::lock_guard lock(m_Mutex);
  while (frames > 0) {
    const std::uint32_t n = std::min(frames, kChunkFrames);
    MixChunk(out, n);
    out += static_cast<std::size_t>(n) * kMixerChannels;
    frames -= n;
  }
}

void Mixer::MixChunk(std::int16_t* out, std::uint32_t frames) {
  float acc[kChunkFrames * kMixerChannels];
  std::fill(acc, acc + static_cast<std::size_t>(frames) * kMixerChannels, 0.0f);
  for (Voice* voice : m_Voices) {
    if (voice->playing && voice->frames > 0) MixAnyVoice(*voice, acc, frames);
  }
  for (std::uint32_t i = 0; i < frames * kMixerChannels; ++i) out[i] = Saturate(acc[i]);
}

}  // namespace platform
