#include "framework/sound/wav_reader.h"

#include <algorithm>
#include <cstring>

#include "platform/debug/debug_sink.h"

namespace nsZarn::nsSound::nsISoundReader {
namespace {

std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t U16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

bool ReadExactly(nsFile::nsFileReader::IFileReader* file, void* buffer, std::size_t bytes) {
  return file->fread(buffer, 1, bytes) == bytes;
}

}  // namespace

CWavReader::CWavReader(nsFile::nsFileReader::IFileReader* fileReader, const char* fileName)
    : m_FileReader(fileReader) {
  if (fileName != nullptr && fileName[0] != '\0') Open(fileName);
}

CWavReader::~CWavReader() {
  if (m_FileReader != nullptr) {
    if (m_FileReader->IsOpen()) m_FileReader->fclose();
    delete m_FileReader;
  }
}

void CWavReader::Release() { delete this; }

bool CWavReader::Refuse(const char* fileName, const char* line) {
  m_FileReader->fclose();
  platform::WriteRefusalLine(line, fileName);
  return false;
}

bool CWavReader::Open(const char* fileName) {
  if (IsOpen()) {
    platform::WriteDebugLine("Failed : CWavReader::Open Data Already Exists\n");
    return false;
  }
  if (m_FileReader == nullptr || !m_FileReader->fopen(fileName, "rb")) {
    platform::WriteRefusalLine("Failed : CWavReader::Open File Not Found\n", fileName);
    return false;
  }

  std::uint8_t header[20];
  if (!ReadExactly(m_FileReader, header, sizeof header)) return Refuse(fileName);
  if (std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0 ||
      std::memcmp(header + 12, "fmt ", 4) != 0) {
    return Refuse(fileName);
  }
  const std::uint32_t riffSize = U32(header + 4);
  const std::uint32_t formatSize = U32(header + 16);

  std::uint8_t fmt[16];
  if (formatSize < sizeof fmt || !ReadExactly(m_FileReader, fmt, sizeof fmt)) return Refuse(fileName);
  PcmFormat format;
  format.formatTag = U16(fmt);
  format.channels = U16(fmt + 2);
  format.samplesPerSec = U32(fmt + 4);
  format.avgBytesPerSec = U32(fmt + 8);
  format.blockAlign = U16(fmt + 12);
  format.bitsPerSample = U16(fmt + 14);
  if (format.formatTag != platform::kPcmFormatTag) return Refuse(fileName);
  // 24- and 32-bit samples play as their upper 16 bits; the mixer's own formats as
  // they are. What the mixer could not play is refused here, not at the sound.
  const bool wide = format.bitsPerSample == 24 || format.bitsPerSample == 32;
  const platform::PcmFormat played =
      wide ? platform::MakePcmFormat(format.channels, format.samplesPerSec, 16) : format;
  if (!platform::IsPlayablePcmFormat(played)) return Refuse(fileName);
  if (wide && format.blockAlign != format.channels * (format.bitsPerSample / 8)) return Refuse(fileName);

  // 64-bit positions: a huge chunk size must end the scan, not wrap it round.
  const std::int64_t fileSize = m_FileReader->GetSize();
  const std::int64_t scanEnd = static_cast<std::int64_t>(riffSize) + 8;
  std::int64_t position = 20 + static_cast<std::int64_t>(formatSize);
  bool found = false;
  std::uint32_t chunkSize = 0;
  std::uint32_t skipped = 0;
  while (position < scanEnd) {
    std::uint8_t chunk[8];
    if (!m_FileReader->fseek(position, SEEK_SET) || !ReadExactly(m_FileReader, chunk, sizeof chunk)) break;
    chunkSize = U32(chunk + 4);
    if (std::memcmp(chunk, "data", 4) == 0) {
      found = true;
      break;
    }
    if (++skipped > kMaxWavChunksBeforeData) return Refuse(fileName, "Failed : CWavReader::Open Too Many Chunks\n");
    position += 8 + static_cast<std::int64_t>(chunkSize) + (chunkSize & 1u);
  }
  if (!found) return Refuse(fileName);

  m_Format = played;
  m_FileBlockAlign = format.blockAlign;
  m_DataPosition = position + 8;
  // The size the chunk claims, but no more than the file holds; converted samples
  // are read in whole frames.
  const std::int64_t available = std::max<std::int64_t>(0, fileSize - m_DataPosition);
  m_DataSize = static_cast<std::uint32_t>(std::min<std::int64_t>(chunkSize, available));
  if (wide) m_DataSize -= m_DataSize % m_FileBlockAlign;
  m_Remaining = m_DataSize;
  LoopWholeTrack(GetLength());
  return true;
}

bool CWavReader::IsOpen() const { return m_FileReader != nullptr && m_FileReader->IsOpen(); }

bool CWavReader::Read(void* buffer, std::uint32_t bytes, std::uint32_t* bytesRead) {
  if (!IsOpen()) {
    platform::WriteDebugLine("Failed : CWavReader::Read Not Open\n");
    return false;
  }
  const std::uint32_t got =
      m_FileBlockAlign == m_Format.blockAlign ? ReadAsStored(buffer, bytes) : ReadConverted(buffer, bytes);
  if (bytesRead != nullptr) *bytesRead = got;
  return true;
}

std::uint32_t CWavReader::ReadAsStored(void* buffer, std::uint32_t bytes) {
  const std::uint32_t wanted = std::min(bytes, m_Remaining);
  const auto got = static_cast<std::uint32_t>(m_FileReader->fread(buffer, 1, wanted));
  m_Remaining -= got;
  return got;
}

std::uint32_t CWavReader::ReadConverted(void* buffer, std::uint32_t bytes) {
  const std::uint32_t sampleBytes = m_FileBlockAlign / m_Format.channels;
  auto* out = static_cast<std::uint8_t*>(buffer);
  std::uint32_t delivered = 0;
  std::uint8_t stored[4096];
  const std::uint32_t framesPerPass = static_cast<std::uint32_t>(sizeof stored) / m_FileBlockAlign;
  for (;;) {
    const std::uint32_t frames = std::min({(bytes - delivered) / m_Format.blockAlign,
                                           m_Remaining / m_FileBlockAlign, framesPerPass});
    if (frames == 0) break;
    const auto got = static_cast<std::uint32_t>(m_FileReader->fread(stored, 1, frames * m_FileBlockAlign));
    const std::uint32_t samples = got / m_FileBlockAlign * m_Format.channels;
    // Little-endian samples: the upper two bytes are the last two.
    for (std::uint32_t i = 0; i < samples; ++i) {
      out[delivered + 2 * i] = stored[i * sampleBytes + sampleBytes - 2];
      out[delivered + 2 * i + 1] = stored[i * sampleBytes + sampleBytes - 1];
    }
    m_Remaining -= got;
    delivered += samples * 2;
    if (got < frames * m_FileBlockAlign) break;
  }
  return delivered;
}

bool CWavReader::Seek(std::uint32_t sample) {
  if (!IsOpen()) {
    platform::WriteDebugLine("Failed : CWavReader::Seek Not Open\n");
    return false;
  }
  const std::uint64_t bytes = static_cast<std::uint64_t>(sample) * m_FileBlockAlign;
  if (bytes > m_DataSize) {
    platform::WriteDebugLine("Failed : CWavReader::Seek Sample Too Large\n");
    return false;
  }
  if (!m_FileReader->fseek(m_DataPosition + static_cast<std::int64_t>(bytes), SEEK_SET)) {
    platform::WriteDebugLine("Failed : CWavReader::Seek Failed\n");
    return false;
  }
  m_Remaining = m_DataSize - static_cast<std::uint32_t>(bytes);
  return true;
}

std::uint32_t CWavReader::Tell() {
  if (m_FileBlockAlign == 0) return 0;
  return (m_DataSize - m_Remaining) / m_FileBlockAlign;
}

bool CWavReader::IsEnd() const { return IsOpen() && m_Remaining == 0; }
PcmFormat CWavReader::GetFormat() const { return m_Format; }

std::uint32_t CWavReader::GetLength() const {
  return m_FileBlockAlign == 0 ? 0 : m_DataSize / m_FileBlockAlign;
}

}  // namespace nsZarn::nsSound::nsISoundReader
