#pragma once
// A reward or hit that flies across the screen: a start animation at the start
// point, a looping flight animation that travels to the end point, and an arrival
// animation there. The battle keeps one configured template per kind and sends
// copies of it.

#include <cstdint>
#include <string>

#include "framework/timer/timer.h"
#include "game/effects/effecter.h"
#include "game/effects/effecter_animation.h"

namespace nsVesk::nsGame::nsMine::nsEXEffect {

class cEffecterOnOpenChip : public nsEffect::IEffecter {
 public:
  static constexpr std::uint32_t kStep = 9;           // pixels along the longer axis per step
  static constexpr std::uint32_t kStepInterval = 16;  // ms

  // The animations draw from the table, which is not owned. The stopwatch starts
  // now and is copied with the effect.
  explicit cEffecterOnOpenChip(cImageTable* images);
  cEffecterOnOpenChip(const cEffecterOnOpenChip&) = default;
  cEffecterOnOpenChip& operator=(const cEffecterOnOpenChip&) = default;
  ~cEffecterOnOpenChip() override = default;

  void LoadAnimations(const std::string& startFile, const std::string& flightFile, const std::string& arrivalFile);
  // Places the start and arrival animations; the distance is the larger of the
  // two axis distances.
  void SetPoints(int startX, int startY, int endX, int endY);

  // Starts the start and flight animations from the start point.
  void Start() override;
  void Stop() override;
  // Plays the start animation; moves the flight one step when a step is due and
  // draws it; once it has reached the end point, plays the arrival animation.
  void Update() override;
  // While any of the three animations runs.
  bool IsRunning() override;

  std::uint32_t GetProgress() const { return m_Progress; }
  std::uint32_t GetDistance() const { return m_Distance; }
  // Where the flight animation was last placed.
  int GetFlightX() const { return m_FlightX; }
  int GetFlightY() const { return m_FlightY; }
  nsEffect::cEffecterAnimation& GetStartAnimation() { return m_StartAnimation; }
  nsEffect::cEffecterAnimation& GetFlightAnimation() { return m_FlightAnimation; }
  nsEffect::cEffecterAnimation& GetArrivalAnimation() { return m_ArrivalAnimation; }

 private:
  void MoveFlight();

  nsEffect::cEffecterAnimation m_StartAnimation;
  nsEffect::cEffecterAnimation m_FlightAnimation;
  nsEffect::cEffecterAnimation m_ArrivalAnimation;
  std::int32_t m_StartX = 0;
  std::int32_t m_StartY = 0;
  std::int32_t m_EndX = 0;
  std::int32_t m_EndY = 0;
  std::uint32_t m_Step = kStep;
  std::uint32_t m_Progress = 0;
  std::uint32_t m_Distance = 0;
  std::uint32_t m_StepInterval = kStepInterval;
  int m_FlightX = 0;
  int m_FlightY = 0;
  cImageTable* m_ImageTable;
  nsZarn::nsTimer::Timer m_Timer;
};

}  // namespace nsVesk::nsGame::nsMine::nsEXEffect
