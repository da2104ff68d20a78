#include "game/title/effecter_title.h"

#include <array>
#include <limits>

#include "game/core/program_objects.h"
#include "game/title/title_objects.h"

namespace nsVesk::nsTitle {
namespace {

struct IntroLine {
  const char* text;
  std::int32_t startX;
  std::int32_t arrival;  // the distance at which the line reaches its final place
  std::int32_t y;
  std::uint32_t argb;
};

constexpr std::int32_t kFinalX = 550;
constexpr std::array<IntroLine, 4> kLines{{
    {"開始", 800, 250, 300, 0xFF808080u},
    {"ＣＧ鑑賞", 850, 300, 350, 0xFF404040u},
    {"オプション", 900, 350, 400, 0xFF808080u},
    {"終了", 950, 400, 450, 0xFF808080u},
}};

}  // namespace

void cEffecterTitle::Start() {
  m_Timer.Reset();
  m_Running = true;
}

std::uint32_t cEffecterTitle::Distance(std::uint32_t elapsed, std::uint32_t time) {
  if (time == 0) return std::numeric_limits<std::int32_t>::max();
  return elapsed * 400u / time;
}

std::int32_t cEffecterTitle::LineX(std::size_t line, std::uint32_t distance) {
  const IntroLine& l = kLines.at(line);
  const auto d = static_cast<std::int32_t>(distance);
  if (d > l.arrival) return kFinalX;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(l.startX) - distance);
}

std::int64_t cEffecterTitle::OverlayAlpha(std::uint32_t elapsed, std::uint32_t time) {
  if (time == 0) return -1;
  return 255 - static_cast<std::int64_t>(elapsed * 255u / time);
}

void cEffecterTitle::Update() {
  if (!m_Running) return;
  const std::uint32_t elapsed = m_Timer.Update();
  DrawTitleBack();
  const std::uint32_t distance = Distance(elapsed, m_Time);
  for (std::size_t i = 0; i < kLines.size(); ++i) {
    g_Graphic.DrawFreeText(kLines[i].text, LineX(i, distance), kLines[i].y, kLines[i].argb, "HG行書体", 40, false,
                           false, 0.0f);
  }
  std::int64_t alpha = OverlayAlpha(elapsed, m_Time);
  if (alpha < 0) {
    alpha = 0;
    m_Running = false;
  }
  const std::uint32_t red = m_Color & 0xFFu;
  const std::uint32_t green = m_Color >> 8 & 0xFFu;
  const std::uint32_t blue = m_Color >> 16 & 0xFFu;
  g_Graphic.DrawFillRect(0, 0, 800, 600, static_cast<std::uint32_t>(alpha) << 24 | red << 16 | green << 8 | blue,
                         0.0f);
}

}  // namespace nsVesk::nsTitle
