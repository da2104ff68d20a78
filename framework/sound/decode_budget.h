#pragma once
// What decoding a sound may take of its thread's CPU, in proportion to the audio
// it delivers: a tenth of a second for every second of audio. The costliest
// encoder's files take under a tenth of that (oggenc -q 10, stereo at 192 kHz: 8 ms
// a second on average, 16 ms in its costliest second), so a file that costs more
// than ten times as much is not one an encoder wrote.
//
// Music streams: its decoder earns the rate with every second it delivers and
// keeps a tenth of a second in store. An effect or voice is decoded whole in one
// load, whose budget is the rate over the sound's stated length beside the
// allowance of any load.

#include <algorithm>
#include <cstdint>

#include "platform/audio/mixer.h"
#include "platform/audio/pcm_format.h"
#include "platform/audio/sound_buffer.h"
#include "platform/work/work_meter.h"

namespace nsZarn::nsSound {

// CPU time a second of delivered audio earns, and the most kept in store.
inline constexpr std::uint64_t kDecodeNsPerSecondOfAudio = 100'000'000 * platform::kWorkSlowdown;
inline constexpr std::uint64_t kDecodeStoreNs = 100'000'000 * platform::kWorkSlowdown;

// The rate over the longest sound a buffer holds at the mixer's rate (16-bit
// stereo at 44.1 kHz: 25 minutes). A buffer holds hours of a sound of a low rate,
// and the rate allows as much a second of those as of any other: their budget is
// no larger.
inline constexpr std::uint64_t kLongestWholeDecodeNs =
    std::uint64_t{platform::SoundBuffer::kMaxBytes} / (2 * platform::kMixerChannels) * kDecodeNsPerSecondOfAudio /
    platform::kMixerRate;

// The budget of the load that decodes a sound of `frames` frames whole: a load's
// allowance (what the open is given) and the rate over the frames, counted no
// further than its buffer holds.
constexpr std::uint64_t WholeDecodeBudgetNs(const platform::PcmFormat& format, std::uint32_t frames) {
  if (format.blockAlign == 0 || format.samplesPerSec == 0) return platform::kLoadCpuBudgetNs;
  const std::uint64_t held = std::min<std::uint64_t>(frames, platform::SoundBuffer::kMaxBytes / format.blockAlign);
  return platform::kLoadCpuBudgetNs +
         std::min(held * kDecodeNsPerSecondOfAudio / format.samplesPerSec, kLongestWholeDecodeNs);
}

}  // namespace nsZarn::nsSound
