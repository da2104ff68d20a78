#include "platform/graphics/frame_pacer.h"

#include "platform/clock/clock.h"

namespace platform {

namespace {
constexpr int kDefaultRefreshHz = 60;
}  // namespace

FramePacer::FramePacer(int refreshHz)
    : m_RefreshHz(static_cast<std::uint32_t>(refreshHz > 0 ? refreshHz : kDefaultRefreshHz)) {}

void FramePacer::WaitForNextFrame() {
  const std::uint32_t now = NowMs();
  if (!m_Started) {
    m_Started = true;
    m_StartMs = now;
    m_Frames = 0;
    return;
  }
  // Frame n is due n/rate seconds after the count began, so that 60 Hz averages
  // 16.67 ms on a millisecond clock.
  const std::uint32_t due = (m_Frames + 1) * 1000u / m_RefreshHz;
  const std::uint32_t elapsed = now - m_StartMs;  // wraps with the clock
  if (elapsed >= due + 1000u / m_RefreshHz) {
    // More than a whole period late: no catching up.
    m_StartMs = now;
    m_Frames = 0;
    return;
  }
  if (elapsed < due) SleepMs(due - elapsed);
  if (++m_Frames == m_RefreshHz) {
    m_StartMs += 1000u;
    m_Frames = 0;
  }
}

}  // namespace platform
