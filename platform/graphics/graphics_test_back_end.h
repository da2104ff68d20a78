#pragma once
// The test back end of the graphics device. While an object of this class lives,
// every device created presents into it instead of a window: the test reads the
// presented frames, makes device creation fail, and injects device loss.

#include <cstdint>
#include <vector>

#include "platform/graphics/graphics_device.h"

namespace platform {

class GraphicsTestBackEnd {
 public:
  GraphicsTestBackEnd();
  GraphicsTestBackEnd(const GraphicsTestBackEnd&) = delete;
  GraphicsTestBackEnd& operator=(const GraphicsTestBackEnd&) = delete;
  ~GraphicsTestBackEnd();

  // Device creation fails while set.
  void FailDeviceCreation(bool fail) { m_FailCreation = fail; }
  // The device's state: Lost (cannot be reset yet), NotReset, or Ok.
  void SetDeviceStatus(DeviceStatus status) { m_Status = status; }
  // What the next resets do: Ok (the device is restored), Lost (the device is lost
  // again) or Failed.
  void SetResetOutcome(DeviceStatus outcome) { m_ResetOutcome = outcome; }

  int DevicesCreated() const { return m_DevicesCreated; }
  int PresentCount() const { return m_PresentCount; }
  int ResetCount() const { return m_ResetCount; }
  const PresentParameters& LastParameters() const { return m_Parameters; }
  // The last presented frame (800x600 pixels, row by row); empty before the first.
  const std::vector<std::uint32_t>& LastFrame() const { return m_LastFrame; }
  std::uint32_t Pixel(int x, int y) const;

  // Used by the device's presenter.
  bool OnCreate(const PresentParameters& parameters);
  DeviceStatus OnStatus() const { return m_Status; }
  bool OnReset(const PresentParameters& parameters);
  void OnPresent(const Texture& frame);

  static GraphicsTestBackEnd* Installed();

 private:
  bool m_FailCreation = false;
  DeviceStatus m_Status = DeviceStatus::Ok;
  DeviceStatus m_ResetOutcome = DeviceStatus::Ok;
  int m_DevicesCreated = 0;
  int m_PresentCount = 0;
  int m_ResetCount = 0;
  PresentParameters m_Parameters;
  std::vector<std::uint32_t> m_LastFrame;
};

}  // namespace platform
