#include "platform/graphics/graphics_test_back_end.h"

namespace platform {
namespace {
GraphicsTestBackEnd* g_Installed = nullptr;
}  // namespace

GraphicsTestBackEnd::GraphicsTestBackEnd() { g_Installed = this; }

GraphicsTestBackEnd::~GraphicsTestBackEnd() {
  if (g_Installed == this) g_Installed = nullptr;
}

GraphicsTestBackEnd* GraphicsTestBackEnd::Installed() { return g_Installed; }

std::uint32_t GraphicsTestBackEnd::Pixel(int x, int y) const {
  if (m_LastFrame.empty() || x < 0 || y < 0 || x >= kFrameWidth || y >= kFrameHeight) return 0;
  return m_LastFrame[static_cast<std::size_t>(y) * kFrameWidth + static_cast<std::size_t>(x)];
}

bool GraphicsTestBackEnd::OnCreate(const PresentParameters& parameters) {
  if (m_FailCreation) return false;
  ++m_DevicesCreated;
  m_Parameters = parameters;
  m_Status = DeviceStatus::Ok;
  return true;
}

bool GraphicsTestBackEnd::OnReset(const PresentParameters& parameters) {
  ++m_ResetCount;
  if (m_ResetOutcome == DeviceStatus::Failed) return false;
  m_Parameters = parameters;
  m_Status = m_ResetOutcome == DeviceStatus::Ok ? DeviceStatus::Ok : DeviceStatus::Lost;
  return true;
}

void GraphicsTestBackEnd::OnPresent(const Texture& frame) {
  ++m_PresentCount;
  m_LastFrame.assign(frame.Pixels(), frame.Pixels() + static_cast<std::size_t>(frame.Width()) * frame.Height());
}

}  // namespace platform
