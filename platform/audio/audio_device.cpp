#include "platform/audio/audio_device.h"

#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "platform/audio/audio_output.h"
#include "platform/debug/debug_sink.h"

namespace platform {
namespace {

std::atomic<bool> g_nullSelected{false};

}  // namespace

void SelectNullAudioDeviceForTests(bool selected) { g_nullSelected = selected; }

AudioDevice::AudioDevice(AudioDeviceKind kind, std::shared_ptr<Mixer> mixer,
                         std::unique_ptr<AudioOutput> output)
    : m_Kind(kind), m_Mixer(std::move(mixer)), m_Output(std::move(output)) {}

// The output stops first, so nothing mixes while the device goes away; buffers
// that outlive the device keep the mixer alive and simply no longer play.
AudioDevice::~AudioDevice() { m_Output.reset(); }

std::unique_ptr<AudioDevice> AudioDevice::OpenDefault() {
  if (g_nullSelected) return OpenNull();
  auto mixer = std::make_shared<Mixer>();
  std::string error;
  if (auto output = OpenSdlAudioOutput(mixer, &error)) {
    return std::unique_ptr<AudioDevice>(new AudioDevice(AudioDeviceKind::Speaker, mixer, std::move(output)));
  }
  WriteDebugLine("Audio : no audio device (" + error + "); sound plays on a silent device\n");
  return OpenSilent();
}

std::unique_ptr<AudioDevice> AudioDevice::OpenSilent() {
  auto mixer = std::make_shared<Mixer>();
  auto output = OpenSilentAudioOutput(mixer);
  if (!output) return nullptr;
  return std::unique_ptr<AudioDevice>(new AudioDevice(AudioDeviceKind::Silent, mixer, std::move(output)));
}

std::unique_ptr<AudioDevice> AudioDevice::OpenNull() {
  return std::unique_ptr<AudioDevice>(
      new AudioDevice(AudioDeviceKind::Null, std::make_shared<Mixer>(), nullptr));
}

PcmFormat AudioDevice::OutputFormat() { return MakePcmFormat(kMixerChannels, kMixerRate, 16); }

std::unique_ptr<SoundBuffer> AudioDevice::CreateSoundBuffer(const PcmFormat& format, std::uint32_t bytes) {
  return SoundBuffer::Create(m_Mixer, format, bytes);
}

std::unique_ptr<SoundBuffer> AudioDevice::CreateSoundBuffer(const PcmFormat& format,
                                                            std::vector<std::uint8_t> samples) {
  return SoundBuffer::Create(m_Mixer, format, std::move(samples));
}

void AudioDevice::Mix(std::int16_t* out, std::uint32_t frames) { m_Mixer->Mix(out, frames); }

void AudioDevice::Advance(std::uint32_t frames) {
  std::vector<std::int16_t> scratch(static_cast<std::size_t>(frames) * kMixerChannels);
  m_Mixer->Mix(scratch.data(), frames);
}

}  // namespace platform
