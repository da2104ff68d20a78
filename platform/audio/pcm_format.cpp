#include "platform/audio/pcm_format.h"

namespace platform {

PcmFormat MakePcmFormat(std::uint16_t channels, std::uint32_t samplesPerSec,
                        std::uint16_t bitsPerSample) {
  PcmFormat f;
  f.formatTag = kPcmFormatTag;
  f.channels = channels;
  f.samplesPerSec = samplesPerSec;
  f.bitsPerSample = bitsPerSample;
  f.blockAlign = static_cast<std::uint16_t>(channels * (bitsPerSample / 8));
  f.avgBytesPerSec = samplesPerSec * f.blockAlign;
  return f;
}

bool IsPlayablePcmFormat(const PcmFormat& format) {
  if (format.formatTag != kPcmFormatTag) return false;
  if (format.channels != 1 && format.channels != 2) return false;
  if (format.bitsPerSample != 8 && format.bitsPerSample != 16) return false;
  if (format.blockAlign != format.channels * (format.bitsPerSample / 8)) return false;
  return format.samplesPerSec >= 100 && format.samplesPerSec <= 200000;
}

}  // namespace platform
