#include "game/battle/effecter_on_open_chip.h"

#include <algorithm>
#include <cstdlib>

namespace nsVesk::nsGame::nsMine::nsEXEffect {

namespace {
std::uint32_t AxisDistance(std::int32_t from, std::int32_t to) {
  return static_cast<std::uint32_t>(std::llabs(static_cast<long long>(to) - from));
}

// from + (to - from) x p, truncated toward zero.
int Between(std::int32_t from, std::int32_t to, double p) {
  return static_cast<int>(from + (static_cast<double>(to) - from) * p);
}
}  // namespace

cEffecterOnOpenChip::cEffecterOnOpenChip(cImageTable* images)
    : m_StartAnimation(images), m_FlightAnimation(images), m_ArrivalAnimation(images), m_ImageTable(images) {}

void cEffecterOnOpenChip::LoadAnimations(const std::string& startFile, const std::string& flightFile,
                                         const std::string& arrivalFile) {
  m_StartAnimation.Load(startFile);
  m_FlightAnimation.Load(flightFile);
  m_ArrivalAnimation.Load(arrivalFile);
}

void cEffecterOnOpenChip::SetPoints(int startX, int startY, int endX, int endY) {
  m_StartAnimation.SetPosition(startX, startY);
  m_ArrivalAnimation.SetPosition(endX, endY);
  m_StartX = startX;
  m_StartY = startY;
  m_EndX = endX;
  m_EndY = endY;
  m_Distance = std::max(AxisDistance(startX, endX), AxisDistance(startY, endY));
}

void cEffecterOnOpenChip::Start() {
  Stop();
  m_StartAnimation.Start();
  m_FlightAnimation.Start();
  m_Progress = 0;
}

void cEffecterOnOpenChip::Stop() {
  m_StartAnimation.Stop();
  m_FlightAnimation.Stop();
  m_ArrivalAnimation.Stop();
}

bool cEffecterOnOpenChip::IsRunning() {
  return m_StartAnimation.IsRunning() || m_FlightAnimation.IsRunning() || m_ArrivalAnimation.IsRunning();
}

void cEffecterOnOpenChip::MoveFlight() {
  // The stopwatch runs from the template's construction and is never restarted,
  // so once past the interval the flight steps on every update.
  if (m_Timer.GetTime() > m_StepInterval) m_Progress += m_Step;
  if (m_Progress > m_Distance) m_Progress = m_Distance;
  // A flight of no distance is already at its end point.
  const double p = m_Distance != 0 ? static_cast<double>(m_Progress) / m_Distance : 1.0;
  m_FlightX = Between(m_StartX, m_EndX, p);
  m_FlightY = Between(m_StartY, m_EndY, p);
  m_FlightAnimation.SetPosition(m_FlightX, m_FlightY);
}

void cEffecterOnOpenChip::Update() {
  if (!IsRunning()) return;
  m_Timer.Update();
  m_StartAnimation.Update();
  if (m_FlightAnimation.IsRunning()) {
    MoveFlight();
    m_FlightAnimation.Update();
    if (!m_FlightAnimation.IsRunning()) m_FlightAnimation.Start();
    if (m_Progress == m_Distance) {
      m_FlightAnimation.Stop();
      m_ArrivalAnimation.Start();
    }
  } else if (m_ArrivalAnimation.IsRunning()) {
    m_ArrivalAnimation.Update();
  }
}

}  // namespace nsVesk::nsGame::nsMine::nsEXEffect
