#pragma once
// BaseDrawManager: the engine's draw manager. It holds the story screen's settings
// (text window, text areas and fonts, text speed, text cursors, the choice window,
// background colours), keeps the list of images it has made drawable, turns a
// frame's state into drawing calls and writes its blocks of env.dat and the save
// slots. It never draws by itself: every pixel goes through the back-end operations
// (screen, present, images, clear, blits, text, fill), which the game implements in
// its subclass.
//
// Colours are engine colours 0xAABBGGRR; rectangles are left, top, right, bottom.
// A source rectangle is valid when left <= right, top <= bottom, and left and top
// are 0 or more; a destination rectangle needs only the first two.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/api/draw_manager.h"
#include "engine/api/io_stream.h"
#include "engine/drawmanager/draw_settings.h"

namespace nsTamskLib::nsDrawManager {

class BaseDrawManager : public IDrawManager {
 public:
  BaseDrawManager();
  BaseDrawManager(const BaseDrawManager&) = delete;
  BaseDrawManager& operator=(const BaseDrawManager&) = delete;
  // Destroys the settings; the images are not released.
  ~BaseDrawManager() override;

  // The engine whose task manager, input, sound, variables and window the manager
  // uses; set by the player that owns it.
  void SetEngine(nsCore::INovelEngine* engine) { m_Engine = engine; }
  nsCore::INovelEngine* GetEngine() const { return m_Engine; }

  // Image bookkeeping around the back end's LoadImage / ReleaseImage. An empty
  // name is never loaded; a listed name is not loaded twice; an unlisted name is
  // never released. ReleaseAllImages gives true when every release succeeded.
  bool ReleaseAllImages() override;
  bool RegisterImage(const char* name) override;
  bool UnregisterImage(const char* name) override;

  // The script's text speed when it is 0 or more, else minus the config speed: the
  // sign tells which one applies.
  std::int32_t GetTextSpeed() override;
  void SetTextSpeed(std::int32_t speed) override;
  std::int32_t GetConfigTextSpeed() override;
  void SetConfigTextSpeed(std::int32_t speed) override;
  bool IsTextWindowVisible() override;
  void SetTextWindowVisible(bool visible) override;
  bool IsTextWindowForced() override;
  void SetTextWindowForced(bool forced) override;
  // A rectangle with left > right or top > bottom is fatal; nothing is stored.
  void SetTextWindow(TRect position, std::uint32_t fill, std::uint8_t alpha,
                     std::uint32_t borderWidth, std::uint32_t borderColor) override;
  // An invalid source rectangle is fatal. The image is registered.
  void SetTextWindow(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                     TRect src) override;
  const char* GetRubyFont() override;
  void SetRubyFont(const char* font) override;
  std::int32_t GetRubyFontSize() override;
  void SetRubyFontSize(std::int32_t size) override;

  void GetMessagePosition(std::int32_t* x, std::int32_t* y) override;
  void SetMessagePosition(std::int32_t x, std::int32_t y) override;
  std::int32_t GetMessageWidth() override;
  void SetMessageWidth(std::int32_t width) override;
  std::int32_t GetMessageHeight() override;
  void SetMessageHeight(std::int32_t height) override;
  std::uint32_t GetMessageColor() override;
  void SetMessageColor(std::uint32_t color) override;
  const char* GetMessageFont() override;
  void SetMessageFont(const char* font) override;
  std::int32_t GetMessageFontSize() override;
  void SetMessageFontSize(std::int32_t size) override;

  void GetTalkerPosition(std::int32_t* x, std::int32_t* y) override;
  void SetTalkerPosition(std::int32_t x, std::int32_t y) override;
  std::int32_t GetTalkerWidth() override;
  void SetTalkerWidth(std::int32_t width) override;
  std::int32_t GetTalkerHeight() override;
  void SetTalkerHeight(std::int32_t height) override;
  std::uint32_t GetTalkerColor() override;
  void SetTalkerColor(std::uint32_t color) override;
  const char* GetTalkerFont() override;
  void SetTalkerFont(const char* font) override;
  std::int32_t GetTalkerFontSize() override;
  void SetTalkerFontSize(std::int32_t size) override;

  // The getters give the stored sections themselves; the setters copy.
  TextTokenSection* GetMessageText() override;
  void SetMessageText(const TextTokenSection& text) override;
  TextTokenSection* GetTalkerText() override;
  void SetTalkerText(const TextTokenSection& text) override;

  void SetTextCursor(std::int32_t state) override;
  void SetTextCursorEnabled(std::uint8_t none, std::uint8_t click, std::uint8_t goNext,
                            std::uint8_t backLog) override;
  // Each: an invalid source rectangle is fatal; the image is registered.
  void SetTextCursorNone(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                         TRect src, std::uint8_t absolute) override;
  void SetTextCursorClick(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                          TRect src, std::uint8_t absolute) override;
  void SetTextCursorGoNext(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                           TRect src, std::uint8_t absolute) override;
  void SetTextCursorBackLog(const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                            TRect src, std::uint8_t absolute) override;

  std::int32_t GetSelectFontSize() override;
  void SetSelectFontSize(std::int32_t size) override;
  const char* GetSelectFont() override;
  void SetSelectFont(const char* font) override;
  std::int32_t GetSelectItemWidth() override;
  void SetSelectItemWidth(std::int32_t width) override;
  std::int32_t GetSelectItemHeight() override;
  void SetSelectItemHeight(std::int32_t height) override;
  void SetSelectTextColorNormal(std::uint32_t color) override;
  void SetSelectTextColorOnCursor(std::uint32_t color) override;
  void SetSelectTextColorOnHold(std::uint32_t color) override;
  void SetSelectBottomMargin(std::int32_t margin) override;
  void SetSelectDecideSound(const char* name) override;
  void SetSelectCursorSound(const char* name) override;
  void SetSelectWindow(std::int32_t margin, std::uint32_t fillNormal, std::uint32_t fillOnCursor,
                       std::uint32_t fillOnHold, std::uint8_t alpha, std::uint32_t borderWidth,
                       std::uint32_t borderNormal, std::uint32_t borderOnCursor,
                       std::uint32_t borderOnHold) override;
  // The three source rectangles are checked in the order normal, on cursor, on
  // hold; an invalid one is fatal. The image is registered.
  void SetSelectWindow(const char* name, std::uint8_t alpha, TRect normal, TRect onCursor,
                       TRect onHold) override;
  // The choice window's input step: hover and press per choice with their sounds;
  // on the frame a choice is made its number (from 1) goes into the variable named
  // at StartSelect, local before global, and the result is true.
  bool UpdateSelect() override;
  void StartSelect(const char* variable, std::uint32_t count,
                   const TextTokenSection* items) override;
  void EndSelect() override;
  std::uint32_t GetTargetBGColor() override;
  void SetTargetBGColor(std::uint32_t color) override;
  // Whether one of the choice window's sounds has the name.
  bool IsSoundInUse(const char* name) override;
  // Whether the text window, a text cursor or the choice window names the image,
  // whether or not its image form is in use.
  bool IsImageInUse(const char* name) override;

  // Per-frame drawing, at alpha 255: the message or talker section at its position,
  // in the tokens' own colours or in the colour given.
  void DrawMessageTextColor(std::uint32_t color) override;
  void DrawMessageText() override;
  void DrawTalkerTextColor(std::uint32_t color) override;
  void DrawTalkerText() override;
  // Draws the task manager's sorted task list by kind and transfer method; plug-in
  // kinds and methods through their registered functions. An unregistered one is
  // fatal.
  void DrawTasks() override;
  void DrawTextWindow() override;
  // The cursor of the current state, at its own position or after the message.
  void DrawTextCursor() override;
  void DrawSelectWindow() override;
  // A hook before the first effect stage; nothing here.
  void DrawUnderTasks() override;

  // A new game: releases every image and sets every setting back to its default
  // through the virtual setters (a subclass's overrides take part). The config text
  // speed stays.
  void Reset();

  // Guarded drawing: each draws nothing, and reports nothing, for an empty name or
  // text, alpha 0 or an invalid rectangle.
  void ClearScreen();
  void FillRectChecked(TRect rect, std::uint32_t color, std::uint8_t alpha);
  // The fill, then a frame of borderWidth pixels outside the rectangle as four
  // strips that do not overlap: top, right, bottom, left.
  void FillRectWithBorder(TRect rect, std::uint32_t fill, std::uint8_t alpha,
                          std::uint32_t borderWidth, std::uint32_t borderColor);
  void CheckedBlt0(const mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                   TRect src);
  void CheckedBlt1(const mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                   TRect src);
  void CheckedBlt2(const mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                   TRect src);
  void CheckedBlt4(const mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                   TRect src);
  void CheckedBlt5(const mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                   TRect src);
  void CheckedBlt6(const mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                   TRect src);
  void DrawTextChecked(const mystr& text, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                       const mystr& fontFace, std::int32_t size, std::uint32_t color,
                       std::uint8_t flag1, std::uint8_t flag2);
  // Laid-out text with its top-left at x, y: line by line, each token with its ruby
  // centred over it (or the token under a wider ruby); a glyph's alpha is its own
  // times the alpha given, over 255. The Ex form draws every glyph in one colour.
  void DrawTextSection(const TextTokenSection& section, std::int32_t x, std::int32_t y,
                       std::uint8_t alpha);
  void DrawTextSectionEx(const TextTokenSection& section, std::int32_t x, std::int32_t y,
                         std::uint8_t alpha, std::uint32_t color);

  // The colour each frame is cleared with (the transitions blend it towards the
  // target colour through the draw accessor).
  std::uint32_t GetCurrentBGColor() const { return m_Settings.CurrentBGColor; }
  void SetCurrentBGColor(std::uint32_t color) { m_Settings.CurrentBGColor = color; }

  // The env.dat block: the screen mode (u8, 1 = full screen), then the config text
  // speed (i32). Loading switches the screen mode only when applyScreenMode is set;
  // a value cut off by the end of the file is ignored.
  void SaveEnvironment(nsIOStream::IIOStream* stream);
  void LoadEnvironment(nsIOStream::IIOStream* stream, bool applyScreenMode);
  // The save-slot block: every setting but the config text speed, the forced text
  // window and the per-choice flags. Loading registers the images it names; an
  // open choice read from the block replaces the choices held before.
  void SaveState(nsIOStream::IIOStream* stream);
  void LoadState(nsIOStream::IIOStream* stream);

  // Every setting, for the scenes and the game's drawing.
  const DrawSettings& Settings() const { return m_Settings; }
  // Whether a queued task can be drawn: a built-in kind, an image whose transfer
  // method is built in or a plug-in's, or a kind a plug-in draws.
  static bool CanDrawTask(const nsTaskManager::DrawTask& task);
  // Where choice `item` (from 1) of the open choice window is drawn and clicked.
  TRect GetSelectItemRect(std::uint32_t item) { return SelectItemBox(ComputeSelectGeometry(), item); }
  // The images made drawable, in the order of loading.
  const std::vector<std::string>& GetLoadedImages() const { return m_LoadedImages; }

 protected:
  // The owner of the manager's fatal-error boxes: the engine's window, if any.
  WindowHandle OwnerWindow() const;

 private:
  using BltOperation = void (IDrawManager::*)(const mystr&, std::int32_t, std::int32_t,
                                              std::uint8_t, TRect);
  void CheckedBlt(BltOperation blt, const mystr& name, std::int32_t x, std::int32_t y,
                  std::uint8_t alpha, TRect src);
  void DrawSection(const TextTokenSection& section, std::int32_t x, std::int32_t y,
                   std::uint8_t alpha, const std::uint32_t* color);
  void DrawOneTask(const nsTaskManager::DrawTask& task);
  void StoreTextCursor(const char* setter, int kind, const char* name, std::int32_t x,
                       std::int32_t y, std::uint8_t alpha, TRect src, std::uint8_t absolute);
  void CheckSourceRect(const char* setter, const TRect& src) const;

  // The choice boxes: the size of one box and where box i (from 1) lies.
  struct SelectGeometry {
    std::int64_t left;
    std::int64_t right;
    std::int64_t width;
    std::int64_t height;
    std::int64_t gap;
  };
  SelectGeometry ComputeSelectGeometry();
  static TRect SelectItemBox(const SelectGeometry& geometry, std::uint32_t item);
  void SetSelectVariable(std::int32_t item);

  nsCore::INovelEngine* m_Engine;
  DrawSettings m_Settings;
  std::vector<std::string> m_LoadedImages;
};

}  // namespace nsTamskLib::nsDrawManager
