#include "plugin/commands/draw_argument_checks.h"

#include "plugin/core/host_calls.h"

namespace nsWendrick {
namespace {

constexpr std::int32_t kMaxBltType = 7;

}  // namespace

void CheckAlpha(WindowHandle owner, std::int32_t alpha) {
  if (alpha < 0 || alpha > 255) {
    HostRuntimeError(owner, "透過度が負数か255を超えています！（m_A = %d）", alpha);
  }
}

void CheckBltType(WindowHandle owner, std::int32_t blt) {
  if (blt < 0 || blt > kMaxBltType) {
    HostRuntimeError(owner, "転送方法の指定が間違っています！（m_BltType = %d）", blt);
  }
}

void CheckSourceRect(WindowHandle owner, std::int32_t x, std::int32_t y, std::int32_t width,
                     std::int32_t height, const char* state) {
  if (x >= 0 && y >= 0 && width >= 0 && height >= 0) return;
  if (state != nullptr) {
    HostRuntimeError(owner,
                     "転送元矩形の指定が間違っています！（%s）（m_RectX = %d, m_RectY = %d, "
                     "m_RectWidth = %d, m_RectHeight = %d）",
                     state, x, y, width, height);
  }
  HostRuntimeError(owner,
                   "転送元矩形の指定が間違っています！（m_RectX = %d, m_RectY = %d, "
                   "m_RectWidth = %d, m_RectHeight = %d）",
                   x, y, width, height);
}

}  // namespace nsWendrick
