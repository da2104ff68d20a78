#pragma once
// Decodes Ogg Vorbis to 16-bit little-endian PCM through libvorbisfile, whose
// input callbacks read through the framework's file reader, so a track can come
// from an entry of the data archive as well as from a loose file.

#include <vorbis/vorbisfile.h>

#include <cstdint>

#include "framework/file/file_reader.h"
#include "framework/sound/sound_reader.h"

namespace nsZarn::nsSound::nsISoundReader {

// The callbacks' view of the file: the reader and where the stream lies in it.
struct COggFile {
  nsFile::nsFileReader::IFileReader* reader = nullptr;
  std::int64_t base = 0;
  std::int64_t size = 0;

  bool Open(const char* fileName);

  static size_t ReadCallback(void* buffer, size_t size, size_t count, void* source);
  static int SeekCallback(void* source, ogg_int64_t offset, int whence);
  static int CloseCallback(void* source);
  static long TellCallback(void* source);
};

class COggReader : public CSoundReaderBase {
 public:
  // Takes ownership of the file reader; opens the file at once when the name is
  // not empty.
  COggReader(nsFile::nsFileReader::IFileReader* fileReader, const char* fileName);
  COggReader(const COggReader&) = delete;
  COggReader& operator=(const COggReader&) = delete;
  ~COggReader() override;

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
  // Closes the decoder and the file, writes the refusal line; false.
  bool Refuse(const char* line, const char* fileName);

  nsFile::nsFileReader::IFileReader* m_FileReader;
  COggFile m_File;
  OggVorbis_File m_Vorbis{};
  bool m_Decoding = false;  // m_Vorbis holds an open stream
  PcmFormat m_Format{};
  std::uint32_t m_Length = 0;
  bool m_End = false;
};

}  // namespace nsZarn::nsSound::nsISoundReader
