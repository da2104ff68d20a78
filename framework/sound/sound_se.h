#pragma once
// A sound held whole in one buffer: effects and voices. When it must overlap
// itself it plays a duplicate of its buffer that shares the samples; the
// duplicates stay until the sound is unloaded, so the number of voices only grows
// to the most that ever played at once.

#include <memory>
#include <vector>

#include "framework/sound/sound.h"
#include "framework/sound/sound_device.h"
#include "platform/audio/sound_buffer.h"

namespace nsZarn::nsSound::nsISound {

class CSoundSE : public ISound {
 public:
  // With a reader, loads it at once.
  CSoundSE(ZarnSound* sound, ISoundReader* reader);
  CSoundSE(const CSoundSE&) = delete;
  CSoundSE& operator=(const CSoundSE&) = delete;
  ~CSoundSE() override;

  void Release() override;
  // -10000 when the sound has no buffer.
  std::int32_t GetVolume() override;
  // Clamped to -10000..0; nothing happens without a buffer.
  void SetVolume(std::int32_t volume) override;
  // Plays on the first idle voice from its start, or on a new duplicate.
  bool Play(bool loop) override;
  bool IsPlaying() override;
  // Stops every voice where it is.
  bool Stop() override;
  const ISoundReader* GetReader() const override;
  ISoundReader* GetReader() override;
  bool Load(ISoundReader* reader) override;

  // Whether the last load failed for the file's sake: its reader was not open or
  // could not read it (also when its decoding was too slow), or it delivered too
  // few or too many samples for a buffer. A load that failed for want of a device
  // or of memory, or that a quit cut short, may succeed another time.
  bool IsFileAtFault() const;

  // How many voices (the buffer and its duplicates) the sound has.
  std::size_t GetVoiceCount() const { return m_Buffers.size(); }

 private:
  void Unload();

  std::vector<std::unique_ptr<platform::SoundBuffer>> m_Buffers;
  ISoundReader* m_Reader = nullptr;
  ZarnSound* m_Sound;
  bool m_FileAtFault = false;
};

}  // namespace nsZarn::nsSound::nsISound
