#include "framework/sound/ogg_reader.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <vector>

#include "framework/sound/vorbis_header_walk.h"
#include "framework/sound/vorbis_links.h"
#include "platform/debug/debug_sink.h"

namespace nsZarn::nsSound::nsISoundReader {

bool COggFile::Open(const char* fileName) {
  if (reader == nullptr || !reader->fopen(fileName, "rb")) {
    platform::WriteDebugLine("Failed : COggFile::Open File Not Found\n");
    return false;
  }
  base = 0;
  size = reader->GetSize();
  stopped = false;
  return true;
}

size_t COggFile::ReadCallback(void* buffer, size_t size, size_t count, void* source) {
  auto* file = static_cast<COggFile*>(source);
  const platform::WorkVerdict verdict = file->meter != nullptr ? file->meter->Check() : platform::CheckLoadWork();
  if (verdict != platform::WorkVerdict::kGoOn) {
    file->stopped = true;
    return 0;
  }
  return file->reader->fread(buffer, 1, size * count);
}

int COggFile::SeekCallback(void* source, ogg_int64_t offset, int whence) {
  auto* file = static_cast<COggFile*>(source);
  bool ok = false;
  switch (whence) {
    case SEEK_SET:
      ok = file->reader->fseek(file->base + offset, SEEK_SET);
      break;
    case SEEK_CUR:
      ok = file->reader->fseek(offset, SEEK_CUR);
      break;
    case SEEK_END:
      ok = file->reader->fseek(file->base + file->size + offset, SEEK_SET);
      break;
    default:
      return -1;
  }
  return ok ? 0 : -1;
}

int COggFile::CloseCallback(void* source) {
  auto* file = static_cast<COggFile*>(source);
  file->reader->fclose();
  file->base = 0;
  file->size = 0;
  return 0;
}

long COggFile::TellCallback(void* source) {
  auto* file = static_cast<COggFile*>(source);
  return static_cast<long>(file->reader->ftell() - file->base);
}

COggReader::COggReader(nsFile::nsFileReader::IFileReader* fileReader, const char* fileName)
    : m_FileReader(fileReader) {
  m_File.reader = fileReader;
  if (fileName != nullptr && fileName[0] != '\0') Open(fileName);
}

COggReader::~COggReader() {
  if (m_Decoding) ov_clear(&m_Vorbis);  // closes the file through the close callback
  if (m_FileReader != nullptr) {
    if (m_FileReader->IsOpen()) m_FileReader->fclose();
    delete m_FileReader;
  }
}

void COggReader::Release() { delete this; }

namespace {

// Writes the line of a failed open: the meter's when it stopped the load, a quit
// only as a debug line (the game is ending, the file is not at fault).
void ReportOpenFailure(const char* line, const char* fileName) {
  switch (platform::CheckLoadWork()) {
    case platform::WorkVerdict::kGoOn:
      platform::WriteRefusalLine(line, fileName);
      break;
    case platform::WorkVerdict::kTooSlow:
      platform::WriteRefusalLine("Failed : COggReader::Open Too Slow To Decode\n", fileName);
      break;
    case platform::WorkVerdict::kQuit:
      platform::WriteDebugLine("Failed : COggReader::Open Quit While Loading\n");
      break;
  }
}

// The step a walk over the headers refused the file at.
const char* HeaderRefusalLine(VorbisHeaderCheck check) {
  switch (check) {
    case VorbisHeaderCheck::kReadable:
      break;
    case VorbisHeaderCheck::kUnreadable:
      return "Failed : COggReader::Open Headers Unreadable\n";
    case VorbisHeaderCheck::kTooManyLinks:
      return "Failed : COggReader::Open Too Many Links\n";
    case VorbisHeaderCheck::kCodebookTooLarge:
      return "Failed : COggReader::Open Codebook Too Large\n";
    case VorbisHeaderCheck::kTooManyCodebooks:
      return "Failed : COggReader::Open Too Many Codebooks\n";
    case VorbisHeaderCheck::kTooManyCodebookEntries:
      return "Failed : COggReader::Open Too Many Codebook Entries\n";
    case VorbisHeaderCheck::kSetupTooCostly:
      return "Failed : COggReader::Open Setup Too Costly\n";
    case VorbisHeaderCheck::kPositionsOutOfOrder:
      return "Failed : COggReader::Open Positions Out Of Order\n";
    case VorbisHeaderCheck::kPacketTooCostly:
      return "Failed : COggReader::Open Packet Too Costly\n";
    case VorbisHeaderCheck::kLinkTooShort:
      return "Failed : COggReader::Open Link Too Short\n";
    case VorbisHeaderCheck::kStopped:
      return "Failed : COggReader::Open Too Slow To Decode\n";  // or a quit: the meter tells
  }
  return nullptr;
}

}  // namespace

bool COggReader::Refuse(const char* line, const char* fileName) {
  ov_clear(&m_Vorbis);  // closes the file through the close callback
  m_Decoding = false;
  ReportOpenFailure(line, fileName);
  return false;
}

bool COggReader::Open(const char* fileName) {
  if (IsOpen()) {
    platform::WriteDebugLine("Failed : COggReader::Open Data Already Exists\n");
    return false;
  }
  platform::LoadMeter load;
  m_File.meter = nullptr;
  if (!OpenMetered(fileName)) return false;
  m_FileName = fileName;
  m_File.meter = &m_Meter;
  m_TooSlow = false;
  return true;
}

bool COggReader::OpenMetered(const char* fileName) {
  if (!m_File.Open(fileName)) {
    platform::WriteRefusalLine("Failed : COggReader::Open File Not Found\n", fileName);
    return false;
  }
  // The decoding library builds what the headers state as it reads them: they
  // are walked first, under bounds, and the file is refused unless they pass.
  std::vector<VorbisStreamEnd> ends;
  const char* refusal = HeaderRefusalLine(WalkVorbisHeaders(*m_FileReader, &ends));
  if (refusal == nullptr && !m_FileReader->fseek(0, SEEK_SET)) refusal = "Failed : COggReader::Open File Not Found\n";
  if (refusal != nullptr) {
    m_FileReader->fclose();
    ReportOpenFailure(refusal, fileName);
    return false;
  }
  const ov_callbacks callbacks = {&COggFile::ReadCallback, &COggFile::SeekCallback,
                                  &COggFile::CloseCallback, &COggFile::TellCallback};
  if (ov_open_callbacks(&m_File, &m_Vorbis, nullptr, 0, callbacks) < 0) {
    // A failed open leaves the source to us.
    m_FileReader->fclose();
    ReportOpenFailure("Failed : COggReader::Open File Not Found\n", fileName);
    return false;
  }
  m_Decoding = true;
  if (!ov_seekable(&m_Vorbis)) return Refuse("Failed : COggReader::Open Seek Disable\n", fileName);
  const std::vector<std::int64_t> lengths = VorbisLinkLengths(m_Vorbis, ends);
  switch (CheckVorbisLinks(m_Vorbis, lengths)) {
    case VorbisLinks::kPlayable:
      break;
    case VorbisLinks::kUndecodable:
      return Refuse("Failed : COggReader::Open File Not Found\n", fileName);
    case VorbisLinks::kUnplayableFormat:
      return Refuse("Failed : COggReader::Open Unknown Format\n", fileName);
    case VorbisLinks::kLinkTooShort:
      return Refuse("Failed : COggReader::Open Link Too Short\n", fileName);
  }
  const vorbis_info* info = ov_info(&m_Vorbis, -1);
  std::int64_t length = 0;
  switch (MeasureVorbisLength(m_Vorbis, lengths, length)) {
    case VorbisLength::kMeasured:
      break;
    case VorbisLength::kUnmeasurable:
    case VorbisLength::kStopped:  // the meter's line
      return Refuse("Failed : COggReader::Open File Not Found\n", fileName);
    case VorbisLength::kLongerThanStated:
      return Refuse("Failed : COggReader::Open Longer Than Stated\n", fileName);
  }
  if (info == nullptr) return Refuse("Failed : COggReader::Open File Not Found\n", fileName);
  m_Format = platform::MakePcmFormat(static_cast<std::uint16_t>(info->channels),
                                     static_cast<std::uint32_t>(info->rate), 16);
  m_Length = static_cast<std::uint32_t>(std::min<std::int64_t>(length, UINT32_MAX));
  m_End = false;
  LoopWholeTrack(m_Length);
  return true;
}

bool COggReader::MayDecode() {
  const platform::WorkVerdict verdict = m_Meter.Check();
  if (verdict == platform::WorkVerdict::kTooSlow && !m_TooSlow) {
    m_TooSlow = true;
    platform::WriteRefusalLine("Failed : COggReader::Read Too Slow To Decode\n", m_FileName);
  }
  return verdict == platform::WorkVerdict::kGoOn;
}

bool COggReader::IsOpen() const { return m_FileReader != nullptr && m_FileReader->IsOpen(); }

bool COggReader::Read(void* buffer, std::uint32_t bytes, std::uint32_t* bytesRead) {
  if (!IsOpen() || !m_Decoding) {
    platform::WriteDebugLine("Failed : COggReader::Read Not Open\n");
    return false;
  }
  if (bytesRead != nullptr) *bytesRead = 0;
  if (m_TooSlow) return false;
  auto* out = static_cast<char*>(buffer);
  std::uint32_t done = 0;
  m_Meter.Start();
  m_File.stopped = false;
  while (done < bytes && MayDecode()) {
    const int want = static_cast<int>(std::min<std::uint32_t>(bytes - done, INT_MAX));
    int bitstream = 0;
    const long got = ov_read(&m_Vorbis, out + done, want, 0, 2, 1, &bitstream);
    if (got <= 0) {  // the end of the stream, or damaged data, or the meter stopped the reads
      if (!m_File.stopped) m_End = true;
      break;
    }
    done += static_cast<std::uint32_t>(got);
    const std::uint64_t frames = static_cast<std::uint64_t>(got) / m_Format.blockAlign;
    m_Meter.Earn(frames * kDecodeNsPerSecondOfAudio / m_Format.samplesPerSec);
  }
  if (m_File.stopped) MayDecode();  // writes the refusal line when the reads were too slow
  if (bytesRead != nullptr) *bytesRead = done;
  return !m_TooSlow;
}

bool COggReader::Seek(std::uint32_t sample) {
  if (!IsOpen() || !m_Decoding) {
    platform::WriteDebugLine("Failed : COggReader::Seek Not Open\n");
    return false;
  }
  if (m_TooSlow) return false;
  m_Meter.Start();
  m_File.stopped = false;
  if (ov_pcm_seek(&m_Vorbis, sample) != 0) {
    if (!m_File.stopped || MayDecode()) platform::WriteDebugLine("Failed : COggReader::Seek Seek Disable\n");
    return false;
  }
  m_End = false;
  return true;
}

std::uint32_t COggReader::Tell() {
  if (!IsOpen() || !m_Decoding) {
    platform::WriteDebugLine("Failed : COggReader::Tell Not Open\n");
    return 0;
  }
  const ogg_int64_t position = ov_pcm_tell(&m_Vorbis);
  return position < 0 ? 0 : static_cast<std::uint32_t>(std::min<ogg_int64_t>(position, UINT32_MAX));
}

bool COggReader::IsEnd() const { return m_End || m_TooSlow; }
PcmFormat COggReader::GetFormat() const { return m_Format; }
std::uint32_t COggReader::GetLength() const { return m_Length; }

}  // namespace nsZarn::nsSound::nsISoundReader
