#include "framework/sound/sound_se.h"

#include <algorithm>
#include <new>
#include <vector>

#include "framework/sound/decode_budget.h"
#include "platform/debug/debug_sink.h"
#include "platform/work/work_meter.h"

namespace nsZarn::nsSound::nsISound {

namespace {

enum class SamplesRead { kRead, kUnreadable, kOutOfMemory };

// Reads the samples decoding delivers, whole frames of no more than `limit` bytes
// (the stated length): a file that states more than it holds gets a buffer of what
// it holds. The limit is reserved but not touched, so it costs memory only as far
// as the samples fill it; an honest file's samples fill it exactly.
SamplesRead ReadSamples(ISoundReader& reader, std::uint64_t limit, std::uint16_t blockAlign,
                        std::vector<std::uint8_t>& samples) {
  constexpr std::uint32_t kPiece = 1u << 16;
  try {
    samples.reserve(static_cast<std::size_t>(limit));
    while (samples.size() < limit) {
      const auto piece = static_cast<std::uint32_t>(std::min<std::uint64_t>(kPiece, limit - samples.size()));
      const std::size_t at = samples.size();
      samples.resize(at + piece);
      std::uint32_t got = 0;
      if (!reader.Read(samples.data() + at, piece, &got)) return SamplesRead::kUnreadable;
      samples.resize(at + std::min(got, piece));
      if (got < piece) break;
    }
    samples.resize(samples.size() - samples.size() % blockAlign);
    if (samples.size() < limit) samples.shrink_to_fit();
  } catch (const std::bad_alloc&) {
    return SamplesRead::kOutOfMemory;
  }
  return SamplesRead::kRead;
}

// The bytes of whole frames one frame more than a buffer holds: a sound that
// delivers them is too long for one.
std::uint64_t OneFrameMoreThanABuffer(std::uint16_t blockAlign) {
  constexpr std::uint64_t kMax = platform::SoundBuffer::kMaxBytes;
  return kMax - kMax % blockAlign + blockAlign;
}

}  // namespace

CSoundSE::CSoundSE(ZarnSound* sound, ISoundReader* reader) : m_Sound(sound) {
  if (reader != nullptr) Load(reader);
}

CSoundSE::~CSoundSE() { Unload(); }

void CSoundSE::Release() { delete this; }

void CSoundSE::Unload() {
  if (IsPlaying()) Stop();
  m_Buffers.clear();
  if (m_Reader != nullptr) {
    m_Reader->Release();
    m_Reader = nullptr;
  }
}

bool CSoundSE::Load(ISoundReader* reader) {
  if (reader == nullptr) {
    Unload();
    return true;
  }
  if (reader == m_Reader) return true;  // already ours
  if (!reader->IsOpen()) {
    m_FileAtFault = true;
    platform::WriteDebugLine(
        "Failed : CSoundSE::SetReader() 指定されたサウンドデータ読み込みクラスはオープン中ではありません！");
    reader->Release();  // the sound owns what it was handed, refused or not
    return false;
  }
  Unload();

  const platform::PcmFormat format = reader->GetFormat();
  const std::uint64_t stated = static_cast<std::uint64_t>(reader->GetLength()) * format.blockAlign;
  platform::AudioDevice* device = m_Sound != nullptr ? m_Sound->GetDevice() : nullptr;
  std::unique_ptr<platform::SoundBuffer> buffer;
  const char* failure = nullptr;
  m_FileAtFault = false;
  std::vector<std::uint8_t> samples;
  if (device == nullptr || format.blockAlign == 0) {
    failure = "Failed : CSoundSE::Load CreateSoundBuffer\n";
  } else {
    const std::uint64_t limit = std::min(stated, OneFrameMoreThanABuffer(format.blockAlign));
    // Decoding the whole sound is one load, of the rate over its stated length: a
    // reader that finds it too slow fails its read; a quit during it cuts the
    // samples short, and the load is given up.
    platform::LoadMeter load(WholeDecodeBudgetNs(format, reader->GetLength()));
    const SamplesRead read = ReadSamples(*reader, limit, format.blockAlign, samples);
    if (platform::CheckLoadWork() == platform::WorkVerdict::kQuit) {
      failure = "Failed : CSoundSE::Load Quit While Loading\n";
    } else if (read != SamplesRead::kRead) {
      failure = "Failed : CSoundSE::Load Read\n";
      m_FileAtFault = read == SamplesRead::kUnreadable;
    } else {
      // Samples too few or too many for a buffer are the file's: it would deliver
      // them again at every try.
      m_FileAtFault = !platform::SoundBuffer::CanHold(format, samples.size());
      buffer = device->CreateSoundBuffer(format, std::move(samples));
      if (!buffer) failure = "Failed : CSoundSE::Load CreateSoundBuffer\n";
    }
  }
  if (failure != nullptr) {
    platform::WriteDebugLine(failure);
    reader->Release();
    return false;
  }
  m_Buffers.push_back(std::move(buffer));
  m_Reader = reader;
  return true;
}

bool CSoundSE::Play(bool loop) {
  if (m_Buffers.empty()) {
    platform::WriteDebugLine("Failed : CSoundSE::Play Buffer Not Found\n");
    return false;
  }
  platform::SoundBuffer* voice = nullptr;
  for (const auto& buffer : m_Buffers) {
    if (!buffer->IsPlaying()) {
      voice = buffer.get();
      break;
    }
  }
  if (voice == nullptr) {
    auto duplicate = m_Buffers.front()->Duplicate();
    if (!duplicate) {
      platform::WriteDebugLine("Failed : CSoundSE::Play\n");
      return false;
    }
    voice = duplicate.get();
    m_Buffers.push_back(std::move(duplicate));
  }
  if (!voice->SetCurrentPosition(0) || !voice->Play(loop)) {
    platform::WriteDebugLine("Failed : CSoundSE::Play\n");
    return false;
  }
  return true;
}

bool CSoundSE::IsPlaying() {
  return std::any_of(m_Buffers.begin(), m_Buffers.end(), [](const auto& b) { return b->IsPlaying(); });
}

bool CSoundSE::Stop() {
  if (m_Buffers.empty()) {
    platform::WriteDebugLine("Failed : CSoundSE::Stop Buffer Not Found\n");
    return false;
  }
  bool ok = true;
  for (const auto& buffer : m_Buffers) ok = buffer->Stop() && ok;
  if (!ok) platform::WriteDebugLine("Failed : CSoundSE::Stop\n");
  return ok;
}

std::int32_t CSoundSE::GetVolume() {
  if (m_Buffers.empty()) {
    platform::WriteDebugLine("Failed : CSoundSE::GetVolume Buffer Not Found\n");
    return kSilentVolume;
  }
  return m_Buffers.front()->GetVolume();
}

void CSoundSE::SetVolume(std::int32_t volume) {
  if (m_Buffers.empty()) {
    platform::WriteDebugLine("Failed : CSoundSE::SetVolume Buffer Not Found\n");
    return;
  }
  if (volume < kSilentVolume || volume > kFullVolume) {
    platform::WriteDebugLine("Failed : CSoundSE::SetVolume Volume Out of Range\n");
    volume = std::clamp(volume, kSilentVolume, kFullVolume);
  }
  for (const auto& buffer : m_Buffers) buffer->SetVolume(volume);
}

const ISoundReader* CSoundSE::GetReader() const { return m_Reader; }
bool CSoundSE::IsFileAtFault() const { return m_FileAtFault; }
ISoundReader* CSoundSE::GetReader() { return m_Reader; }

}  // namespace nsZarn::nsSound::nsISound
