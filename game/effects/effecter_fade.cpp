#include "game/effects/effecter_fade.h"

#include "game/core/program_objects.h"

namespace nsVesk::nsEffect {

namespace {
constexpr int kFrameWidth = 800;
constexpr int kFrameHeight = 600;
constexpr std::int64_t kOpaque = 255;
}  // namespace

cEffecterFadeIn g_OptionFadeIn;

void cEffecterFade::SetColorAndTime(std::uint32_t color, std::uint32_t time) {
  m_Color = color;
  m_Time = time;
}

void cEffecterFade::Start() {
  m_Timer.Reset();
  m_Running = true;
}

std::int64_t cEffecterFade::Progress() {
  const std::uint32_t elapsed = m_Timer.Update();
  // A fade without time is at its end at once.
  if (m_Time == 0) return kOpaque + 1;
  return static_cast<std::int64_t>(static_cast<std::uint32_t>(elapsed * 255u) / m_Time);
}

void cEffecterFade::Fill(std::uint8_t alpha) const {
  const std::uint32_t red = m_Color & 0xFFu;
  const std::uint32_t green = m_Color >> 8 & 0xFFu;
  const std::uint32_t blue = m_Color >> 16 & 0xFFu;
  const std::uint32_t argb = static_cast<std::uint32_t>(alpha) << 24 | red << 16 | green << 8 | blue;
  g_Graphic.DrawFillRect(0, 0, kFrameWidth, kFrameHeight, argb, 0.0f);
}

void cEffecterFadeIn::Update() {
  if (!m_Running) return;
  std::int64_t alpha = kOpaque - Progress();
  if (alpha < 0) {
    alpha = 0;
    m_Running = false;
  }
  Fill(static_cast<std::uint8_t>(alpha));
}

void cEffecterFadeOut::Update() {
  if (!m_Running) return;
  std::int64_t alpha = Progress();
  if (alpha > kOpaque) {
    alpha = kOpaque;
    m_Running = false;
  }
  Fill(static_cast<std::uint8_t>(alpha));
}

}  // namespace nsVesk::nsEffect
