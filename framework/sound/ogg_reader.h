#pragma once
// Decodes Ogg Vorbis to 16-bit little-endian PCM through libvorbisfile, whose
// input callbacks read through the framework's file reader, so a track can come
// from an entry of the data archive as well as from a loose file.
//
// The decoding is metered as it is done. Opening a file is one load (its header
// walk, the library's opening, the links' check and the length measure), held to
// the load budget of platform/work/work_meter.h. Decoding earns 100 ms of CPU for
// every second of audio it delivers, with 100 ms in store (decode_budget.h): a
// file that costs more than ten times the costliest encoder's stops. A decode that stops so is over
// for good: the refusal line names the file ("Too Slow To Decode"), reads deliver
// nothing more and seeks fail, so music that stops mid-play stays stopped. A quit
// during a load stops the load's reads without ending the track.

#include <vorbis/vorbisfile.h>

#include <cstdint>
#include <string>

#include "framework/file/file_reader.h"
#include "framework/sound/decode_budget.h"
#include "framework/sound/sound_reader.h"
#include "platform/work/work_meter.h"

namespace nsZarn::nsSound::nsISoundReader {

// The callbacks' view of the file: the reader and where the stream lies in it.
struct COggFile {
  nsFile::nsFileReader::IFileReader* reader = nullptr;
  std::int64_t base = 0;
  std::int64_t size = 0;
  // Asked before every read: the decode's meter once the file is open, the load's
  // while it opens. A read it stops delivers nothing.
  platform::RateMeter* meter = nullptr;
  bool stopped = false;

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
  bool OpenMetered(const char* fileName);
  // Whether decoding may go on; the first time the meter finds it too slow the
  // refusal line is written and the decode is over.
  bool MayDecode();

  nsFile::nsFileReader::IFileReader* m_FileReader;
  COggFile m_File;
  OggVorbis_File m_Vorbis{};
  bool m_Decoding = false;  // m_Vorbis holds an open stream
  PcmFormat m_Format{};
  std::uint32_t m_Length = 0;
  bool m_End = false;
  std::string m_FileName;
  platform::RateMeter m_Meter{kDecodeStoreNs};
  bool m_TooSlow = false;
};

}  // namespace nsZarn::nsSound::nsISoundReader
