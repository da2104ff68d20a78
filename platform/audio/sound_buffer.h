#pragma once
// A sound buffer on the mixer: PCM bytes that play once or looping, with a play
// cursor that Stop leaves where it is, a volume in hundredths of a decibel,
// duplicates that share the bytes, and position notifications.
//
// Every operation may be called from any thread; the mixer's lock guards the
// playback state. Bytes handed out by Lock are written without that lock, so a
// writer keeps to the part of the buffer that is not playing.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio/mixer.h"
#include "platform/audio/pcm_format.h"

namespace platform {

class SoundBuffer {
 public:
  static constexpr std::int32_t kMinVolume = -10000;  // silence
  static constexpr std::int32_t kMaxVolume = 0;       // full
  static constexpr std::uint32_t kMinBytes = 4;
  static constexpr std::uint32_t kMaxBytes = 0x0FFFFFFF;

  // Whether a buffer of the format can hold that many bytes: a playable format, a
  // size in range and a whole number of frames.
  static bool CanHold(const PcmFormat& format, std::size_t bytes);

  // A zeroed buffer of `bytes` bytes; null when the format is not playable or
  // the size is out of range or not a whole number of frames.
  static std::unique_ptr<SoundBuffer> Create(std::shared_ptr<Mixer> mixer, const PcmFormat& format,
                                             std::uint32_t bytes);
  // A buffer of the given samples, taken over as they are; null on the same terms.
  static std::unique_ptr<SoundBuffer> Create(std::shared_ptr<Mixer> mixer, const PcmFormat& format,
                                             std::vector<std::uint8_t> samples);

  SoundBuffer(const SoundBuffer&) = delete;
  SoundBuffer& operator=(const SoundBuffer&) = delete;
  ~SoundBuffer();

  const PcmFormat& GetFormat() const { return m_Voice.format; }
  std::uint32_t GetSize() const;

  // Hands out `bytes` bytes from `offset` as one or two regions (the second one
  // from the start of the buffer when the range wraps). False for an offset
  // outside the buffer or more bytes than it holds.
  bool Lock(std::uint32_t offset, std::uint32_t bytes, void** first, std::uint32_t* firstBytes,
            void** second, std::uint32_t* secondBytes);
  bool Unlock();

  // Starts playing from the current position. A looping buffer wraps at its
  // end; another stops there by itself.
  bool Play(bool looping);
  // Stops without moving the play position.
  bool Stop();
  bool IsPlaying() const;

  // Play position in bytes (a whole frame).
  std::uint32_t GetCurrentPosition() const;
  bool SetCurrentPosition(std::uint32_t offset);

  // Attenuation in hundredths of a decibel, kMinVolume..kMaxVolume; other values
  // are refused.
  bool SetVolume(std::int32_t volume);
  std::int32_t GetVolume() const;

  // A buffer that shares this one's bytes, with its format and volume; stopped
  // at position 0 and independent from then on.
  std::unique_ptr<SoundBuffer> Duplicate() const;

  // Signals each event when playback passes its offset. Only while stopped;
  // offsets must lie inside the buffer.
  bool SetNotificationPositions(std::vector<NotificationPosition> positions);

 private:
  SoundBuffer(std::shared_ptr<Mixer> mixer, Voice voice);

  std::shared_ptr<Mixer> m_Mixer;
  Voice m_Voice;
};

}  // namespace platform
