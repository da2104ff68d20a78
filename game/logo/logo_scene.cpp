#include "game/logo/logo_scene.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "engine/api/sound_manager.h"
#include "game/core/param_access.h"
#include "game/core/program_objects.h"
#include "game/shell/shell_objects.h"

namespace nsVesk::nsLogo {
namespace {

constexpr char kLogoIni[] = "Data/Logo/Logo.ini";
constexpr char kCommonIni[] = "Data/Common.ini";
constexpr char kBackImage[] = "BackImage";

std::uint32_t LogoTime(const char* key) { return static_cast<std::uint32_t>(GetParamInt(kLogoIni, "Logo", key, 0)); }

std::string SoundName() { return GetParamString(kLogoIni, "Logo", "SEFileName", ""); }

nsTamskLib::nsSoundManager::ISoundManager* Sound() {
  return g_NovelPlayer != nullptr ? g_NovelPlayer->GetSoundManager() : nullptr;
}

void PlaySound(const std::string& name) {
  if (auto* sound = Sound()) sound->PlaySE(name.c_str());
}

void StopSound(const std::string& name) {
  if (auto* sound = Sound()) sound->StopSE(name.c_str());
}

}  // namespace

cLogoScene::cLogoScene() {
  m_Images.Load(kBackImage, GetParamString(kLogoIni, "Logo", "ImageFileName", ""));
  const auto low = [](const char* key) {
    return static_cast<std::uint32_t>(GetParamInt(kCommonIni, "Common", key, 0)) & 0xFFu;
  };
  const std::uint32_t color = low("ColorFadeinR") | low("ColorFadeinG") << 8 | low("ColorFadeinB") << 16;
  m_SkipFade.SetColorAndTime(color, static_cast<std::uint32_t>(GetParamInt(kCommonIni, "Common", "TimeFadein", 0)));
  Reset();
}

cLogoScene::~cLogoScene() { m_Images.Clear(); }

void cLogoScene::Reset() {
  m_SEPlayed = false;
  m_Timer.Reset();
  m_Skipped = false;
}

void cLogoScene::PreUpdate() {
  if (!m_SkipFade.IsRunning()) m_Timer.Update();
}

void cLogoScene::Update() {
  if (m_SkipFade.IsRunning()) return;
  if (m_Timer.GetTime() >= LogoTime("FadeinTime") && !m_SEPlayed) {
    PlaySound(SoundName());
    m_SEPlayed = true;
  }
  g_InputManager.Update();
}

std::int32_t cLogoScene::LogoAlpha(std::uint32_t t, std::uint32_t fadeIn, std::uint32_t hold,
                                   std::uint32_t fadeOut) {
  if (t < fadeIn) return static_cast<std::int32_t>(t * 255u / fadeIn);
  if (t < fadeIn + hold) return 255;
  if (t < fadeIn + hold + fadeOut) return static_cast<std::int32_t>(255u - (t - fadeIn - hold) * 255u / fadeOut);
  return -1;
}

void cLogoScene::Draw(bool present) {
  g_Graphic.Clear(0xFF000000u);
  const std::int32_t alpha =
      LogoAlpha(m_Timer.GetTime(), LogoTime("FadeinTime"), LogoTime("HoldTime"), LogoTime("FadeoutTime"));
  if (alpha >= 0) {
    if (auto* image = m_Images.Find(kBackImage)) {
      const nsZarn::nsGraphics::Rect source{GetParamInt(kLogoIni, "Logo", "ImageSrcRect_Left", 0),
                                            GetParamInt(kLogoIni, "Logo", "ImageSrcRect_Top", 0),
                                            GetParamInt(kLogoIni, "Logo", "ImageSrcRect_Right", 0),
                                            GetParamInt(kLogoIni, "Logo", "ImageSrcRect_Bottom", 0)};
      // Centred on the 800x600 screen; computed in 64 bits so that any rectangle
      // gives a place, truncated toward zero.
      const std::int64_t width = static_cast<std::int64_t>(source.right) - source.left;
      const std::int64_t height = static_cast<std::int64_t>(source.bottom) - source.top;
      const auto x = static_cast<int>(std::clamp<std::int64_t>((800 - width) / 2, INT32_MIN, INT32_MAX));
      const auto y = static_cast<int>(std::clamp<std::int64_t>((600 - height) / 2, INT32_MIN, INT32_MAX));
      image->Draw(x, y, static_cast<std::uint8_t>(alpha), &source, 1.0f, 1.0f, 0.0f);
    }
  }
  if (m_SkipFade.IsRunning()) m_SkipFade.Update();
  if (present) g_Graphic.Present();
}

void cLogoScene::CheckNextScene() {
  if (g_InputManager.IsLeftPushed() && !m_Skipped) {
    StopSound(SoundName());
    m_SkipFade.Start();
    m_Skipped = true;
  }
  const std::uint32_t end = LogoTime("FadeinTime") + LogoTime("HoldTime") + LogoTime("FadeoutTime");
  if (m_Timer.GetTime() >= end) {
    StopSound(SoundName());
    g_SceneManager.ChangeScene(nsCore::kSceneTitle);
  } else if (m_Skipped && !m_SkipFade.IsRunning()) {
    StopSound(SoundName());
    g_SceneManager.ChangeScene(nsCore::kSceneTitle);
  }
}

}  // namespace nsVesk::nsLogo
