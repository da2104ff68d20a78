#pragma once
// Streamed music: a ring of 16 blocks (3/16 s each) that a streaming thread of
// the sound's own refills as playback passes each block's end, so a track of any
// length plays from a small buffer. The reader's loop section repeats a given
// number of times or endlessly, then the track plays on to its end.
//
// The main thread calls the ISound operations; the streaming thread handles the
// notifications. One lock guards the buffer, the reader and the streaming state.

#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "framework/sound/sound.h"
#include "framework/sound/sound_device.h"
#include "platform/audio/auto_reset_event.h"
#include "platform/audio/sound_buffer.h"

namespace nsZarn::nsSound::nsISound {

class CSoundBGM : public ISound {
 public:
  static constexpr std::uint32_t kBlockCount = 16;
  // One block stays free: it is the one playing.
  static constexpr std::int32_t kBlocksAhead = 15;

  // With a reader, loads it at once.
  CSoundBGM(ZarnSound* sound, ISoundReader* reader);
  CSoundBGM(const CSoundBGM&) = delete;
  CSoundBGM& operator=(const CSoundBGM&) = delete;
  ~CSoundBGM() override;

  void Release() override;
  // -10000 when no track is loaded.
  std::int32_t GetVolume() override;
  // Clamped to -10000..0; nothing happens without a track.
  void SetVolume(std::int32_t volume) override;
  // Plays from the start; with loop the loop section repeats endlessly.
  bool Play(bool loop) override;
  bool IsPlaying() override;
  // Stops where it is; Play starts again from the beginning.
  bool Stop() override;
  const ISoundReader* GetReader() const override;
  ISoundReader* GetReader() override;
  bool Load(ISoundReader* reader) override;

  // The ring's geometry for a format: 3/16 s rounded up to whole frames.
  static std::uint32_t BlockBytesFor(const platform::PcmFormat& format);
  std::uint32_t GetBlockBytes() const;
  std::uint32_t GetBufferBytes() const;
  // How many notifications the streaming thread has acted on (each for one or
  // more blocks played); a caller that clocks the device itself waits on it to
  // keep pace.
  std::uint32_t GetNotificationsHandled() const;

 private:
  // All of these run with m_Lock held.
  bool FillBlock();
  void HandleNotification();
  bool IsPlayedOut() const;
  // Ends the streaming thread (joined with the lock released) and releases the
  // buffer, the reader and the events.
  void Unload(std::unique_lock<std::mutex>& lock);

  void StreamingThread(std::shared_ptr<platform::AutoResetEvent> notify,
                       std::shared_ptr<platform::AutoResetEvent> quit);

  std::unique_ptr<platform::SoundBuffer> m_Buffer;
  ISoundReader* m_Reader = nullptr;
  ZarnSound* m_Sound;
  std::uint32_t m_BufferBytes = 0;
  std::uint32_t m_BlockBytes = 0;
  std::shared_ptr<platform::AutoResetEvent> m_NotifyEvent;
  std::shared_ptr<platform::AutoResetEvent> m_QuitEvent;
  platform::PcmFormat m_Format{};
  std::thread m_Thread;
  std::uint32_t m_WriteOffset = 0;
  std::uint32_t m_ReadPosition = 0;
  std::uint32_t m_LoopStart = 0;
  std::uint32_t m_LoopEnd = 0;
  std::uint32_t m_End = 0;
  std::int32_t m_LoopCount = 0;
  std::int32_t m_FilledBlocks = 0;
  // The block the play cursor was in when the last notification was handled: a
  // wake-up that finds the cursor still there is left over from before Play.
  std::uint32_t m_PlayingBlock = 0;
  bool m_Quit = false;
  std::uint32_t m_NotificationsHandled = 0;
  mutable std::mutex m_Lock;
};

}  // namespace nsZarn::nsSound::nsISound
