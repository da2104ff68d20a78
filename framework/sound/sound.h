#pragma once
// A sound that plays through the sound device: effect voices (CSoundSE) and
// streamed music (CSoundBGM). Volumes are attenuations in hundredths of a
// decibel, from -10000 (silence) to 0 (full).

#include <cstdint>

#include "framework/sound/sound_reader.h"

namespace nsZarn::nsSound::nsISound {

using nsISoundReader::ISoundReader;

class ISound {
 public:
  static constexpr std::int32_t kSilentVolume = -10000;
  static constexpr std::int32_t kFullVolume = 0;

  virtual ~ISound() = default;

  // Deletes the sound.
  virtual void Release() = 0;
  virtual std::int32_t GetVolume() = 0;
  virtual void SetVolume(std::int32_t volume) = 0;
  virtual bool Play(bool loop) = 0;
  virtual bool IsPlaying() = 0;
  virtual bool Stop() = 0;
  virtual const ISoundReader* GetReader() const = 0;
  virtual ISoundReader* GetReader() = 0;
  // Takes over the reader, also when it is refused (it is then released); null
  // unloads the sound.
  virtual bool Load(ISoundReader* reader) = 0;
};

}  // namespace nsZarn::nsSound::nsISound
