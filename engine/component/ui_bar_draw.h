#pragma once
// UICBarDraw: a slider of the engine's config screen, a bordered bar with a knob.
// The rate, 0 (left end) to 10000 (right end), places the knob; pressing on the bar
// or the knob moves the knob under the pointer and drags it while the button is
// held. Update reports the frames of a drag, in which the owner reads the rate.

#include <cstdint>
#include <string>

#include "engine/component/ui_component.h"

namespace nsTamskLib::nsComponent {

class UICBarDraw : public IUIComponent {
 public:
  static constexpr unsigned kMaxRate = 10000;

  UICBarDraw() = default;

  void Draw() override;
  // True while the knob is being dragged.
  bool Update() override;
  bool IsButton() override { return false; }

  void SetEngine(nsCore::INovelEngine* engine) { m_Engine = engine; }
  void SetDisabled(bool disabled) { m_Disabled = disabled; }
  void SetBorderWidth(int width) { m_BorderWidth = width; }
  // The bar's rectangle, then the knob's relative to the knob's centre.
  void SetRects(int left, int top, int right, int bottom, int knobLeft, int knobTop,
                int knobRight, int knobBottom, std::uint8_t alpha);
  // Sound names; an empty name plays nothing.
  void SetBarSounds(const std::string& over, const std::string& press);
  void SetFillColors(std::uint32_t normal, std::uint32_t over, std::uint32_t pressed,
                     std::uint32_t disabled);
  void SetBorderColors(std::uint32_t normal, std::uint32_t over, std::uint32_t pressed,
                       std::uint32_t disabled);
  // A rate above 10000 is fatal.
  void SetRate(unsigned rate);
  unsigned GetRate() const { return m_Rate; }

 private:
  // The knob's centre for the current rate.
  std::int64_t KnobX() const;
  std::int64_t KnobY() const;
  bool IsPointerOver(int x, int y) const;
  // The rate under the pointer's x, clamped to the bar's ends.
  unsigned RateAt(int x) const;

  nsCore::INovelEngine* m_Engine = nullptr;
  bool m_Disabled = false;
  unsigned m_Rate = 5000;
  int m_BorderWidth = 1;
  int m_Left = 0;
  int m_Top = 0;
  int m_Right = 0;
  int m_Bottom = 0;
  int m_KnobLeft = 0;
  int m_KnobTop = 0;
  int m_KnobRight = 0;
  int m_KnobBottom = 0;
  std::uint8_t m_Alpha = 0;
  std::string m_OverSound;
  std::string m_PressSound;
  ColorGroup m_FillColors{0, 0, 0, 0};
  ColorGroup m_BorderColors{0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080};
  bool m_Over = false;
  bool m_Dragging = false;
};

}  // namespace nsTamskLib::nsComponent
