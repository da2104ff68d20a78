#include "game/battle/effecter_cutin.h"

#include "framework/graphics/draw2d.h"
#include "game/core/program_objects.h"

namespace nsVesk::nsGame::nsMine::nsEXEffect {

void cEffecterCutin::Load(const std::string& file, const nsZarn::nsGraphics::Rect& source, int x, int y) {
  m_FileName = file;
  m_SrcRect = source;
  m_X = x;
  m_Y = y;
  m_ImageTable.Load(kImageName, file);
}

void cEffecterCutin::Start() {
  m_Running = true;
  m_Timer.Reset();
}

cEffecterCutin::Pose cEffecterCutin::PoseAt(std::uint32_t t) const {
  Pose pose;
  const int alphaSpan = static_cast<int>(m_AlphaTo) - static_cast<int>(m_AlphaFrom);
  if (t <= m_Time1) {
    // A first phase of no length is only ever seen at its start.
    const int faded = m_Time1 != 0 ? static_cast<int>(static_cast<double>(t) * alphaSpan / m_Time1) : 0;
    pose.visible = true;
    pose.alpha = static_cast<std::uint8_t>(m_AlphaFrom + faded);
    pose.scale = m_ScaleFrom;
    pose.x = m_X;
    pose.y = m_Y;
    return pose;
  }
  // Past the first phase, so the second one has a length whenever it is reached.
  const std::uint64_t d = std::uint64_t{t} - m_Time1;
  if (d >= m_Time2) return pose;
  const int faded = static_cast<int>(static_cast<double>(d) * alphaSpan / m_Time2);
  pose.visible = true;
  pose.alpha = static_cast<std::uint8_t>(m_AlphaTo - faded);
  pose.scale = m_ScaleFrom + static_cast<float>(d) * (m_ScaleTo - m_ScaleFrom) / static_cast<float>(m_Time2);
  const double grown = static_cast<double>(pose.scale - m_ScaleFrom) * 0.5;
  const double w = static_cast<double>(m_SrcRect.right) - m_SrcRect.left;
  const double h = static_cast<double>(m_SrcRect.bottom) - m_SrcRect.top;
  pose.x = m_X - static_cast<int>(w * grown);
  pose.y = m_Y - static_cast<int>(h * grown);
  return pose;
}

void cEffecterCutin::Update() {
  if (!m_Running) return;
  const std::uint32_t t = m_Timer.Update();
  g_Graphic.DrawFillRect(0, 0, 800, 600, kDimColour, 0.0f);
  const Pose pose = PoseAt(t);
  if (!pose.visible) {
    Stop();
    return;
  }
  if (auto* picture = m_ImageTable.Find(kImageName)) {
    picture->Draw(pose.x, pose.y, pose.alpha, &m_SrcRect, pose.scale, pose.scale, 0.0f);
  }
}

}  // namespace nsVesk::nsGame::nsMine::nsEXEffect
