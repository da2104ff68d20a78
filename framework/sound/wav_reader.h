#pragma once
// Reads RIFF WAVE files with PCM data: the "fmt " chunk first, then the chunks
// are scanned for "data" (odd sizes are padded to even).

#include <cstdint>

#include "framework/file/file_reader.h"
#include "framework/sound/sound_reader.h"

namespace nsZarn::nsSound::nsISoundReader {

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
  bool Refuse();

  nsFile::nsFileReader::IFileReader* m_FileReader;
  std::int64_t m_DataPosition = 0;
  std::uint32_t m_DataSize = 0;
  std::uint32_t m_Remaining = 0;
  PcmFormat m_Format{};
};

}  // namespace nsZarn::nsSound::nsISoundReader
