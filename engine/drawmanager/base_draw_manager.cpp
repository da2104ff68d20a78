// The draw manager's settings, their defaults and checks, the choice list and the
// bookkeeping of loaded images.

#include "engine/drawmanager/base_draw_manager.h"

#include <algorithm>
#include <cstring>

#include "engine/api/novel_engine.h"
#include "engine/api/plugin_api.h"

namespace nsTamskLib::nsDrawManager {
namespace {

const char* OrEmpty(const char* text) { return text != nullptr ? text : ""; }

bool IsSourceRectValid(const TRect& src) {
  return src.top <= src.bottom && src.left <= src.right && src.top >= 0 && src.left >= 0;
}

bool SameName(const mystr& held, const char* name) { return std::strcmp(held.c_str(), name) == 0; }

}  // namespace

BaseDrawManager::BaseDrawManager() : m_Engine(nullptr) {}

BaseDrawManager::~BaseDrawManager() = default;

WindowHandle BaseDrawManager::OwnerWindow() const {
  return m_Engine != nullptr ? m_Engine->GetWindowHandle() : nullptr;
}

void BaseDrawManager::CheckSourceRect(const char* setter, const TRect& src) const {
  if (IsSourceRectValid(src)) return;
  RuntimeError(OwnerWindow(),
               "転送元矩形の指定が間違っています！\n（%s.SrcRect = {%d, %d, %d, %d}）", setter,
               src.left, src.top, src.right, src.bottom);
}

// Images.

// After each release the walk starts again at the front of the shortened list;
// after a failure it goes on with the next name, which stays listed. A release
// that succeeds but leaves the list as it was (a subclass's override) moves on
// too, so the walk always ends.
bool BaseDrawManager::ReleaseAllImages() {
  bool allReleased = true;
  std::size_t i = 0;
  while (i < m_LoadedImages.size()) {
    const std::size_t before = m_LoadedImages.size();
    const std::string name = m_LoadedImages[i];
    if (UnregisterImage(name.c_str())) {
      i = m_LoadedImages.size() < before ? 0 : i + 1;
    } else {
      allReleased = false;
      ++i;
    }
  }
  return allReleased;
}

bool BaseDrawManager::RegisterImage(const char* name) {
  const std::string wanted = OrEmpty(name);
  if (wanted.empty()) return true;
  if (std::find(m_LoadedImages.begin(), m_LoadedImages.end(), wanted) != m_LoadedImages.end()) {
    return true;
  }
  m_LoadedImages.push_back(wanted);
  if (LoadImage(wanted.c_str())) return true;
  const auto it = std::find(m_LoadedImages.begin(), m_LoadedImages.end(), wanted);
  if (it != m_LoadedImages.end()) m_LoadedImages.erase(it);
  return false;
}

bool BaseDrawManager::UnregisterImage(const char* name) {
  // Copied: the name may point into the list, which shrinks below.
  const std::string held = OrEmpty(name);
  if (held.empty()) return true;
  if (std::find(m_LoadedImages.begin(), m_LoadedImages.end(), held) == m_LoadedImages.end()) {
    return true;
  }
  if (!ReleaseImage(held.c_str())) return false;
  const auto it = std::find(m_LoadedImages.begin(), m_LoadedImages.end(), held);
  if (it != m_LoadedImages.end()) m_LoadedImages.erase(it);
  return true;
}

// Text speed and text window.

std::int32_t BaseDrawManager::GetTextSpeed() {
  return m_Settings.ScriptTextSpeed >= 0 ? m_Settings.ScriptTextSpeed : -m_Settings.ConfigTextSpeed;
}
void BaseDrawManager::SetTextSpeed(std::int32_t speed) { m_Settings.ScriptTextSpeed = speed; }
std::int32_t BaseDrawManager::GetConfigTextSpeed() { return m_Settings.ConfigTextSpeed; }
void BaseDrawManager::SetConfigTextSpeed(std::int32_t speed) { m_Settings.ConfigTextSpeed = speed; }
bool BaseDrawManager::IsTextWindowVisible() { return m_Settings.TextWindowVisible; }
void BaseDrawManager::SetTextWindowVisible(bool visible) { m_Settings.TextWindowVisible = visible; }
bool BaseDrawManager::IsTextWindowForced() { return m_Settings.TextWindowForced; }
void BaseDrawManager::SetTextWindowForced(bool forced) { m_Settings.TextWindowForced = forced; }

void BaseDrawManager::SetTextWindow(TRect position, std::uint32_t fill, std::uint8_t alpha,
                                    std::uint32_t borderWidth, std::uint32_t borderColor) {
  if (position.top > position.bottom || position.left > position.right) {
    RuntimeError(OwnerWindow(),
                 "矩形の指定が間違っています！\n（SetTextWindow.Position = {%d, %d, %d, %d}）",
                 position.left, position.top, position.right, position.bottom);
  }
  m_Settings.TextWindowRect = position;
  m_Settings.TextWindowColor = fill;
  m_Settings.TextWindowAlpha = alpha;
  m_Settings.TextWindowBorderWidth = borderWidth;
  m_Settings.TextWindowBorderColor = borderColor;
  m_Settings.TextWindowIsImage = false;
}

void BaseDrawManager::SetTextWindow(const char* name, std::int32_t x, std::int32_t y,
                                    std::uint8_t alpha, TRect src) {
  CheckSourceRect("SetTextWindow", src);
  m_Settings.TextWindowIsImage = true;
  m_Settings.TextWindowImage = OrEmpty(name);
  m_Settings.TextWindowImageX = x;
  m_Settings.TextWindowImageY = y;
  m_Settings.TextWindowSrcRect = src;
  m_Settings.TextWindowAlpha = alpha;
  (void)RegisterImage(m_Settings.TextWindowImage.c_str());
}

const char* BaseDrawManager::GetRubyFont() { return m_Settings.RubyFont.c_str(); }
void BaseDrawManager::SetRubyFont(const char* font) { m_Settings.RubyFont = OrEmpty(font); }
std::int32_t BaseDrawManager::GetRubyFontSize() { return m_Settings.RubyFontSize; }
void BaseDrawManager::SetRubyFontSize(std::int32_t size) { m_Settings.RubyFontSize = size; }

// Message and talker areas.

void BaseDrawManager::GetMessagePosition(std::int32_t* x, std::int32_t* y) {
  *x = m_Settings.MessagePosX;
  *y = m_Settings.MessagePosY;
}
void BaseDrawManager::SetMessagePosition(std::int32_t x, std::int32_t y) {
  m_Settings.MessagePosX = x;
  m_Settings.MessagePosY = y;
}
std::int32_t BaseDrawManager::GetMessageWidth() { return m_Settings.MessageWidth; }
void BaseDrawManager::SetMessageWidth(std::int32_t width) { m_Settings.MessageWidth = width; }
std::int32_t BaseDrawManager::GetMessageHeight() { return m_Settings.MessageHeight; }
void BaseDrawManager::SetMessageHeight(std::int32_t height) { m_Settings.MessageHeight = height; }
std::uint32_t BaseDrawManager::GetMessageColor() { return m_Settings.MessageColor; }
void BaseDrawManager::SetMessageColor(std::uint32_t color) { m_Settings.MessageColor = color; }
const char* BaseDrawManager::GetMessageFont() { return m_Settings.MessageFont.c_str(); }
void BaseDrawManager::SetMessageFont(const char* font) { m_Settings.MessageFont = OrEmpty(font); }
std::int32_t BaseDrawManager::GetMessageFontSize() { return m_Settings.MessageFontSize; }
void BaseDrawManager::SetMessageFontSize(std::int32_t size) { m_Settings.MessageFontSize = size; }

void BaseDrawManager::GetTalkerPosition(std::int32_t* x, std::int32_t* y) {
  *x = m_Settings.TalkerPosX;
  *y = m_Settings.TalkerPosY;
}
void BaseDrawManager::SetTalkerPosition(std::int32_t x, std::int32_t y) {
  m_Settings.TalkerPosX = x;
  m_Settings.TalkerPosY = y;
}
std::int32_t BaseDrawManager::GetTalkerWidth() { return m_Settings.TalkerWidth; }
void BaseDrawManager::SetTalkerWidth(std::int32_t width) { m_Settings.TalkerWidth = width; }
std::int32_t BaseDrawManager::GetTalkerHeight() { return m_Settings.TalkerHeight; }
void BaseDrawManager::SetTalkerHeight(std::int32_t height) { m_Settings.TalkerHeight = height; }
std::uint32_t BaseDrawManager::GetTalkerColor() { return m_Settings.TalkerColor; }
void BaseDrawManager::SetTalkerColor(std::uint32_t color) { m_Settings.TalkerColor = color; }
const char* BaseDrawManager::GetTalkerFont() { return m_Settings.TalkerFont.c_str(); }
void BaseDrawManager::SetTalkerFont(const char* font) { m_Settings.TalkerFont = OrEmpty(font); }
std::int32_t BaseDrawManager::GetTalkerFontSize() { return m_Settings.TalkerFontSize; }
void BaseDrawManager::SetTalkerFontSize(std::int32_t size) { m_Settings.TalkerFontSize = size; }

TextTokenSection* BaseDrawManager::GetMessageText() { return &m_Settings.MessageText; }
void BaseDrawManager::SetMessageText(const TextTokenSection& text) {
  m_Settings.MessageText = text;
}
TextTokenSection* BaseDrawManager::GetTalkerText() { return &m_Settings.TalkerText; }
void BaseDrawManager::SetTalkerText(const TextTokenSection& text) { m_Settings.TalkerText = text; }

// Text cursors.

void BaseDrawManager::SetTextCursor(std::int32_t state) { m_Settings.TextCursorState = state; }

void BaseDrawManager::SetTextCursorEnabled(std::uint8_t none, std::uint8_t click,
                                           std::uint8_t goNext, std::uint8_t backLog) {
  m_Settings.TextCursorEnabled = {none != 0, click != 0, goNext != 0, backLog != 0};
}

void BaseDrawManager::StoreTextCursor(const char* setter, int kind, const char* name,
                                      std::int32_t x, std::int32_t y, std::uint8_t alpha, TRect src,
                                      std::uint8_t absolute) {
  CheckSourceRect(setter, src);
  const auto k = static_cast<std::size_t>(kind);
  m_Settings.TextCursorImage[k] = OrEmpty(name);
  m_Settings.TextCursorX[k] = x;
  m_Settings.TextCursorY[k] = y;
  m_Settings.TextCursorAlpha[k] = alpha;
  m_Settings.TextCursorSrcRect[k] = src;
  m_Settings.TextCursorAbsolute[k] = absolute != 0;
  (void)RegisterImage(m_Settings.TextCursorImage[k].c_str());
}

void BaseDrawManager::SetTextCursorNone(const char* name, std::int32_t x, std::int32_t y,
                                        std::uint8_t alpha, TRect src, std::uint8_t absolute) {
  StoreTextCursor("SetTextCursorNone", kCursorNone, name, x, y, alpha, src, absolute);
}
void BaseDrawManager::SetTextCursorClick(const char* name, std::int32_t x, std::int32_t y,
                                         std::uint8_t alpha, TRect src, std::uint8_t absolute) {
  StoreTextCursor("SetTextCursorClick", kCursorClick, name, x, y, alpha, src, absolute);
}
void BaseDrawManager::SetTextCursorGoNext(const char* name, std::int32_t x, std::int32_t y,
                                          std::uint8_t alpha, TRect src, std::uint8_t absolute) {
  StoreTextCursor("SetTextCursorGoNext", kCursorGoNext, name, x, y, alpha, src, absolute);
}
void BaseDrawManager::SetTextCursorBackLog(const char* name, std::int32_t x, std::int32_t y,
                                           std::uint8_t alpha, TRect src, std::uint8_t absolute) {
  StoreTextCursor("SetTextCursorBackLog", kCursorBackLog, name, x, y, alpha, src, absolute);
}

// Choice window.

std::int32_t BaseDrawManager::GetSelectFontSize() { return m_Settings.SelectFontSize; }
void BaseDrawManager::SetSelectFontSize(std::int32_t size) { m_Settings.SelectFontSize = size; }
const char* BaseDrawManager::GetSelectFont() { return m_Settings.SelectFont.c_str(); }
void BaseDrawManager::SetSelectFont(const char* font) { m_Settings.SelectFont = OrEmpty(font); }
std::int32_t BaseDrawManager::GetSelectItemWidth() { return m_Settings.SelectItemWidth; }
void BaseDrawManager::SetSelectItemWidth(std::int32_t width) { m_Settings.SelectItemWidth = width; }
std::int32_t BaseDrawManager::GetSelectItemHeight() { return m_Settings.SelectItemHeight; }
void BaseDrawManager::SetSelectItemHeight(std::int32_t height) {
  m_Settings.SelectItemHeight = height;
}
void BaseDrawManager::SetSelectTextColorNormal(std::uint32_t color) {
  m_Settings.SelectTextColor[kLookNormal] = color;
}
void BaseDrawManager::SetSelectTextColorOnCursor(std::uint32_t color) {
  m_Settings.SelectTextColor[kLookOnCursor] = color;
}
void BaseDrawManager::SetSelectTextColorOnHold(std::uint32_t color) {
  m_Settings.SelectTextColor[kLookOnHold] = color;
}
void BaseDrawManager::SetSelectBottomMargin(std::int32_t margin) {
  m_Settings.SelectBottomMargin = margin;
}
void BaseDrawManager::SetSelectDecideSound(const char* name) {
  m_Settings.SelectDecideSound = OrEmpty(name);
}
void BaseDrawManager::SetSelectCursorSound(const char* name) {
  m_Settings.SelectCursorSound = OrEmpty(name);
}

void BaseDrawManager::SetSelectWindow(std::int32_t margin, std::uint32_t fillNormal,
                                      std::uint32_t fillOnCursor, std::uint32_t fillOnHold,
                                      std::uint8_t alpha, std::uint32_t borderWidth,
                                      std::uint32_t borderNormal, std::uint32_t borderOnCursor,
                                      std::uint32_t borderOnHold) {
  m_Settings.SelectMargin = margin;
  m_Settings.SelectFillColor = {fillNormal, fillOnCursor, fillOnHold};
  m_Settings.SelectWindowAlpha = alpha;
  m_Settings.SelectBorderWidth = borderWidth;
  m_Settings.SelectBorderColor = {borderNormal, borderOnCursor, borderOnHold};
  m_Settings.SelectWindowIsImage = false;
}

void BaseDrawManager::SetSelectWindow(const char* name, std::uint8_t alpha, TRect normal,
                                      TRect onCursor, TRect onHold) {
  CheckSourceRect("SetSelectWindow[Normal]", normal);
  CheckSourceRect("SetSelectWindow[OnCursor]", onCursor);
  CheckSourceRect("SetSelectWindow[OnHold]", onHold);
  m_Settings.SelectWindowIsImage = true;
  m_Settings.SelectWindowImage = OrEmpty(name);
  m_Settings.SelectWindowAlpha = alpha;
  m_Settings.SelectSrcRect = {normal, onCursor, onHold};
  (void)RegisterImage(m_Settings.SelectWindowImage.c_str());
}

void BaseDrawManager::StartSelect(const char* variable, std::uint32_t count,
                                  const TextTokenSection* items) {
  m_Settings.SelectVariable = OrEmpty(variable);
  m_Settings.SelectState = kSelectIdle;
  m_Settings.SelectItems.clear();
  m_Settings.Hover.clear();
  m_Settings.Pressed.clear();
  for (std::uint32_t i = 0; i < count; ++i) {
    m_Settings.SelectItems.push_back(items[i]);
    m_Settings.Hover.push_back(false);
    m_Settings.Pressed.push_back(false);
  }
}

void BaseDrawManager::EndSelect() {
  m_Settings.SelectVariable = "";
  m_Settings.SelectState = kSelectClosed;
  m_Settings.SelectItems.clear();
  m_Settings.Pressed.clear();
  m_Settings.Hover.clear();
}

// Background colour and the in-use queries.

std::uint32_t BaseDrawManager::GetTargetBGColor() { return m_Settings.TargetBGColor; }
void BaseDrawManager::SetTargetBGColor(std::uint32_t color) { m_Settings.TargetBGColor = color; }

bool BaseDrawManager::IsSoundInUse(const char* name) {
  const char* wanted = OrEmpty(name);
  return SameName(m_Settings.SelectCursorSound, wanted) ||
         SameName(m_Settings.SelectDecideSound, wanted);
}

bool BaseDrawManager::IsImageInUse(const char* name) {
  const char* wanted = OrEmpty(name);
  if (SameName(m_Settings.TextWindowImage, wanted)) return true;
  for (const mystr& image : m_Settings.TextCursorImage) {
    if (SameName(image, wanted)) return true;
  }
  return SameName(m_Settings.SelectWindowImage, wanted);
}

// A new game.

void BaseDrawManager::Reset() {
  const DrawSettings defaults;
  const TRect noRect{0, 0, 0, 0};
  ReleaseAllImages();
  SetTextSpeed(defaults.ScriptTextSpeed);
  SetTextWindowVisible(defaults.TextWindowVisible);
  SetTextWindowForced(defaults.TextWindowForced);
  SetTextWindow(defaults.TextWindowRect, defaults.TextWindowColor, defaults.TextWindowAlpha,
                defaults.TextWindowBorderWidth, defaults.TextWindowBorderColor);
  SetRubyFont(kDefaultFontFace);
  SetRubyFontSize(defaults.RubyFontSize);
  SetMessagePosition(defaults.MessagePosX, defaults.MessagePosY);
  SetMessageWidth(defaults.MessageWidth);
  SetMessageHeight(defaults.MessageHeight);
  SetMessageColor(defaults.MessageColor);
  SetMessageFont(kDefaultFontFace);
  SetMessageFontSize(defaults.MessageFontSize);
  SetTalkerPosition(defaults.TalkerPosX, defaults.TalkerPosY);
  SetTalkerWidth(defaults.TalkerWidth);
  SetTalkerHeight(defaults.TalkerHeight);
  SetTalkerColor(defaults.TalkerColor);
  SetTalkerFont(kDefaultFontFace);
  SetTalkerFontSize(defaults.TalkerFontSize);
  SetMessageText(defaults.MessageText);
  SetTalkerText(defaults.TalkerText);
  SetTextCursor(defaults.TextCursorState);
  SetTextCursorEnabled(0, 0, 0, 0);
  SetTextCursorNone("", 0, 0, 255, noRect, 0);
  SetTextCursorClick("", 0, 0, 255, noRect, 0);
  SetTextCursorGoNext("", 0, 0, 255, noRect, 0);
  SetTextCursorBackLog("", 0, 0, 255, noRect, 0);
  SetSelectFontSize(defaults.SelectFontSize);
  SetSelectFont(kDefaultFontFace);
  SetSelectItemWidth(defaults.SelectItemWidth);
  SetSelectItemHeight(defaults.SelectItemHeight);
  SetSelectTextColorNormal(defaults.SelectTextColor[kLookNormal]);
  SetSelectTextColorOnCursor(defaults.SelectTextColor[kLookOnCursor]);
  SetSelectTextColorOnHold(defaults.SelectTextColor[kLookOnHold]);
  SetSelectBottomMargin(defaults.SelectBottomMargin);
  SetSelectDecideSound("");
  SetSelectCursorSound("");
  SetSelectWindow(defaults.SelectMargin, defaults.SelectFillColor[kLookNormal],
                  defaults.SelectFillColor[kLookOnCursor], defaults.SelectFillColor[kLookOnHold],
                  defaults.SelectWindowAlpha, defaults.SelectBorderWidth,
                  defaults.SelectBorderColor[kLookNormal],
                  defaults.SelectBorderColor[kLookOnCursor],
                  defaults.SelectBorderColor[kLookOnHold]);
  EndSelect();
  SetTargetBGColor(defaults.TargetBGColor);
  m_Settings.CurrentBGColor = defaults.CurrentBGColor;
}

}  // namespace nsTamskLib::nsDrawManager
