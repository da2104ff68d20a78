#pragma once
// The test back end of the graphics device. While an object of this class lives,
// every device created presents into it instead of a window: the test reads the
// presented frames, makes device creation fail, and injects device loss. Its
// presenters ask whichever back end is installed when they are used, so a device
// that outlives its back end presents nowhere and reports itself working.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/graphics_device.h"

namespace vesk_test {

class GraphicsTestBackEnd final : public platform::PresenterSource {
 public:
  GraphicsTestBackEnd();
  GraphicsTestBackEnd(const GraphicsTestBackEnd&) = delete;
  GraphicsTestBackEnd& operator=(const GraphicsTestBackEnd&) = delete;
  ~GraphicsTestBackEnd() override;

  std::unique_ptr<platform::Presenter> CreatePresenter(platform::WindowHandle window,
                                                       const platform::PresentParameters& parameters) override;

  // Device creation fails while set.
  void FailDeviceCreation(bool fail) { m_FailCreation = fail; }
  // The device's state: Lost (cannot be reset yet), NotReset, or Ok.
  void SetDeviceStatus(platform::DeviceStatus status) { m_Status = status; }
  // What the next resets do: Ok (the device is restored), Lost (the device is lost
  // again) or Failed.
  void SetResetOutcome(platform::DeviceStatus outcome) { m_ResetOutcome = outcome; }

  int DevicesCreated() const { return m_DevicesCreated; }
  int PresentCount() const { return m_PresentCount; }
  int ResetCount() const { return m_ResetCount; }
  const platform::PresentParameters& LastParameters() const { return m_Parameters; }
  // The last presented frame (800x600 pixels, row by row); empty before the first.
  const std::vector<std::uint32_t>& LastFrame() const { return m_LastFrame; }
  std::uint32_t Pixel(int x, int y) const;
  // Writes the last presented frame as an opaque PNG image; false on failure.
  bool SaveLastFrameAsPng(const std::string& file) const;

  // Used by the device's presenter.
  platform::DeviceStatus OnStatus() const { return m_Status; }
  bool OnReset(const platform::PresentParameters& parameters);
  void OnPresent(const platform::Texture& frame);

  static GraphicsTestBackEnd* Installed();

 private:
  bool m_FailCreation = false;
  platform::DeviceStatus m_Status = platform::DeviceStatus::Ok;
  platform::DeviceStatus m_ResetOutcome = platform::DeviceStatus::Ok;
  int m_DevicesCreated = 0;
  int m_PresentCount = 0;
  int m_ResetCount = 0;
  platform::PresentParameters m_Parameters;
  std::vector<std::uint32_t> m_LastFrame;
};

}  // namespace vesk_test
