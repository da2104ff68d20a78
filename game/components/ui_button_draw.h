#pragma once
// The image button: four looks (normal, cursor over, pressed, disabled), each an
// image of a scene's image table with a source rectangle, drawn at the button's
// top-left corner. It clicks like the text button: on the release inside after a
// press inside.

#include <array>
#include <cstdint>
#include <string>

#include "framework/graphics/draw2d.h"
#include "framework/graphics/graphics_types.h"
#include "game/components/button_state.h"
#include "game/components/ui_component.h"
#include "game/managers/image_table.h"

namespace nsVesk::nsComponent {

class UICButtonDraw : public IUIComponent {
 public:
  // One look: the image's name (also its archive file name) and its part.
  struct LookImage {
    std::string name;
    nsZarn::nsGraphics::Rect source{0, 0, 0, 0};
  };

  // The table is the scene's and is not owned; the images it loads stay there.
  explicit UICButtonDraw(cImageTable* images);
  ~UICButtonDraw() override = default;

  void SetRect(const nsZarn::nsGraphics::Rect& rect, std::uint8_t alpha) {
    m_Rect = rect;
    m_RectAlpha = alpha;
  }
  void SetSounds(const std::string& cursorSE, const std::string& clickSE) {
    m_CursorSE = cursorSE;
    m_ClickSE = clickSE;
  }
  void SetDisabled(bool disabled) { m_Disabled = disabled; }
  bool IsDisabled() const { return m_Disabled; }
  // The four looks in the order normal, cursor over, pressed, disabled. A look
  // whose name differs from the stored one loads its image into the table and
  // takes the new name and rectangle; an unchanged name keeps its old rectangle.
  void SetImages(const std::array<LookImage, 4>& looks);

  const nsZarn::nsGraphics::Rect& GetRect() const { return m_Rect; }
  ButtonLook GetLook() const { return CurrentLook(m_Disabled, m_Rect); }
  const LookImage& GetLookImage(ButtonLook look) const { return m_Looks[static_cast<std::size_t>(look)]; }
  // The image the button would draw now; null when its table holds none.
  nsZarn::nsGraphics::nsIDraw2D::IDraw2D* GetCurrentImage() const;

  // The current look's image at (left, top), alpha 255, unscaled; nothing when the
  // image is missing.
  void Draw() override;
  bool Update() override;

 private:
  bool m_Disabled = false;
  nsZarn::nsGraphics::Rect m_Rect{0, 0, 0, 0};
  std::uint8_t m_RectAlpha = 0;  // kept as given; drawing uses 255
  std::string m_CursorSE;
  std::string m_ClickSE;
  cImageTable* m_Images;
  std::array<LookImage, 4> m_Looks;
  ButtonInput m_Input;
};

}  // namespace nsVesk::nsComponent
