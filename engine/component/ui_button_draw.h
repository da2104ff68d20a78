#pragma once
// UICButtonDraw: a button of the engine's story screens, a bordered rectangle with a
// centred caption. Update reports a click: pressed inside the button and released
// inside it. It plays its cursor-over sound when the pointer enters it and its press
// sound when it is pressed; a disabled button neither reacts nor sounds.

#include <cstdint>
#include <string>

#include "engine/component/ui_component.h"

namespace nsTamskLib::nsComponent {

class UICButtonDraw : public IUIComponent {
 public:
  UICButtonDraw() = default;

  void Draw() override;
  // True in the frame of a click.
  bool Update() override;
  bool IsButton() override { return true; }

  void SetEngine(nsCore::INovelEngine* engine) { m_Engine = engine; }
  void SetDisabled(bool disabled) { m_Disabled = disabled; }
  void SetBorderWidth(int width) { m_BorderWidth = width; }
  void SetRect(int left, int top, int right, int bottom, std::uint8_t alpha);
  // Sound names; an empty name plays nothing.
  void SetSounds(const std::string& over, const std::string& press);
  void SetCaption(const std::string& text, const std::string& font, int size);
  void SetTextColors(std::uint32_t normal, std::uint32_t over, std::uint32_t pressed,
                     std::uint32_t disabled);
  void SetFillColors(std::uint32_t normal, std::uint32_t over, std::uint32_t pressed,
                     std::uint32_t disabled);
  void SetBorderColors(std::uint32_t normal, std::uint32_t over, std::uint32_t pressed,
                       std::uint32_t disabled);

  bool IsDisabled() const { return m_Disabled; }
  const std::string& GetCaption() const { return m_Caption; }

 private:
  bool IsPointerInside() const;

  nsCore::INovelEngine* m_Engine = nullptr;
  bool m_Disabled = false;
  int m_BorderWidth = 1;
  int m_Left = 0;
  int m_Top = 0;
  int m_Right = 0;
  int m_Bottom = 0;
  std::uint8_t m_Alpha = 0;
  std::string m_OverSound;
  std::string m_PressSound;
  std::string m_Caption;
  std::string m_CaptionFont = "ＭＳ ゴシック";
  int m_CaptionSize = 20;
  ColorGroup m_TextColors{0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080};
  ColorGroup m_FillColors{0, 0, 0, 0};
  ColorGroup m_BorderColors{0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080};
  bool m_Over = false;
  bool m_Pressed = false;
};

}  // namespace nsTamskLib::nsComponent
