#include "platform/audio/sound_buffer.h"

#include <utility>

namespace platform {

bool SoundBuffer::CanHold(const PcmFormat& format, std::size_t bytes) {
  return IsPlayablePcmFormat(format) && bytes >= kMinBytes && bytes <= kMaxBytes && bytes % format.blockAlign == 0;
}

std::unique_ptr<SoundBuffer> SoundBuffer::Create(std::shared_ptr<Mixer> mixer, const PcmFormat& format,
                                                 std::uint32_t bytes) {
  if (!mixer || !CanHold(format, bytes)) return nullptr;
  return Create(std::move(mixer), format, std::vector<std::uint8_t>(bytes, std::uint8_t{0}));
}

std::unique_ptr<SoundBuffer> SoundBuffer::Create(std::shared_ptr<Mixer> mixer, const PcmFormat& format,
                                                 std::vector<std::uint8_t> samples) {
  if (!mixer || !CanHold(format, samples.size())) return nullptr;
  Voice voice;
  voice.format = format;
  voice.frames = static_cast<std::uint32_t>(samples.size() / format.blockAlign);
  voice.data = std::make_shared<std::vector<std::uint8_t>>(std::move(samples));
  voice.step = (static_cast<std::uint64_t>(format.samplesPerSec) << 32) / kMixerRate;
  return std::unique_ptr<SoundBuffer>(new SoundBuffer(std::move(mixer), std::move(voice)));
}

SoundBuffer::SoundBuffer(std::shared_ptr<Mixer> mixer, Voice voice)
    : m_Mixer(std::move(mixer)), m_Voice(std::move(voice)) {
  m_Mixer->Add(&m_Voice);
}

SoundBuffer::~SoundBuffer() { m_Mixer->Remove(&m_Voice); }

std::uint32_t SoundBuffer::GetSize() const {
  return static_cast<std::uint32_t>(m_Voice.data->size());
}

bool SoundBuffer::Lock(std::uint32_t offset, std::uint32_t bytes, void** first, std::uint32_t* firstBytes,
                       void** second, std::uint32_t* secondBytes) {
  const std::uint32_t size = GetSize();
  if (first == nullptr || firstBytes == nullptr) return false;
  if (offset >= size || bytes == 0 || bytes > size) return false;
  const std::uint32_t head = std::min(bytes, size - offset);
  *first = m_Voice.data->data() + offset;
  *firstBytes = head;
  const std::uint32_t tail = bytes - head;
  if (second != nullptr) *second = tail > 0 ? m_Voice.data->data() : nullptr;
  if (secondBytes != nullptr) *secondBytes = tail;
  // A wrapping range needs somewhere to report its second part.
  return tail == 0 || (second != nullptr && secondBytes != nullptr);
}

bool SoundBuffer::Unlock() { return true; }

bool SoundBuffer::Play(bool looping) {
  std::lock_guard lock(m_Mixer->Lock());
  m_Voice.playing = true;
  m_Voice.looping = looping;
  return true;
}

bool SoundBuffer::Stop() {
  std::lock_guard lock(m_Mixer->Lock());
  m_Voice.playing = false;
  return true;
}

bool SoundBuffer::IsPlaying() const {
  std::lock_guard lock(m_Mixer->Lock());
  return m_Voice.playing;
}

std::uint32_t SoundBuffer::GetCurrentPosition() const {
  std::lock_guard lock(m_Mixer->Lock());
  return static_cast<std::uint32_t>(m_Voice.cursor >> 32) * m_Voice.format.blockAlign;
}

bool SoundBuffer::SetCurrentPosition(std::uint32_t offset) {
  if (offset >= GetSize()) return false;
  std::lock_guard lock(m_Mixer->Lock());
  m_Voice.cursor = static_cast<std::uint64_t>(offset / m_Voice.format.blockAlign) << 32;
  return true;
}

bool SoundBuffer::SetVolume(std::int32_t volume) {
  if (volume < kMinVolume || volume > kMaxVolume) return false;
  const float gain = GainFromAttenuation(volume);
  std::lock_guard lock(m_Mixer->Lock());
  m_Voice.volume = volume;
  m_Voice.gain = gain;
  return true;
}

std::int32_t SoundBuffer::GetVolume() const {
  std::lock_guard lock(m_Mixer->Lock());
  return m_Voice.volume;
}

std::unique_ptr<SoundBuffer> SoundBuffer::Duplicate() const {
  Voice copy;
  {
    std::lock_guard lock(m_Mixer->Lock());
    copy.format = m_Voice.format;
    copy.data = m_Voice.data;
    copy.frames = m_Voice.frames;
    copy.step = m_Voice.step;
    copy.volume = m_Voice.volume;
    copy.gain = m_Voice.gain;
  }
  return std::unique_ptr<SoundBuffer>(new SoundBuffer(m_Mixer, std::move(copy)));
}

bool SoundBuffer::SetNotificationPositions(std::vector<NotificationPosition> positions) {
  const std::uint32_t size = GetSize();
  for (const NotificationPosition& p : positions) {
    if (p.offset >= size || !p.event) return false;
  }
  std::lock_guard lock(m_Mixer->Lock());
  if (m_Voice.playing) return false;
  m_Voice.notifications = std::move(positions);
  return true;
}

}  // namespace platform
