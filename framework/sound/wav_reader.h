#pragma once
// Reads RIFF WAVE files with PCM data: the "fmt " chunk first, then the chunks
// are scanned for "data" (odd sizes are padded to even), each skipped by its
// size. 8- and 16-bit data is delivered as stored, 24- and 32-bit data as 16-bit
// samples; lengths, positions and seeks count samples (frames) either way.

#include <cstdint>

#include "framework/file/file_reader.h"
#include "framework/sound/sound_reader.h"

namespace nsZarn::nsSound::nsISoundReader {

// The most chunks the scan passes before "data". Encoders write a handful (LIST,
// fact, bext, cue, smpl and the like); each costs the scan a seek and a read, so
// a file of millions of empty chunks is refused ("Too Many Chunks") before they
// cost the game seconds.
inline constexpr std::uint32_t kMaxWavChunksBeforeData = 1024;

class CWavReader : public CSoundReaderBase {
 public:
  // Takes ownership of the file reader; opens the file at once when the name is
  // not empty.
  CWavReader(nsFile::nsFileReader::IFileReader* fileReader, const char* fileName);
  CWavReader(const CWavReader&) = delete;
  CWavReader& operator=(const CWavReader&) = delete;
  ~CWavReader() override;

  bool Open(const char* fileName);

  void Release() override;
  bool IsOpen() const override;
  bool Read(void* buffer, std::uint32_t bytes, std::uint32_t* bytesRead) override;
  bool Seek(std::uint32_t sample) override;
  std::uint32_t Tell() override;
  bool IsEnd() const override;
  PcmFormat GetFormat() const override;
  std::uint32_t GetLength() const override;

 private:
  // Closes the file, writes the refusal line; false.
  bool Refuse(const char* fileName, const char* line = "Failed : CWavReader::Open Unknown Format\n");
  std::uint32_t ReadAsStored(void* buffer, std::uint32_t bytes);
  // Whole frames only, each sample cut to its upper 16 bits.
  std::uint32_t ReadConverted(void* buffer, std::uint32_t bytes);

  nsFile::nsFileReader::IFileReader* m_FileReader;
  std::int64_t m_DataPosition = 0;
  std::uint32_t m_DataSize = 0;
  std::uint32_t m_Remaining = 0;
  PcmFormat m_Format{};            // the format delivered
  std::uint16_t m_FileBlockAlign = 0;  // bytes of one frame in the file
};

}  // namespace nsZarn::nsSound::nsISoundReader
