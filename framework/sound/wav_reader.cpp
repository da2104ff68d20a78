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

bool CWavReader::Refuse() {
  m_FileReader->fclose();
  platform::WriteDebugLine("Failed : CWavReader::Open Unknown Format\n");
  return false;
}

bool CWavReader::Open(const char* fileName) {
  if (IsOpen()) {
    platform::WriteDebugLine("Failed : CWavReader::Open Data Already Exists\n");
    return false;
  }
  if (m_FileReader == nullptr || !m_FileReader->fopen(fileName, "rb")) {
    platform::WriteDebugLine("Failed : CWavReader::Open File Not Found\n");
    return false;
  }

  std::uint8_t header[20];
  if (!ReadExactly(m_FileReader, header, sizeof header)) return Refuse();
  if (std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0 ||
      std::memcmp(header + 12, "fmt ", 4) != 0) {
    return Refuse();
  }
  const std::uint32_t riffSize = U32(header + 4);
  const std::uint32_t formatSize = U32(header + 16);

  std::uint8_t fmt[16];
  if (formatSize < sizeof fmt || !ReadExactly(m_FileReader, fmt, sizeof fmt)) return Refuse();
  PcmFormat format;
  format.formatTag = U16(fmt);
  format.channels = U16(fmt + 2);
  format.samplesPerSec = U32(fmt + 4);
  format.avgBytesPerSec = U32(fmt + 8);
  format.blockAlign = U16(fmt + 12);
  format.bitsPerSample = U16(fmt + 14);
  if (format.formatTag != platform::kPcmFormatTag) return Refuse();
  // A format without channels, frames or a rate cannot be measured or played.
  if (format.channels == 0 || format.blockAlign == 0 || format.samplesPerSec == 0) return Refuse();

  // 64-bit positions: a huge chunk size must end the scan, not wrap it round.
  const std::int64_t fileSize = m_FileReader->GetSize();
  const std::int64_t scanEnd = static_cast<std::int64_t>(riffSize) + 8;
  std::int64_t position = 20 + static_cast<std::int64_t>(formatSize);
  bool found = false;
  std::uint32_t chunkSize = 0;
  while (position < scanEnd) {
    std::uint8_t chunk[8];
    if (!m_FileReader->fseek(position, SEEK_SET) || !ReadExactly(m_FileReader, chunk, sizeof chunk)) break;
    chunkSize = U32(chunk + 4);
    if (std::memcmp(chunk, "data", 4) == 0) {
      found = true;
      break;
    }
    position += 8 + static_cast<std::int64_t>(chunkSize) + (chunkSize & 1u);
  }
  if (!found) return Refuse();

  m_Format = format;
  m_DataPosition = position + 8;
  // The size the chunk claims, but no more than the file holds.
  const std::int64_t available = std::max<std::int64_t>(0, fileSize - m_DataPosition);
  m_DataSize = static_cast<std::uint32_t>(std::min<std::int64_t>(chunkSize, available));
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
  const std::uint32_t wanted = std::min(bytes, m_Remaining);
  const auto got = static_cast<std::uint32_t>(m_FileReader->fread(buffer, 1, wanted));
  m_Remaining -= got;
  if (bytesRead != nullptr) *bytesRead = got;
  return true;
}

bool CWavReader::Seek(std::uint32_t sample) {
  if (!IsOpen()) {
    platform::WriteDebugLine("Failed : CWavReader::Seek Not Open\n");
    return false;
  }
  const std::uint64_t bytes = static_cast<std::uint64_t>(sample) * m_Format.blockAlign;
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
  if (m_Format.blockAlign == 0) return 0;
  return (m_DataSize - m_Remaining) / m_Format.blockAlign;
}

bool CWavReader::IsEnd() const { return IsOpen() && m_Remaining == 0; }
PcmFormat CWavReader::GetFormat() const { return m_Format; }

std::uint32_t CWavReader::GetLength() const {
  return m_Format.blockAlign == 0 ? 0 : m_DataSize / m_Format.blockAlign;
}


}  // namespace nsZarn::nsSound::nsISoundReader
