// The choice window: where its boxes lie, how they are drawn, and the input step
// that moves the select state through hover, hold and choice.
//
// The geometry is signed: a box wider than the screen starts at a negative x, and
// when the choices do not fit above the bottom margin the gap between them is 0,
// so that they stack from the top of the screen and stay clickable.

#include <algorithm>
#include <limits>

#include "engine/api/heaps.h"
#include "engine/api/input_manager.h"
#include "engine/api/novel_engine.h"
#include "engine/api/plugin_api.h"
#include "engine/api/sound_manager.h"
#include "engine/drawmanager/base_draw_manager.h"

namespace nsTamskLib::nsDrawManager {
namespace {

std::int32_t Clamp32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

bool IsHeld(std::int32_t state) { return state > kSelectHeldBase && state < kSelectChosenBase; }

}  // namespace

BaseDrawManager::SelectGeometry BaseDrawManager::ComputeSelectGeometry() {
  SelectGeometry g{};
  if (m_Settings.SelectWindowIsImage) {
    const TRect& normal = m_Settings.SelectSrcRect[kLookNormal];
    g.width = static_cast<std::int64_t>(normal.right) - normal.left;
    g.height = static_cast<std::int64_t>(normal.bottom) - normal.top;
  } else {
    const std::int64_t margins = 2 * static_cast<std::int64_t>(m_Settings.SelectMargin);
    g.width = static_cast<std::int64_t>(m_Settings.SelectItemWidth) + margins;
    g.height = static_cast<std::int64_t>(m_Settings.SelectItemHeight) + margins;
  }
  const std::int64_t screenWidth = GetScreenWidth();
  const std::int64_t screenHeight = GetScreenHeight();
  g.left = (screenWidth - g.width) >> 1;
  g.right = screenWidth - g.left;
  const auto n = static_cast<std::int64_t>(m_Settings.SelectItems.size());
  const std::int64_t room = screenHeight - n * g.height - m_Settings.SelectBottomMargin;
  g.gap = std::max<std::int64_t>(room / (n + 1), 0);
  return g;
}

TRect BaseDrawManager::SelectItemBox(const SelectGeometry& geometry, std::uint32_t item) {
  const std::int64_t i = item;
  const std::int64_t top = i * geometry.gap + (i - 1) * geometry.height;
  return TRect{Clamp32(geometry.left), Clamp32(top), Clamp32(geometry.right),
               Clamp32(top + geometry.height)};
}

void BaseDrawManager::DrawSelectWindow() {
  const std::int32_t state = m_Settings.SelectState;
  if (state < 0) return;
  const SelectGeometry geometry = ComputeSelectGeometry();
  const auto count = static_cast<std::uint32_t>(m_Settings.SelectItems.size());
  for (std::uint32_t item = 1; item <= count; ++item) {
    SelectLook look = kLookNormal;
    if (static_cast<std::uint32_t>(state % kSelectHeldBase) == item) {
      look = IsHeld(state) ? kLookOnHold : kLookOnCursor;
    }
    const TRect box = SelectItemBox(geometry, item);
    if (m_Settings.SelectWindowIsImage) {
      CheckedBlt0(m_Settings.SelectWindowImage, box.left, box.top, m_Settings.SelectWindowAlpha,
                  m_Settings.SelectSrcRect[look]);
    } else {
      FillRectWithBorder(box, m_Settings.SelectFillColor[look], m_Settings.SelectWindowAlpha,
                         m_Settings.SelectBorderWidth, m_Settings.SelectBorderColor[look]);
    }
    const TextTokenSection& text = m_Settings.SelectItems[item - 1];
    const std::int64_t x =
        box.left + ((geometry.width - static_cast<std::int64_t>(text.GetWidth())) >> 1);
    const std::int64_t y =
        box.top + ((geometry.height - static_cast<std::int64_t>(text.GetHeight())) >> 1);
    DrawTextSectionEx(text, Clamp32(x), Clamp32(y), 255, m_Settings.SelectTextColor[look]);
  }
}

void BaseDrawManager::SetSelectVariable(std::int32_t item) {
  const char* name = m_Settings.SelectVariable.c_str();
  nsSimulatedHeap::ISingleHeap* locals = m_Engine->GetLocalHeap();
  if (locals->Exists(name)) {
    locals->Set(name, item);
    return;
  }
  nsSimulatedHeap::ISingleHeap* globals = m_Engine->GetGlobalHeap();
  if (globals->Exists(name)) {
    globals->Set(name, item);
    return;
  }
  RuntimeError(OwnerWindow(), "%sは計算不可能なシンボルか存在しません！", name);
}

bool BaseDrawManager::UpdateSelect() {
  if (m_Settings.SelectState < 0) return false;
  nsInputManager::IInputManager* input = m_Engine->GetInputManager();
  nsSoundManager::ISoundManager* sound = m_Engine->GetSoundManager();
  int mouseX = 0;
  int mouseY = 0;
  input->GetMousePos(mouseX, mouseY);
  const SelectGeometry geometry = ComputeSelectGeometry();
  const auto count = static_cast<std::uint32_t>(m_Settings.SelectItems.size());
  for (std::uint32_t item = 1; item <= count; ++item) {
    const TRect box = SelectItemBox(geometry, item);
    const bool inside =
        mouseX >= box.left && mouseX <= box.right && mouseY >= box.top && mouseY <= box.bottom;
    const auto index = static_cast<std::size_t>(item - 1);
    const auto number = static_cast<std::int32_t>(item);

    if (!m_Settings.Hover[index]) {
      if (inside) {
        sound->PlaySE(m_Settings.SelectCursorSound.c_str());
        m_Settings.Hover[index] = true;
      }
    } else {
      m_Settings.Hover[index] = inside;
    }

    if (!m_Settings.Pressed[index]) {
      if (m_Settings.Hover[index] && input->IsSparePushed()) {
        sound->PlaySE(m_Settings.SelectDecideSound.c_str());
        m_Settings.Pressed[index] = true;
        m_Settings.SelectState = kSelectHeldBase + number;
        return false;
      }
    } else {
      m_Settings.Pressed[index] = m_Settings.Hover[index] && input->IsSpareDown();
      if (m_Settings.Pressed[index]) {
        m_Settings.SelectState = kSelectHeldBase + number;
        return false;
      }
      if (m_Settings.Hover[index] && input->IsSpareReleased()) {
        SetSelectVariable(number);
        m_Settings.SelectState = kSelectChosenBase + number;
        return true;
      }
    }

    if (m_Settings.Hover[index]) {
      m_Settings.SelectState = input->IsSpareDown() ? kSelectHeldBase + number : number;
      return false;
    }
  }
  m_Settings.SelectState = kSelectIdle;
  return false;
}

}  // namespace nsTamskLib::nsDrawManager
