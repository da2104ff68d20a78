#include "framework/sound/sound_device.h"

#include <cstring>

#include "platform/debug/debug_sink.h"

namespace nsZarn::nsSound {

bool ZarnSound::Init(platform::Window* /*mainWindow: the output is not tied to a window*/) {
  if (m_Device) return true;
  m_Device = platform::AudioDevice::OpenDefault();
  if (!m_Device) {
    platform::WriteDebugLine("Failed : ZarnSound::Init DirectSoundCreate8\n");
    return false;
  }
  // The output format is fixed at 44.1 kHz 16-bit stereo; there is no primary
  // buffer to configure.
  if (!CreateVoidBuffer()) {
    platform::WriteDebugLine("Failed : ZarnSound::Init CreateVoidBuffer\n");
    return true;
  }
  if (!m_VoidBuffer->Play(true)) platform::WriteDebugLine("Failed : ZarnSound::Init Play\n");
  return true;
}

// A second of silence, 8 kHz 16-bit mono, that loops for the device's lifetime.
bool ZarnSound::CreateVoidBuffer() {
  auto buffer = m_Device->CreateSoundBuffer(platform::MakePcmFormat(1, 8000, 16), 64000);
  if (!buffer) {
    platform::WriteDebugLine("Failed : CreateVoidBuffer CreateSoundBuffer\n");
    return false;
  }
  void* bytes = nullptr;
  std::uint32_t size = 0;
  if (!buffer->Lock(0, 64000, &bytes, &size, nullptr, nullptr)) {
    platform::WriteDebugLine("Failed : CreateVoidBuffer Lock\n");
    return false;
  }
  std::memset(bytes, 0, size);
  if (!buffer->Unlock()) {
    platform::WriteDebugLine("Failed : CSound::Load Unlock\n");
    return false;
  }
  m_VoidBuffer = std::move(buffer);
  return true;
}

ZarnSound::~ZarnSound() {
  if (m_VoidBuffer && !m_VoidBuffer->Stop()) {
    platform::WriteDebugLine("Failed : ZarnSound::~ZarnSound Stop\n");
    m_VoidBuffer->Stop();
  }
  m_VoidBuffer.reset();
  m_Device.reset();
}

}  // namespace nsZarn::nsSound
