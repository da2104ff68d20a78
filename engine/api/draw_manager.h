#pragma once
// The draw manager as commands, scenes and the game see it (IDrawManager) and the
// draw accessor through which the plug-in's transitions and effects draw directly
// (IDMAccessor). Both are called by their position in the interface, so the order
// of the operations is part of the plug-in interface.
//
// Colours are engine colours 0xAABBGGRR; rectangles are left, top, right, bottom.

#include <cstdint>

#include "engine/api/fwd.h"
#include "engine/api/types.h"

namespace nsTamskLib::nsDrawManager {

class IDrawManager {
 public:
  // The images the manager has made drawable.
  virtual bool ReleaseAllImages() = 0;
  virtual bool RegisterImage(const char* name) = 0;
  virtual bool UnregisterImage(const char* name) = 0;

  // Back end: the screen.
  virtual std::int32_t GetScreenWidth() = 0;
  virtual std::int32_t GetScreenHeight() = 0;
  virtual bool IsFullScreen() = 0;
  virtual void SetFullScreen(bool fullScreen) = 0;

  // Settings.
  virtual std::int32_t GetTextSpeed() = 0;
  virtual void SetTextSpeed(std::int32_t speed) = 0;
  virtual std::int32_t GetConfigTextSpeed() = 0;
  virtual void SetConfigTextSpeed(std::int32_t speed) = 0;
  virtual bool IsTextWindowVisible() = 0;
  virtual void SetTextWindowVisible(bool visible) = 0;
  virtual bool IsTextWindowForced() = 0;
  virtual void SetTextWindowForced(bool forced) = 0;
  // The text window as a bordered filled rectangle.
  virtual void SetTextWindow(TRect position, std::uint32_t fill, std::uint8_t alpha,
                             std::uint32_t borderWidth, std::uint32_t borderColor) = 0;
  // The text window as a part of an image.
  virtual void SetTextWindow(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                             TRect src) = 0;
  virtual const char* GetRubyFont() = 0;
  virtual void SetRubyFont(const char* font) = 0;
  virtual std::int32_t GetRubyFontSize() = 0;
  virtual void SetRubyFontSize(std::int32_t size) = 0;

  virtual void GetMessagePosition(std::int32_t* x, std::int32_t* y) = 0;
  virtual void SetMessagePosition(std::int32_t x, std::int32_t y) = 0;
  virtual std::int32_t GetMessageWidth() = 0;
  virtual void SetMessageWidth(std::int32_t width) = 0;
  virtual std::int32_t GetMessageHeight() = 0;
  virtual void SetMessageHeight(std::int32_t height) = 0;
  virtual std::uint32_t GetMessageColor() = 0;
  virtual void SetMessageColor(std::uint32_t color) = 0;
  virtual const char* GetMessageFont() = 0;
  virtual void SetMessageFont(const char* font) = 0;
  virtual std::int32_t GetMessageFontSize() = 0;
  virtual void SetMessageFontSize(std::int32_t size) = 0;

  virtual void GetTalkerPosition(std::int32_t* x, std::int32_t* y) = 0;
  virtual void SetTalkerPosition(std::int32_t x, std::int32_t y) = 0;
  virtual std::int32_t GetTalkerWidth() = 0;
  virtual void SetTalkerWidth(std::int32_t width) = 0;
  virtual std::int32_t GetTalkerHeight() = 0;
  virtual void SetTalkerHeight(std::int32_t height) = 0;
  virtual std::uint32_t GetTalkerColor() = 0;
  virtual void SetTalkerColor(std::uint32_t color) = 0;
  virtual const char* GetTalkerFont() = 0;
  virtual void SetTalkerFont(const char* font) = 0;
  virtual std::int32_t GetTalkerFontSize() = 0;
  virtual void SetTalkerFontSize(std::int32_t size) = 0;

  virtual TextTokenSection* GetMessageText() = 0;
  virtual void SetMessageText(const TextTokenSection& text) = 0;
  virtual TextTokenSection* GetTalkerText() = 0;
  virtual void SetTalkerText(const TextTokenSection& text) = 0;

  // 0 none, 1 click wait, 2 go to next, 3 backlog.
  virtual void SetTextCursor(std::int32_t state) = 0;
  virtual void SetTextCursorEnabled(std::uint8_t none, std::uint8_t click, std::uint8_t goNext,
                                    std::uint8_t backLog) = 0;
  virtual void SetTextCursorNone(const char* name, std::int32_t x, std::int32_t y,
                                 std::uint8_t alpha, TRect src, std::uint8_t absolute) = 0;
  virtual void SetTextCursorClick(const char* name, std::int32_t x, std::int32_t y,
                                  std::uint8_t alpha, TRect src, std::uint8_t absolute) = 0;
  virtual void SetTextCursorGoNext(const char* name, std::int32_t x, std::int32_t y,
                                   std::uint8_t alpha, TRect src, std::uint8_t absolute) = 0;
  virtual void SetTextCursorBackLog(const char* name, std::int32_t x, std::int32_t y,
                                    std::uint8_t alpha, TRect src, std::uint8_t absolute) = 0;

  virtual std::int32_t GetSelectFontSize() = 0;
  virtual void SetSelectFontSize(std::int32_t size) = 0;
  virtual const char* GetSelectFont() = 0;
  virtual void SetSelectFont(const char* font) = 0;
  virtual std::int32_t GetSelectItemWidth() = 0;
  virtual void SetSelectItemWidth(std::int32_t width) = 0;
  virtual std::int32_t GetSelectItemHeight() = 0;
  virtual void SetSelectItemHeight(std::int32_t height) = 0;
  virtual void SetSelectTextColorNormal(std::uint32_t color) = 0;
  virtual void SetSelectTextColorOnCursor(std::uint32_t color) = 0;
  virtual void SetSelectTextColorOnHold(std::uint32_t color) = 0;
  virtual void SetSelectBottomMargin(std::int32_t margin) = 0;
  virtual void SetSelectDecideSound(const char* name) = 0;
  virtual void SetSelectCursorSound(const char* name) = 0;
  // The choice boxes as drawn rectangles.
  virtual void SetSelectWindow(std::int32_t margin, std::uint32_t fillNormal,
                               std::uint32_t fillOnCursor, std::uint32_t fillOnHold,
                               std::uint8_t alpha, std::uint32_t borderWidth,
                               std::uint32_t borderNormal, std::uint32_t borderOnCursor,
                               std::uint32_t borderOnHold) = 0;
  // The choice boxes as parts of an image.
  virtual void SetSelectWindow(const char* name, std::uint8_t alpha, TRect normal, TRect onCursor,
                               TRect onHold) = 0;
  // The choice window's input step; true in the frame an item was chosen.
  virtual bool UpdateSelect() = 0;
  virtual void StartSelect(const char* variable, std::uint32_t count,
                           const TextTokenSection* items) = 0;
  virtual void EndSelect() = 0;
  virtual std::uint32_t GetTargetBGColor() = 0;
  virtual void SetTargetBGColor(std::uint32_t color) = 0;
  virtual bool IsSoundInUse(const char* name) = 0;
  virtual bool IsImageInUse(const char* name) = 0;

  virtual ~IDrawManager() = default;

  // Per-frame drawing.
  virtual void Present() = 0;
  virtual void DrawMessageTextColor(std::uint32_t color) = 0;
  virtual void DrawMessageText() = 0;
  virtual void DrawTalkerTextColor(std::uint32_t color) = 0;
  virtual void DrawTalkerText() = 0;
  virtual void DrawTasks() = 0;
  virtual void DrawTextWindow() = 0;
  virtual void DrawTextCursor() = 0;
  virtual void DrawSelectWindow() = 0;
  virtual void DrawUnderTasks() = 0;

  // Back end: images and drawing.
  virtual bool LoadImage(const char* name) = 0;
  virtual bool ReleaseImage(const char* name) = 0;
  virtual void Clear(std::uint32_t color) = 0;
  virtual void Blt0(const mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                    TRect src) = 0;
  virtual void Blt1(const mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                    TRect src) = 0;
  virtual void Blt2(const mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                    TRect src) = 0;
  virtual void Blt4(const mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                    TRect src) = 0;
  virtual void Blt5(const mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                    TRect src) = 0;
  virtual void Blt6(const mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                    TRect src) = 0;
  virtual void DrawText(const mystr& text, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                        const mystr& fontFace, std::int32_t size, std::uint32_t color,
                        std::uint8_t flag1, std::uint8_t flag2) = 0;
  virtual void FillRect(TRect rect, std::uint32_t color, std::uint8_t alpha) = 0;
};

class IDMAccessor {
 public:
  // Clears the screen with the current background colour.
  virtual void ApplyBGColor() = 0;
  // Current background colour := target background colour.
  virtual void ResetBGColor() = 0;
  virtual std::uint32_t GetBGColor() = 0;
  virtual void SetBGColor(std::uint32_t color) = 0;
  virtual void Blt0(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                    TRect src) = 0;
  virtual void Blt1(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                    TRect src) = 0;
  virtual void Blt2(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                    TRect src) = 0;
  virtual void Blt4(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                    TRect src) = 0;
  virtual void Blt5(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                    TRect src) = 0;
  virtual void Blt6(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                    TRect src) = 0;
  virtual void DrawText(const char* text, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                        const char* fontFace, std::int32_t size, std::uint32_t color,
                        std::uint8_t flag1, std::uint8_t flag2) = 0;
  virtual void DrawTextSectionEx(const TextTokenSection& section, std::int32_t x, std::int32_t y,
                                 std::uint8_t alpha, std::uint32_t color) = 0;
  virtual void DrawTextSection(const TextTokenSection& section, std::int32_t x, std::int32_t y,
                               std::uint8_t alpha) = 0;
  virtual void FillRect(TRect rect, std::uint32_t color, std::uint8_t alpha) = 0;
  virtual void FillRectWithBorder(TRect rect, std::uint32_t fill, std::uint8_t alpha,
                                  std::uint32_t borderWidth, std::uint32_t borderColor) = 0;

 protected:
  virtual ~IDMAccessor() = default;
};

}  // namespace nsTamskLib::nsDrawManager
