#include "game/managers/sound_manager_fd.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "engine/api/plugin_api.h"
#include "framework/sound/ogg_reader.h"
#include "framework/sound/sound_se.h"
#include "framework/sound/wav_reader.h"
#include "game/core/program_objects.h"
#include "platform/debug/debug_sink.h"
#include "platform/work/load_quit.h"

namespace nsVesk::nsSoundManagerfD {

using nsZarn::nsSound::nsISound::CSoundSE;
using nsZarn::nsSound::nsISound::ISound;
using nsZarn::nsSound::nsISoundReader::COggReader;
using nsZarn::nsSound::nsISoundReader::CWavReader;
using nsZarn::nsSound::nsISoundReader::ISoundReader;

namespace {
constexpr int kMaxVolume = 10000;
}  // namespace

std::int32_t VolumeToAttenuation(int volume) {
  const int v = std::clamp(volume, 0, kMaxVolume);
  if (v == 0) return ISound::kSilentVolume;
  return static_cast<std::int32_t>(std::log10(static_cast<double>(v) / 10000.0) * 10.0 * 100.0);
}

ISoundReader* OpenArchiveSound(const std::string& name) {
  const bool ogg = name.find(".ogg") != std::string::npos;
  const bool wav = name.find(".wav") != std::string::npos;
  if (!ogg && !wav) return nullptr;
  // Without an archive the reader gets no file reader and reports "not open".
  nsZarn::nsFile::nsFileReader::IFileReader* file =
      g_FilePackManager != nullptr ? g_FilePackManager->GetFileReader(kArchiveFile) : nullptr;
  if (ogg) return new COggReader(file, name.c_str());
  return new CWavReader(file, name.c_str());
}

SoundManagerfD::SoundManagerfD(std::uint64_t heldSoundBytes)
    : m_BGM(&g_Sound, nullptr), m_HeldSoundLimit(heldSoundBytes) {}

SoundManagerfD::~SoundManagerfD() {
  // The voices first, then the music, then the effects.
  m_Voice.table.clear();
  (void)m_BGM.Load(nullptr);
  m_SE.table.clear();
}

ISound* SoundManagerfD::FindSE(const std::string& name) const { return Find(m_SE, name.c_str()); }

ISound* SoundManagerfD::FindVoice(const std::string& name) const { return Find(m_Voice, name.c_str()); }

std::uint64_t SoundManagerfD::HeldSoundBytes() const {
  std::uint64_t held = 0;
  for (const SoundKind* kind : {&m_SE, &m_Voice}) {
    for (const auto& entry : kind->table) held += entry.second.bytes;
  }
  return held;
}

ISound* SoundManagerfD::Find(const SoundKind& kind, const char* name) {
  if (name == nullptr) return nullptr;
  const auto it = kind.table.find(name);
  return it != kind.table.end() ? it->second.sound.get() : nullptr;
}

void SoundManagerfD::SetVolume(SoundKind& kind, int volume) {
  kind.attenuation = VolumeToAttenuation(volume);
  for (auto& entry : kind.table) {
    if (entry.second.sound) entry.second.sound->SetVolume(kind.attenuation);
  }
}

bool SoundManagerfD::Load(SoundKind& kind, const char* name) {
  if (name == nullptr || *name == '\0') return true;
  if (kind.table.count(name) != 0) return true;
  if (kind.failed.Marked(name)) return false;
  HeldSound held;
  if (!LoadInto(held, kind, name)) return false;
  kind.table.emplace(name, std::move(held));
  return true;
}

bool SoundManagerfD::Play(SoundKind& kind, const char* name) {
  if (name == nullptr) return false;
  const auto it = kind.table.find(name);
  if (it == kind.table.end()) return false;
  HeldSound& held = it->second;
  if (!held.sound) {
    if (!LoadInto(held, kind, name)) return false;
    held.sound->SetVolume(kind.attenuation);
  }
  held.lastUse = ++m_Uses;
  return held.sound->Play(false);
}

bool SoundManagerfD::LoadInto(HeldSound& held, SoundKind& kind, const char* name) {
  ISoundReader* reader = OpenArchiveSound(name);
  if (reader == nullptr || !reader->IsOpen()) return RefuseLoad(kind.failed, name, kind.failureLine, reader);
  const platform::PcmFormat format = reader->GetFormat();
  const std::uint64_t bytes = std::min<std::uint64_t>(
      std::uint64_t{reader->GetLength()} * format.blockAlign, platform::SoundBuffer::kMaxBytes);
  if (!MakeRoom(bytes)) {
    reader->Release();
    platform::WriteDebugLine("Failed : SoundManagerfD::Load No Room Among The Held Sounds\n");
    return ReportFailedLoad(name, kind.failureLine, nullptr);
  }
  auto* effect = new CSoundSE(&g_Sound, reader);
  std::unique_ptr<ISound, SoundReleaser> sound(effect);
  // A sound that could not take the reader (it has released it) would never play.
  if (sound->GetReader() == nullptr) {
    if (effect->IsFileAtFault()) return RefuseLoad(kind.failed, name, kind.failureLine, nullptr);
    return ReportFailedLoad(name, kind.failureLine, nullptr);
  }
  held.sound = std::move(sound);
  held.bytes = bytes;
  held.lastUse = ++m_Uses;
  return true;
}

bool SoundManagerfD::MakeRoom(std::uint64_t bytes) {
  for (;;) {
    const std::uint64_t held = HeldSoundBytes();
    if (held <= m_HeldSoundLimit && bytes <= m_HeldSoundLimit - held) return true;
    HeldSound* oldest = nullptr;
    for (SoundKind* kind : {&m_SE, &m_Voice}) {
      for (auto& entry : kind->table) {
        HeldSound& candidate = entry.second;
        if (!candidate.sound || candidate.sound->IsPlaying()) continue;
        if (oldest == nullptr || candidate.lastUse < oldest->lastUse) oldest = &candidate;
      }
    }
    if (oldest == nullptr) return false;
    oldest->sound.reset();
    oldest->bytes = 0;
  }
}

bool SoundManagerfD::RefuseLoad(platform::OncePerRun& failed, const char* name, const char* failureLine,
                                ISoundReader* unopened) {
  // A quit that stopped the load leaves the file untried.
  if (!platform::LoadsMustStop()) failed.Mark(name);
  return ReportFailedLoad(name, failureLine, unopened);
}

bool SoundManagerfD::ReportFailedLoad(const char* name, const char* failureLine, ISoundReader* unopened) {
  // The reader has named the file and the step it refused it at; a load that a
  // quit stopped names none, the file not being at fault.
  if (unopened != nullptr || platform::LoadsMustStop()) {
    if (unopened != nullptr) unopened->Release();
    DebugMessage(nullptr, "%s", failureLine);
  } else {
    platform::WriteRefusalLine(failureLine, name);
  }
  return false;
}

bool SoundManagerfD::Release(SoundKind& kind, const char* name) {
  if (name != nullptr) kind.table.erase(name);
  return true;
}

void SoundManagerfD::_SetSEVolume(int volume) { SetVolume(m_SE, volume); }

bool SoundManagerfD::_PlaySE(const char* name) { return Play(m_SE, name); }

bool SoundManagerfD::_StopSE(const char* name) {
  ISound* sound = Find(m_SE, name);
  return sound != nullptr && sound->Stop();
}

bool SoundManagerfD::_LoadSE(const char* name) { return Load(m_SE, name); }

bool SoundManagerfD::_ReleaseSE(const char* name) { return Release(m_SE, name); }

bool SoundManagerfD::_IsPlayingSE(const char* name) {
  ISound* sound = Find(m_SE, name);
  return sound != nullptr && sound->IsPlaying();
}

void SoundManagerfD::_SetBGMVolume(int volume) { m_BGM.SetVolume(VolumeToAttenuation(volume)); }

bool SoundManagerfD::_PlayBGM(bool once) { return m_BGM.Play(!once); }

bool SoundManagerfD::_StopBGM() { return m_BGM.Stop(); }

bool SoundManagerfD::_LoadBGM(const char* name) {
  if (name == nullptr || *name == '\0') return true;
  if (m_FailedBGM.Marked(name)) return false;
  constexpr char kFailureLine[] = "Failed : SoundManagerfD::_LoadBGM Open\n";
  ISoundReader* reader = OpenArchiveSound(name);
  if (reader == nullptr || !reader->IsOpen()) return RefuseLoad(m_FailedBGM, name, kFailureLine, reader);
  // The music takes the reader (also when it refuses it) and drops the one before.
  // The reader has read the file: what fails now is the device's or the system's.
  if (!m_BGM.Load(reader)) return ReportFailedLoad(name, kFailureLine, nullptr);
  return true;
}

bool SoundManagerfD::_ReleaseBGM() {
  (void)m_BGM.Load(nullptr);
  return true;
}

bool SoundManagerfD::_IsPlayingBGM() { return m_BGM.IsPlaying(); }

void SoundManagerfD::_SetVoiceVolume(int volume) { SetVolume(m_Voice, volume); }

bool SoundManagerfD::_PlayVoice(const char* name) { return Play(m_Voice, name); }

bool SoundManagerfD::_StopVoice(const char* name) {
  ISound* sound = Find(m_Voice, name);
  return sound != nullptr && sound->Stop();
}

bool SoundManagerfD::_LoadVoice(const char* name) { return Load(m_Voice, name); }

bool SoundManagerfD::_ReleaseVoice(const char* name) { return Release(m_Voice, name); }

bool SoundManagerfD::_IsPlayingVoice(const char* name) {
  ISound* sound = Find(m_Voice, name);
  return sound != nullptr && sound->IsPlaying();
}

}  // namespace nsVesk::nsSoundManagerfD
