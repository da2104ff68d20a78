#pragma once
// A cut-in: over a dimmed screen a picture fades in (first phase), then grows about
// its centre while it fades out again (second phase). The enemy shows one at its
// crisis, each character one when it uses a bomb.

#include <cstdint>
#include <string>

#include "framework/graphics/graphics_types.h"
#include "framework/timer/timer.h"
#include "game/effects/effecter.h"
#include "game/managers/image_table.h"

namespace nsVesk::nsGame::nsMine::nsEXEffect {

class cEffecterCutin : public nsEffect::IEffecter {
 public:
  // The name the picture is kept under in the cut-in's own table.
  static constexpr const char* kImageName = "CutinImage";
  static constexpr nsZarn::nsGraphics::Color kDimColour = 0x80000000u;

  // How the picture is drawn at one moment of the cut-in.
  struct Pose {
    bool visible = false;  // false once both phases are over
    std::uint8_t alpha = 0;
    float scale = 1.0f;
    int x = 0;
    int y = 0;
  };

  cEffecterCutin() = default;

  // Keeps the picture's file, source rectangle and top-left corner (at the start
  // scale) and loads the picture under kImageName (a picture already there stays).
  void Load(const std::string& file, const nsZarn::nsGraphics::Rect& source, int x, int y);
  void SetAlpha(std::uint8_t from, std::uint8_t to) {
    m_AlphaFrom = from;
    m_AlphaTo = to;
  }
  void SetTime(std::uint32_t first, std::uint32_t second) {
    m_Time1 = first;
    m_Time2 = second;
  }
  void SetScale(float from, float to) {
    m_ScaleFrom = from;
    m_ScaleTo = to;
  }

  void Start() override;
  void Stop() override { m_Running = false; }
  // Dims the screen and draws the picture as posed at the time since Start; the
  // update at or past the end of both phases dims only and stops the cut-in.
  void Update() override;
  bool IsRunning() override { return m_Running; }

  // The picture's pose t milliseconds after Start.
  Pose PoseAt(std::uint32_t t) const;

  cImageTable& GetImageTable() { return m_ImageTable; }

 private:
  std::string m_FileName;
  nsZarn::nsGraphics::Rect m_SrcRect{0, 0, 0, 0};
  std::int32_t m_X = 0;
  std::int32_t m_Y = 0;
  std::uint8_t m_AlphaFrom = 0;
  std::uint8_t m_AlphaTo = 0;
  std::uint32_t m_Time1 = 0;
  std::uint32_t m_Time2 = 0;
  float m_ScaleFrom = 1.0f;
  float m_ScaleTo = 1.0f;
  bool m_Running = false;
  cImageTable m_ImageTable;
  nsZarn::nsTimer::Timer m_Timer;
};

}  // namespace nsVesk::nsGame::nsMine::nsEXEffect
