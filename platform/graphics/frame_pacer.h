#pragma once
// Paces presentation to the display's refresh rate, as a frame limiter does: after
// a frame is shown, the rest of the refresh period is slept away instead of drawing
// the next frame at once. Frame n of a count is due n/rate seconds after the count
// began, so the rate holds on average on a millisecond clock. Where presenting
// really waited for the vertical blank the frame is already due and nothing is
// slept; where it only claimed to wait (or did not), the pacer holds the rate. A
// frame that ran late starts the count afresh, so a slow stretch is not followed
// by a burst of unpaced frames.

#include <cstdint>

namespace platform {

class FramePacer {
 public:
  // A rate of 0 or less (unknown) paces to 60 Hz.
  explicit FramePacer(int refreshHz);

  // Called once per presented frame; sleeps until the next frame is due.
  void WaitForNextFrame();

 private:
  std::uint32_t m_RefreshHz;
  bool m_Started = false;
  std::uint32_t m_StartMs = 0;  // when frame 0 of the count began
  std::uint32_t m_Frames = 0;   // frames since then (less than one second's worth)
};

}  // namespace platform
