#include "game/effects/effecter_animation.h"

#include <algorithm>
#include <cstdio>

#include "framework/graphics/draw2d.h"
#include "game/core/param_access.h"
#include "game/managers/image_table.h"

namespace nsVesk::nsEffect {

namespace {
constexpr int kDefaultBaseScaling = 100;
// Far above any real animation; each frame loads its picture.
constexpr std::int32_t kMaxFrames = 1024;

constexpr double kMaxOffset = 1 << 30;  // far off the frame, and clear of int overflow

// The distance from the centre to the frame's edge: half the scaled extent,
// truncated toward zero.
int HalfExtent(std::int32_t low, std::int32_t high, float scale) {
  const double half = static_cast<double>(static_cast<std::int64_t>(high) - low) * 0.5 * scale;
  return static_cast<int>(std::clamp(half, -kMaxOffset, kMaxOffset));
}
}  // namespace

cEffecterAnimation::cEffecterAnimation(cImageTable* images) : m_Images(images) {}

void cEffecterAnimation::Load(const std::string& file) {
  m_Frames.clear();
  const int count = GetParamCount(file, "Animations", "AnimationNum", kMaxFrames);
  m_BaseScale = static_cast<float>(GetParamInt(file, "Animations", "BaseScaling", kDefaultBaseScaling)) / 100.0f;
  for (int i = 0; i < count; ++i) {
    char section[32];
    std::snprintf(section, sizeof section, "Animation%d", i);
    Frame frame;
    frame.image = GetParamString(file, section, "AnimationFileName", "");
    frame.left = GetParamInt(file, section, "AnimationSrcRect_Left", 0);
    frame.top = GetParamInt(file, section, "AnimationSrcRect_Top", 0);
    frame.right = GetParamInt(file, section, "AnimationSrcRect_Right", 0);
    frame.bottom = GetParamInt(file, section, "AnimationSrcRect_Bottom", 0);
    m_Frames.push_back(frame);
    if (m_Images != nullptr) m_Images->Load(frame.image, frame.image);
  }
}

void cEffecterAnimation::SetPair(int x, int y) {
  m_X = x;
  m_Y = y;
}

void cEffecterAnimation::Start() {
  m_Timer.Reset();
  m_Frame = 0;
}

bool cEffecterAnimation::IsRunning() {
  return m_Frame >= 0 && static_cast<std::size_t>(m_Frame) < m_Frames.size();
}

void cEffecterAnimation::Update() {
  if (!IsRunning()) return;
  const std::uint32_t shown = m_Timer.Update();
  const Frame& frame = m_Frames[static_cast<std::size_t>(m_Frame)];
  nsZarn::nsGraphics::nsIDraw2D::IDraw2D* image = m_Images != nullptr ? m_Images->Find(frame.image) : nullptr;
  if (image != nullptr) {
    const float s = m_BaseScale * m_Scale;
    const nsZarn::nsGraphics::Rect source{frame.left, frame.top, frame.right, frame.bottom};
    image->Draw(m_X - HalfExtent(frame.left, frame.right, s), m_Y - HalfExtent(frame.top, frame.bottom, s), 255,
                &source, s, s, 0.0f);
  }
  // A negative frame time counts as none: the frame steps on the next update.
  if (m_FrameTime < 0 || shown > static_cast<std::uint32_t>(m_FrameTime)) {
    ++m_Frame;
    m_Timer.Reset();
  }
}

}  // namespace nsVesk::nsEffect
