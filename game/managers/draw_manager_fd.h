#pragma once
// The game's draw back end of the engine's draw manager: the screen, the frame, the
// engine's named images and every drawing call, on the program's graphics object.
// Images are read from the archive "Data.dat" under their file names.
//
// Colours: the engine's are 0xAABBGGRR (red in the lowest byte), the graphics
// object's 0xAARRGGBB; converting swaps the lowest and the third byte. Where the
// engine passes the alpha apart, it becomes the top byte.

#include <cstdint>

#include "engine/drawmanager/base_draw_manager.h"
#include "game/managers/image_table.h"

namespace nsVesk::nsDrawManagerfD {

// An engine colour 0xAABBGGRR as the graphics object's 0xAARRGGBB.
std::uint32_t ToGraphicColor(std::uint32_t engineColor);
// An engine colour's red, green and blue with the given alpha, as 0xAARRGGBB.
std::uint32_t ToGraphicColor(std::uint32_t engineColor, std::uint8_t alpha);

class DrawManagerfD : public nsTamskLib::nsDrawManager::BaseDrawManager {
 public:
  DrawManagerfD() = default;
  // Releases the images, then the engine's part goes.
  ~DrawManagerfD() override = default;

  std::int32_t GetScreenWidth() override;
  std::int32_t GetScreenHeight() override;
  bool IsFullScreen() override;
  void SetFullScreen(bool fullScreen) override;

  void Present() override;
  // False when the name is loaded already (the first image stays) or its file is
  // missing or cannot be decoded (nothing is kept).
  bool LoadImage(const char* name) override;
  // Always true; an unknown name changes nothing.
  bool ReleaseImage(const char* name) override;
  void Clear(std::uint32_t color) override;
  // Blit types 0 and 4: alpha blending; 1 and 5: additive; 2 and 6: subtractive.
  // Each draws the source rectangle at (x, y) unscaled; an unknown name draws
  // nothing.
  void Blt0(const nsTamskLib::mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
            nsTamskLib::TRect src) override;
  void Blt1(const nsTamskLib::mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
            nsTamskLib::TRect src) override;
  void Blt2(const nsTamskLib::mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
            nsTamskLib::TRect src) override;
  void Blt4(const nsTamskLib::mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
            nsTamskLib::TRect src) override;
  void Blt5(const nsTamskLib::mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
            nsTamskLib::TRect src) override;
  void Blt6(const nsTamskLib::mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
            nsTamskLib::TRect src) override;
  // Cached free text; flag1 is bold, flag2 italic.
  void DrawText(const nsTamskLib::mystr& text, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                const nsTamskLib::mystr& fontFace, std::int32_t size, std::uint32_t color, std::uint8_t flag1,
                std::uint8_t flag2) override;
  void FillRect(nsTamskLib::TRect rect, std::uint32_t color, std::uint8_t alpha) override;

  // The images loaded by name.
  const cImageTable& Images() const { return m_Images; }

 private:
  enum class BlitMode { Alpha, Add, Sub };
  void Blit(BlitMode mode, const nsTamskLib::mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
            nsTamskLib::TRect src);

  cImageTable m_Images;
};

}  // namespace nsVesk::nsDrawManagerfD
