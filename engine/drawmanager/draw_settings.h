#pragma once
// DrawSettings: everything the story screen draws besides the draw tasks, with the
// defaults of a new manager. The members are in the order of the save-slot block;
// the config text speed, the forced text window and the per-choice hover and press
// flags are kept here too but are not part of that block.

#include <array>
#include <cstdint>
#include <vector>

#include "engine/api/mystr.h"
#include "engine/api/token_containers.h"
#include "engine/api/types.h"

namespace nsTamskLib::nsDrawManager {

// The font face of every text area of a new manager.
inline constexpr const char kDefaultFontFace[] = "ＭＳ ゴシック";

// Text cursor kinds, the index of the per-kind settings and the cursor state.
enum TextCursorKind : std::int32_t {
  kCursorNone = 0,
  kCursorClick = 1,
  kCursorGoNext = 2,
  kCursorBackLog = 3,
};
inline constexpr int kTextCursorKinds = 4;

// The looks of a choice: the index of the per-look colours and source rectangles.
enum SelectLook : int {
  kLookNormal = 0,
  kLookOnCursor = 1,
  kLookOnHold = 2,
};
inline constexpr int kSelectLooks = 3;

// Select state: no choice open, open with nothing touched, and the offsets of
// "held down" and "chosen" added to an item number (items count from 1).
inline constexpr std::int32_t kSelectClosed = -1;
inline constexpr std::int32_t kSelectIdle = 0;
inline constexpr std::int32_t kSelectHeldBase = 100;
inline constexpr std::int32_t kSelectChosenBase = 1000;

struct DrawSettings {
  std::int32_t ScriptTextSpeed = -1;  // negative: the config text speed applies
  std::int32_t ConfigTextSpeed = 60;
  bool TextWindowVisible = true;
  bool TextWindowForced = false;
  bool TextWindowIsImage = false;
  std::uint8_t TextWindowAlpha = 255;
  mystr TextWindowImage;
  std::int32_t TextWindowImageX = 0;
  std::int32_t TextWindowImageY = 0;
  TRect TextWindowSrcRect{0, 0, 0, 0};
  TRect TextWindowRect{25, 425, 775, 575};
  std::uint32_t TextWindowColor = 0;
  std::uint32_t TextWindowBorderColor = 0xFFFFFF;
  std::uint32_t TextWindowBorderWidth = 1;

  mystr RubyFont = kDefaultFontFace;
  std::int32_t RubyFontSize = 10;
  std::int32_t MessagePosX = 35;
  std::int32_t MessagePosY = 470;
  std::int32_t TalkerPosX = 35;
  std::int32_t TalkerPosY = 435;
  std::int32_t MessageWidth = 700;
  std::int32_t MessageHeight = 95;
  std::int32_t TalkerWidth = 700;
  std::int32_t TalkerHeight = 35;
  std::uint32_t MessageColor = 0xFFFFFF;
  std::uint32_t TalkerColor = 0xFFFFFF;
  mystr MessageFont = kDefaultFontFace;
  mystr TalkerFont = kDefaultFontFace;
  std::int32_t MessageFontSize = 25;
  std::int32_t TalkerFontSize = 25;
  TextTokenSection MessageText;
  TextTokenSection TalkerText;

  std::int32_t TextCursorState = kCursorNone;
  std::array<bool, kTextCursorKinds> TextCursorEnabled{};
  std::array<mystr, kTextCursorKinds> TextCursorImage{};
  std::array<std::int32_t, kTextCursorKinds> TextCursorX{};
  std::array<std::int32_t, kTextCursorKinds> TextCursorY{};
  std::array<std::uint8_t, kTextCursorKinds> TextCursorAlpha{255, 255, 255, 255};
  std::array<TRect, kTextCursorKinds> TextCursorSrcRect{};
  std::array<bool, kTextCursorKinds> TextCursorAbsolute{};

  std::int32_t SelectState = kSelectClosed;
  mystr SelectVariable;
  std::vector<TextTokenSection> SelectItems;
  // Per choice: the mouse is over it; the button went down on it.
  std::vector<bool> Hover;
  std::vector<bool> Pressed;
  std::int32_t SelectFontSize = 20;
  mystr SelectFont = kDefaultFontFace;
  std::int32_t SelectItemWidth = 500;
  std::int32_t SelectItemHeight = 25;
  std::array<std::uint32_t, kSelectLooks> SelectTextColor{0xFFFFFF, 0xC0C0C0, 0x808080};
  std::int32_t SelectBottomMargin = 175;
  mystr SelectDecideSound;
  mystr SelectCursorSound;
  bool SelectWindowIsImage = false;
  std::uint8_t SelectWindowAlpha = 255;
  mystr SelectWindowImage;
  std::array<TRect, kSelectLooks> SelectSrcRect{};
  std::int32_t SelectMargin = 10;
  std::array<std::uint32_t, kSelectLooks> SelectFillColor{0, 0, 0};
  std::uint32_t SelectBorderWidth = 1;
  std::array<std::uint32_t, kSelectLooks> SelectBorderColor{0xFFFFFF, 0xC0C0C0, 0x808080};

  std::uint32_t TargetBGColor = 0;
  std::uint32_t CurrentBGColor = 0;
};

}  // namespace nsTamskLib::nsDrawManager
