#pragma once
// The 16-byte PCM format record that sound data and sound buffers describe
// themselves with: format tag, channels, samples per second, average bytes per
// second, block align (bytes per frame) and bits per sample.

#include <cstdint>

namespace platform {

constexpr std::uint16_t kPcmFormatTag = 1;

struct PcmFormat {
  std::uint16_t formatTag = 0;
  std::uint16_t channels = 0;
  std::uint32_t samplesPerSec = 0;
  std::uint32_t avgBytesPerSec = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bitsPerSample = 0;
};
static_assert(sizeof(PcmFormat) == 16, "the PCM format record is 16 bytes");

// A PCM format with its derived fields filled in.
PcmFormat MakePcmFormat(std::uint16_t channels, std::uint32_t samplesPerSec,
                        std::uint16_t bitsPerSample);

// True for the formats the mixer plays: PCM, 1 or 2 channels, 8 or 16 bits,
// block align = channels x bytes per sample, and a rate from 100 Hz to 200 kHz.
bool IsPlayablePcmFormat(const PcmFormat& format);

}  // namespace platform
