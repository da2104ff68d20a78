#include "framework/sound/sound_bgm.h"

#include <algorithm>
#include <cstring>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/debug/debug_sink.h"
#include "platform/work/work_meter.h"

namespace nsZarn::nsSound::nsISound {
namespace {

std::uint32_t ToBytes(std::uint32_t samples, std::uint16_t blockAlign) {
  const std::uint64_t bytes = static_cast<std::uint64_t>(samples) * blockAlign;
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(bytes, UINT32_MAX / blockAlign * blockAlign));
}

}  // namespace

CSoundBGM::CSoundBGM(ZarnSound* sound, ISoundReader* reader) : m_Sound(sound) {
  if (reader != nullptr) Load(reader);
}

CSoundBGM::~CSoundBGM() {
  std::unique_lock lock(m_Lock);
  Unload(lock);
}

void CSoundBGM::Release() { delete this; }

std::uint32_t CSoundBGM::BlockBytesFor(const platform::PcmFormat& format) {
  const std::uint32_t align = format.blockAlign;
  if (align == 0) return 0;
  const std::uint64_t raw = static_cast<std::uint64_t>(align) * format.samplesPerSec * 3 / 16;
  const std::uint64_t rounded = (raw + align - 1) / align * align;
  return rounded > platform::SoundBuffer::kMaxBytes / kBlockCount ? 0 : static_cast<std::uint32_t>(rounded);
}

void CSoundBGM::Unload(std::unique_lock<std::mutex>& lock) {
  if (m_Buffer && m_Buffer->IsPlaying()) m_Buffer->Stop();
  if (m_Thread.joinable()) {
    // The thread may be waiting for this lock: let it in to see the quit flag.
    m_Quit = true;
    m_QuitEvent->Set();
    std::thread thread = std::move(m_Thread);
    lock.unlock();
    thread.join();
    lock.lock();
  }
  m_Buffer.reset();
  if (m_Reader != nullptr) {
    m_Reader->Release();
    m_Reader = nullptr;
  }
  m_NotifyEvent.reset();
  m_QuitEvent.reset();
  m_BufferBytes = 0;
  m_BlockBytes = 0;
}

bool CSoundBGM::Load(ISoundReader* reader) {
  if (reader != nullptr && !reader->IsOpen()) {
    platform::WriteDebugLine(
        "Failed : CSoundBGM::SetReader() 指定されたサウンドデータ読み込みクラスはオープン中ではありません！");
    if (reader != m_Reader) reader->Release();  // the sound owns what it was handed, refused or not
    return false;
  }
  std::unique_lock lock(m_Lock);
  if (reader != nullptr && reader == m_Reader) m_Reader = nullptr;  // handed back: keep it alive
  Unload(lock);
  if (reader == nullptr) return true;

  const platform::PcmFormat format = reader->GetFormat();
  const std::uint32_t blockBytes = BlockBytesFor(format);
  const std::uint32_t bufferBytes = blockBytes * kBlockCount;
  platform::AudioDevice* device = m_Sound != nullptr ? m_Sound->GetDevice() : nullptr;
  std::unique_ptr<platform::SoundBuffer> buffer;
  if (device != nullptr && blockBytes != 0) buffer = device->CreateSoundBuffer(format, bufferBytes);
  if (!buffer) {
    platform::WriteDebugLine("Failed : CSoundBGM::Load CreateSoundBuffer\n");
    reader->Release();
    return false;
  }

  // A notification at the end of each block; the last a byte before the end.
  auto notify = std::make_shared<platform::AutoResetEvent>();
  auto quit = std::make_shared<platform::AutoResetEvent>();
  std::vector<platform::NotificationPosition> positions;
  for (std::uint32_t block = 1; block < kBlockCount; ++block) positions.push_back({blockBytes * block, notify});
  positions.push_back({bufferBytes - 1, notify});
  if (!buffer->SetNotificationPositions(std::move(positions))) {
    platform::WriteDebugLine("Failed : CSoundBGM::Load SetNotificationPositions\n");
    reader->Release();
    return false;
  }

  m_Quit = false;
  try {
    m_Thread = std::thread(&CSoundBGM::StreamingThread, this, notify, quit);
  } catch (const std::system_error&) {
    platform::WriteDebugLine("Failed : CSoundBGM::Load _beginthread\n");
    reader->Release();
    return false;
  }

  m_Buffer = std::move(buffer);
  m_Reader = reader;
  m_NotifyEvent = std::move(notify);
  m_QuitEvent = std::move(quit);
  m_Format = format;
  m_BlockBytes = blockBytes;
  m_BufferBytes = bufferBytes;
  m_WriteOffset = 0;
  m_ReadPosition = 0;
  m_FilledBlocks = 0;
  m_PlayingBlock = 0;
  return true;
}

bool CSoundBGM::Play(bool loop) {
  std::lock_guard lock(m_Lock);
  if (!m_Buffer) {
    platform::WriteDebugLine("Failed : CSoundBGM::Play Buffer Not Found\n");
    return false;
  }
  m_Buffer->Stop();
  m_Reader->Seek(0);
  m_Buffer->SetCurrentPosition(0);
  m_WriteOffset = 0;
  m_ReadPosition = 0;
  const std::uint16_t align = m_Format.blockAlign;
  m_LoopStart = ToBytes(m_Reader->GetLoopStart(), align);
  m_LoopEnd = ToBytes(m_Reader->GetLoopEnd(), align);
  m_End = ToBytes(m_Reader->GetLength(), align);
  m_Reader->SetLoopCount(loop ? -1 : 0);
  m_LoopCount = m_Reader->GetLoopCount();
  m_FilledBlocks = 0;
  // A notification from before this Play must not count against the new blocks.
  m_NotifyEvent->Reset();
  m_PlayingBlock = 0;
  {
    // The first fill is one load of the main thread; the streaming thread's fills
    // are held to the decoder's own rate.
    platform::LoadMeter load;
    for (std::int32_t i = 0; i < kBlocksAhead; ++i) FillBlock();
  }
  if (!m_Buffer->Play(true)) {
    platform::WriteDebugLine("Failed : CSoundBGM::Play\n");
    return false;
  }
  return true;
}

bool CSoundBGM::FillBlock() {
  void* region = nullptr;
  std::uint32_t regionBytes = 0;
  if (!m_Buffer->Lock(m_WriteOffset, m_BlockBytes, &region, &regionBytes, nullptr, nullptr)) {
    platform::WriteDebugLine("Failed : CSoundBGM::FillBlock Lock\n");
    return false;
  }
  auto* block = static_cast<std::uint8_t*>(region);
  std::uint32_t done = 0;
  while (done < m_BlockBytes) {
    if (m_LoopCount != 0 && (m_ReadPosition == m_LoopEnd || m_Reader->IsEnd())) {
      if (m_LoopStart < m_LoopEnd) {
        if (!m_Reader->Seek(m_LoopStart / m_Format.blockAlign)) break;
        m_ReadPosition = m_LoopStart;
        if (m_LoopCount > 0) --m_LoopCount;
      } else if (m_LoopCount > 0) {
        m_LoopCount = 0;  // an empty section: the remaining repeats are dropped
      } else {
        break;  // an endless empty section: nothing more to play
      }
    }
    const std::uint32_t limit = m_LoopCount != 0 ? m_LoopEnd : m_End;
    const std::uint32_t n = std::min(limit > m_ReadPosition ? limit - m_ReadPosition : 0, m_BlockBytes - done);
    if (n == 0) break;
    if (m_LoopCount == 0 && m_Reader->IsEnd()) break;
    std::uint32_t got = 0;
    if (!m_Reader->Read(block + done, n, &got)) break;
    if (got == 0) break;  // data that ends early must not keep this loop turning
    m_ReadPosition += got;
    done += got;
  }
  if (done > 0) ++m_FilledBlocks;
  std::memset(block + done, m_Format.bitsPerSample == 8 ? 0x80 : 0, m_BlockBytes - done);
  m_WriteOffset += m_BlockBytes;
  if (m_WriteOffset >= m_BufferBytes) m_WriteOffset = 0;
  if (!m_Buffer->Unlock()) {
    platform::WriteDebugLine("Failed : CSoundBGM::FillBlock Unlock\n");
    return false;
  }
  return true;
}

// The track has played out when nothing filled is left to play and nothing more
// will come: the data reached its end, or the reader ended early.
bool CSoundBGM::IsPlayedOut() const {
  return m_FilledBlocks == 0 && m_LoopCount == 0 && (m_ReadPosition >= m_End || m_Reader->IsEnd());
}

void CSoundBGM::HandleNotification() {
  // Each block the cursor has left since the last notification; usually one. None
  // when the wake-up was left over from before Play.
  const std::uint32_t current = m_Buffer->GetCurrentPosition() / m_BlockBytes;
  if (m_PlayingBlock == current) return;
  ++m_NotificationsHandled;
  while (m_PlayingBlock != current) {
    m_PlayingBlock = (m_PlayingBlock + 1) % kBlockCount;
    if (m_FilledBlocks > 0) --m_FilledBlocks;
    if (IsPlayedOut()) {
      m_Buffer->Stop();
      return;
    }
    if (m_FilledBlocks < kBlocksAhead) FillBlock();
  }
}

void CSoundBGM::StreamingThread(std::shared_ptr<platform::AutoResetEvent> notify,
                                std::shared_ptr<platform::AutoResetEvent> quit) {
  for (;;) {
    const std::size_t which = platform::WaitForAnyEvent({quit.get(), notify.get()});
    std::lock_guard lock(m_Lock);
    if (which == 0 || m_Quit || !m_Buffer) return;
    HandleNotification();
  }
}

bool CSoundBGM::Stop() {
  std::lock_guard lock(m_Lock);
  if (!m_Buffer) {
    platform::WriteDebugLine("Failed : CSoundBGM::Stop Buffer Not Found\n");
    return false;
  }
  if (!m_Buffer->Stop()) {
    platform::WriteDebugLine("Failed : CSoundBGM::Stop\n");
    return false;
  }
  return true;
}

bool CSoundBGM::IsPlaying() {
  std::lock_guard lock(m_Lock);
  return m_Buffer && m_Buffer->IsPlaying();
}

std::int32_t CSoundBGM::GetVolume() {
  std::lock_guard lock(m_Lock);
  if (!m_Buffer) {
    platform::WriteDebugLine("Failed : CSoundBGM::GetVolume Buffer Not Found\n");
    return kSilentVolume;
  }
  return m_Buffer->GetVolume();
}

void CSoundBGM::SetVolume(std::int32_t volume) {
  std::lock_guard lock(m_Lock);
  if (!m_Buffer) {
    platform::WriteDebugLine("Failed : CSoundBGM::SetVolume Buffer Not Found\n");
    return;
  }
  if (volume < kSilentVolume || volume > kFullVolume) {
    platform::WriteDebugLine("Failed : CSoundBGM::SetVolume Volume Out of Range\n");
    volume = std::clamp(volume, kSilentVolume, kFullVolume);
  }
  m_Buffer->SetVolume(volume);
}

const ISoundReader* CSoundBGM::GetReader() const {
  std::lock_guard lock(m_Lock);
  return m_Reader;
}

ISoundReader* CSoundBGM::GetReader() {
  std::lock_guard lock(m_Lock);
  return m_Reader;
}

std::uint32_t CSoundBGM::GetBlockBytes() const {
  std::lock_guard lock(m_Lock);
  return m_BlockBytes;
}

std::uint32_t CSoundBGM::GetBufferBytes() const {
  std::lock_guard lock(m_Lock);
  return m_BufferBytes;
}

std::uint32_t CSoundBGM::GetNotificationsHandled() const {
  std::lock_guard lock(m_Lock);
  return m_NotificationsHandled;
}

}  // namespace nsZarn::nsSound::nsISound
