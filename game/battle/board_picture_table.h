#pragma once
// The chip pictures of one board, kept in a game image table of its own: the
// board's view of pictures over the images read from the data archive.

#include <cstdint>
#include <string>

#include "game/battle/picture_table.h"
#include "game/core/program_objects.h"
#include "game/managers/image_table.h"

namespace nsVesk::nsGame {

class cBoardPictureTable final : public IPictureTable {
 public:
  void Load(const std::string& name, const std::string& file) override { m_Images.Load(name, file); }
  void Draw(const std::string& name, int x, int y, std::uint8_t alpha, const nsZarn::nsGraphics::Rect& source,
            float scaleX, float scaleY, float angle) override {
    if (auto* picture = m_Images.Find(name)) picture->Draw(x, y, alpha, &source, scaleX, scaleY, angle);
  }
  // The program's frame.
  nsZarn::nsGraphics::Rect DrawArea() const override {
    return nsZarn::nsGraphics::Rect{0, 0, g_Graphic.GetWidth(), g_Graphic.GetHeight()};
  }

 private:
  cImageTable m_Images;
};

}  // namespace nsVesk::nsGame
