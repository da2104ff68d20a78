#include <SDL.h>

#include <utility>

#include "platform/audio/audio_output.h"

namespace platform {
namespace {

class SdlAudioOutput final : public AudioOutput {
 public:
  SdlAudioOutput(std::shared_ptr<Mixer> mixer) : m_Mixer(std::move(mixer)) {}
  SdlAudioOutput(const SdlAudioOutput&) = delete;
  SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

  ~SdlAudioOutput() override {
    if (m_Device != 0) SDL_CloseAudioDevice(m_Device);
    if (m_SubsystemStarted) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  bool Open(std::string* error) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      *error = SDL_GetError();
      return false;
    }
    m_SubsystemStarted = true;
    SDL_AudioSpec want{};
    want.freq = static_cast<int>(kMixerRate);
    want.format = AUDIO_S16LSB;
    want.channels = static_cast<Uint8>(kMixerChannels);
    want.samples = 1024;
    want.callback = &SdlAudioOutput::Callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the hardware wants.
    m_Device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (m_Device == 0) {
      *error = SDL_GetError();
      return false;
    }
    SDL_PauseAudioDevice(m_Device, 0);
    return true;
  }

 private:
  static void Callback(void* userdata, Uint8* stream, int len) {
    auto* self = static_cast<SdlAudioOutput*>(userdata);
    const auto frames = static_cast<std::uint32_t>(len) / (2u * kMixerChannels);
    self->m_Mixer->Mix(reinterpret_cast<std::int16_t*>(stream), frames);
  }

  std::shared_ptr<Mixer> m_Mixer;
  SDL_AudioDeviceID m_Device = 0;
  bool m_SubsystemStarted = false;
};

}  // namespace

std::unique_ptr<AudioOutput> OpenSdlAudioOutput(std::shared_ptr<Mixer> mixer, std::string* error) {
  auto output = std::make_unique<SdlAudioOutput>(std::move(mixer));
  if (!output->Open(error)) return nullptr;
  return output;
}

}  // namespace platform
