#include "game/select/effecter_select.h"

#include "game/core/param_access.h"
#include "game/core/program_objects.h"
#include "game/selection/selection_state.h"
#include "game/selection/selection_tables.h"

namespace nsVesk::nsSelect {
namespace {

using nsComponent::UICButtonDraw;
using nsZarn::nsGraphics::Rect;

void DrawButtonImage(const UICButtonDraw* button, const Rect& place, const Rect& source, std::uint8_t alpha) {
  if (button == nullptr) return;
  if (auto* image = button->GetCurrentImage()) image->Draw(place.left, place.top, alpha, &source, 1.0f, 1.0f, 0.0f);
}

}  // namespace

void DrawSelectBack() {
  if (auto* image = g_SelectBackImages.Find(kSelectBackImage)) {
    const Rect source = GetParamRect(kSelectIni, "CG", "BackSrcRect");
    image->Draw(0, 0, 255, &source, 1.0f, 1.0f, 0.0f);
  }
}

void cEffecterSelect::Start() {
  m_Timer.Reset();
  m_Running = true;
}

std::uint32_t cEffecterSelect::Progress(std::uint32_t t, std::uint32_t time) {
  if (time == 0) return 256;
  return t * 255u / time;
}

void cEffecterSelect::Update() {
  if (!m_Running) return;
  const std::uint32_t t = m_Timer.Update();
  DrawSelectBack();
  g_Graphic.DrawFreeText("戻る", 650, 500, 0xFF808080u, "HG行書体", 40, false, false, 0.0f);
  std::uint32_t p = Progress(t, m_Time);
  if (p > 255) {
    p = 255;
    m_Running = false;
  }
  // The scene only changes from the character page to the enemy page.
  if (m_FromPage != 0 || m_ToPage != 1) return;
  const auto shown = static_cast<std::uint8_t>(p);
  const auto hidden = static_cast<std::uint8_t>(255 - p);
  for (std::size_t i = 0; i < g_CharaButtons.size(); ++i) {
    DrawButtonImage(g_CharaButtons[i], g_CharaClickRects.at(i), g_CharaSrcRects.at(i), hidden);
  }
  if (g_SelectChara < 0 || static_cast<std::size_t>(g_SelectChara) >= g_EnemyButtons.size()) return;
  const auto chara = static_cast<std::size_t>(g_SelectChara);
  for (std::size_t e = 0; e < g_EnemyButtons[chara].size(); ++e) {
    DrawButtonImage(g_EnemyButtons[chara][e], g_EnemyClickRects.at(chara).at(e), g_EnemySrcRects.at(chara).at(e),
                    shown);
  }
}

}  // namespace nsVesk::nsSelect
