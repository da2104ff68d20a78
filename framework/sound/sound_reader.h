#pragma once
// The source of a sound's samples: a decoder that delivers PCM bytes from a file
// opened through a file reader (a loose file or an entry of the data archive),
// and that carries the loop points the streamed music honours.

#include <cstdint>

#include "platform/audio/pcm_format.h"

namespace nsZarn::nsSound::nsISoundReader {

using PcmFormat = platform::PcmFormat;

class ISoundReader {
 public:
  virtual ~ISoundReader() = default;

  // Deletes the reader.
  virtual void Release() = 0;
  virtual bool IsOpen() const = 0;
  // Reads up to `bytes` bytes of PCM data; `bytesRead` (when given) receives how
  // many were delivered. False only when the reader cannot read at all.
  virtual bool Read(void* buffer, std::uint32_t bytes, std::uint32_t* bytesRead) = 0;
  // Moves to a sample (frame) index.
  virtual bool Seek(std::uint32_t sample) = 0;
  // The current sample index.
  virtual std::uint32_t Tell() = 0;
  virtual bool IsEnd() const = 0;
  virtual PcmFormat GetFormat() const = 0;
  // The length in samples.
  virtual std::uint32_t GetLength() const = 0;
  virtual std::uint32_t GetLoopStart() const = 0;
  virtual std::uint32_t GetLoopEnd() const = 0;
  // Remaining repetitions of the loop section: 0 none, negative endless.
  virtual std::int32_t GetLoopCount() const = 0;
  virtual void SetLoopStart(std::uint32_t sample) = 0;
  virtual void SetLoopEnd(std::uint32_t sample) = 0;
  virtual void SetLoopCount(std::int32_t count) = 0;
};

// What every reader shares: the loop points, which a reader sets to the whole
// track (start 0, end at its length, no repetition) when it opens a file.
class CSoundReaderBase : public ISoundReader {
 public:
  std::uint32_t GetLoopStart() const override { return m_LoopStart; }
  std::uint32_t GetLoopEnd() const override { return m_LoopEnd; }
  std::int32_t GetLoopCount() const override { return m_LoopCount; }
  void SetLoopStart(std::uint32_t sample) override { m_LoopStart = sample; }
  void SetLoopEnd(std::uint32_t sample) override { m_LoopEnd = sample; }
  void SetLoopCount(std::int32_t count) override { m_LoopCount = count; }

 protected:
  void LoopWholeTrack(std::uint32_t length) {
    m_LoopStart = 0;
    m_LoopEnd = length;
    m_LoopCount = 0;
  }

 private:
  std::uint32_t m_LoopStart = 0;
  std::uint32_t m_LoopEnd = 0;
  std::int32_t m_LoopCount = 0;
};

}  // namespace nsZarn::nsSound::nsISoundReader
