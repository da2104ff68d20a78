// The draw manager's blocks in env.dat and in the save slots. Numbers and bytes go
// through the stream's raw primitives (little-endian, no padding), strings in the
// stream's string form, laid-out text in its section form. Every single read or
// write first checks that the stream is open.

#include <cstdint>

#include "engine/api/plugin_api.h"
#include "engine/api/stream_words.h"
#include "engine/drawmanager/base_draw_manager.h"

namespace nsTamskLib::nsDrawManager {
namespace {

using nsIOStream::IIOStream;

void WriteBool(IIOStream* stream, bool value) { WriteU8(*stream, value ? 1 : 0); }

void WriteRect(IIOStream* stream, const TRect& rect) {
  WriteI32(*stream, rect.left);
  WriteI32(*stream, rect.top);
  WriteI32(*stream, rect.right);
  WriteI32(*stream, rect.bottom);
}

void WriteString(IIOStream* stream, const mystr& text) {
  RequireOpen(*stream);
  stream->SaveStringM(text);
}

void WriteSection(IIOStream* stream, const TextTokenSection& section) {
  RequireOpen(*stream);
  stream->SaveTextTokenSection(section);
}

bool ReadBool(IIOStream* stream) { return ReadU8(*stream) != 0; }

TRect ReadRect(IIOStream* stream) {
  TRect rect{0, 0, 0, 0};
  rect.left = ReadI32(*stream);
  rect.top = ReadI32(*stream);
  rect.right = ReadI32(*stream);
  rect.bottom = ReadI32(*stream);
  return rect;
}

void ReadString(IIOStream* stream, mystr& text) {
  RequireOpen(*stream);
  stream->LoadStringM(text);
}

void ReadSection(IIOStream* stream, TextTokenSection& section) {
  RequireOpen(*stream);
  stream->LoadTextTokenSection(section);
}

}  // namespace

void BaseDrawManager::SaveEnvironment(IIOStream* stream) {
  WriteU8(*stream, IsFullScreen() ? 1 : 0);
  WriteI32(*stream, m_Settings.ConfigTextSpeed);
}

// A value cut off by the end of the file is not taken: a damaged env.dat neither
// switches the screen nor sets the text speed to 0.
void BaseDrawManager::LoadEnvironment(IIOStream* stream, bool applyScreenMode) {
  const bool fullScreen = ReadBool(stream);
  if (applyScreenMode && !stream->HasReadFailed()) SetFullScreen(fullScreen);
  const std::int32_t speed = ReadI32(*stream);
  if (!stream->HasReadFailed()) m_Settings.ConfigTextSpeed = speed;
}

void BaseDrawManager::SaveState(IIOStream* stream) {
  const DrawSettings& s = m_Settings;
  WriteI32(*stream, s.ScriptTextSpeed);
  WriteBool(stream, s.TextWindowVisible);
  WriteBool(stream, s.TextWindowIsImage);
  WriteU8(*stream, s.TextWindowAlpha);
  WriteString(stream, s.TextWindowImage);
  WriteI32(*stream, s.TextWindowImageX);
  WriteI32(*stream, s.TextWindowImageY);
  WriteRect(stream, s.TextWindowSrcRect);
  WriteRect(stream, s.TextWindowRect);
  WriteU32(*stream, s.TextWindowColor);
  WriteU32(*stream, s.TextWindowBorderColor);
  WriteU32(*stream, s.TextWindowBorderWidth);

  WriteString(stream, s.RubyFont);
  WriteI32(*stream, s.RubyFontSize);
  WriteI32(*stream, s.MessagePosX);
  WriteI32(*stream, s.MessagePosY);
  WriteI32(*stream, s.TalkerPosX);
  WriteI32(*stream, s.TalkerPosY);
  WriteI32(*stream, s.MessageWidth);
  WriteI32(*stream, s.MessageHeight);
  WriteI32(*stream, s.TalkerWidth);
  WriteI32(*stream, s.TalkerHeight);
  WriteU32(*stream, s.MessageColor);
  WriteU32(*stream, s.TalkerColor);
  WriteString(stream, s.MessageFont);
  WriteString(stream, s.TalkerFont);
  WriteI32(*stream, s.MessageFontSize);
  WriteI32(*stream, s.TalkerFontSize);
  WriteSection(stream, s.MessageText);
  WriteSection(stream, s.TalkerText);

  WriteI32(*stream, s.TextCursorState);
  for (const bool enabled : s.TextCursorEnabled) WriteBool(stream, enabled);
  for (const mystr& image : s.TextCursorImage) WriteString(stream, image);
  for (const std::int32_t x : s.TextCursorX) WriteI32(*stream, x);
  for (const std::int32_t y : s.TextCursorY) WriteI32(*stream, y);
  for (const std::uint8_t alpha : s.TextCursorAlpha) WriteU8(*stream, alpha);
  for (const TRect& src : s.TextCursorSrcRect) WriteRect(stream, src);
  for (const bool absolute : s.TextCursorAbsolute) WriteBool(stream, absolute);

  WriteI32(*stream, s.SelectState);
  WriteString(stream, s.SelectVariable);
  WriteU32(*stream, static_cast<std::uint32_t>(s.SelectItems.size()));
  for (const TextTokenSection& item : s.SelectItems) WriteSection(stream, item);
  WriteI32(*stream, s.SelectFontSize);
  WriteString(stream, s.SelectFont);
  WriteI32(*stream, s.SelectItemWidth);
  WriteI32(*stream, s.SelectItemHeight);
  for (const std::uint32_t color : s.SelectTextColor) WriteU32(*stream, color);
  WriteI32(*stream, s.SelectBottomMargin);
  WriteString(stream, s.SelectDecideSound);
  WriteString(stream, s.SelectCursorSound);
  WriteBool(stream, s.SelectWindowIsImage);
  WriteU8(*stream, s.SelectWindowAlpha);
  WriteString(stream, s.SelectWindowImage);
  for (const TRect& src : s.SelectSrcRect) WriteRect(stream, src);
  WriteI32(*stream, s.SelectMargin);
  for (const std::uint32_t color : s.SelectFillColor) WriteU32(*stream, color);
  WriteU32(*stream, s.SelectBorderWidth);
  for (const std::uint32_t color : s.SelectBorderColor) WriteU32(*stream, color);

  WriteU32(*stream, s.TargetBGColor);
  WriteU32(*stream, s.CurrentBGColor);
}

void BaseDrawManager::LoadState(IIOStream* stream) {
  DrawSettings& s = m_Settings;
  s.ScriptTextSpeed = ReadI32(*stream);
  s.TextWindowVisible = ReadBool(stream);
  s.TextWindowIsImage = ReadBool(stream);
  s.TextWindowAlpha = ReadU8(*stream);
  ReadString(stream, s.TextWindowImage);
  (void)RegisterImage(s.TextWindowImage.c_str());
  s.TextWindowImageX = ReadI32(*stream);
  s.TextWindowImageY = ReadI32(*stream);
  s.TextWindowSrcRect = ReadRect(stream);
  s.TextWindowRect = ReadRect(stream);
  s.TextWindowColor = ReadU32(*stream);
  s.TextWindowBorderColor = ReadU32(*stream);
  s.TextWindowBorderWidth = ReadU32(*stream);

  ReadString(stream, s.RubyFont);
  s.RubyFontSize = ReadI32(*stream);
  s.MessagePosX = ReadI32(*stream);
  s.MessagePosY = ReadI32(*stream);
  s.TalkerPosX = ReadI32(*stream);
  s.TalkerPosY = ReadI32(*stream);
  s.MessageWidth = ReadI32(*stream);
  s.MessageHeight = ReadI32(*stream);
  s.TalkerWidth = ReadI32(*stream);
  s.TalkerHeight = ReadI32(*stream);
  s.MessageColor = ReadU32(*stream);
  s.TalkerColor = ReadU32(*stream);
  ReadString(stream, s.MessageFont);
  ReadString(stream, s.TalkerFont);
  s.MessageFontSize = ReadI32(*stream);
  s.TalkerFontSize = ReadI32(*stream);
  ReadSection(stream, s.MessageText);
  ReadSection(stream, s.TalkerText);

  s.TextCursorState = ReadI32(*stream);
  for (bool& enabled : s.TextCursorEnabled) enabled = ReadBool(stream);
  for (mystr& image : s.TextCursorImage) {
    ReadString(stream, image);
    (void)RegisterImage(image.c_str());
  }
  for (std::int32_t& x : s.TextCursorX) x = ReadI32(*stream);
  for (std::int32_t& y : s.TextCursorY) y = ReadI32(*stream);
  for (std::uint8_t& alpha : s.TextCursorAlpha) alpha = ReadU8(*stream);
  for (TRect& src : s.TextCursorSrcRect) src = ReadRect(stream);
  for (bool& absolute : s.TextCursorAbsolute) absolute = ReadBool(stream);

  s.SelectState = ReadI32(*stream);
  ReadString(stream, s.SelectVariable);
  // The choices read replace those held before, so that items and their flags stay
  // in step. A count the file cannot back stops at the file's end.
  s.SelectItems.clear();
  s.Hover.clear();
  s.Pressed.clear();
  const auto count = static_cast<std::int32_t>(ReadU32(*stream));
  for (std::int32_t i = 0; i < count && !stream->HasReadFailed(); ++i) {
    s.SelectItems.emplace_back();
    ReadSection(stream, s.SelectItems.back());
    if (stream->HasReadFailed()) {
      s.SelectItems.pop_back();
      break;
    }
    s.Hover.push_back(false);
    s.Pressed.push_back(false);
  }
  s.SelectFontSize = ReadI32(*stream);
  ReadString(stream, s.SelectFont);
  s.SelectItemWidth = ReadI32(*stream);
  s.SelectItemHeight = ReadI32(*stream);
  for (std::uint32_t& color : s.SelectTextColor) color = ReadU32(*stream);
  s.SelectBottomMargin = ReadI32(*stream);
  ReadString(stream, s.SelectDecideSound);
  ReadString(stream, s.SelectCursorSound);
  s.SelectWindowIsImage = ReadBool(stream);
  s.SelectWindowAlpha = ReadU8(*stream);
  ReadString(stream, s.SelectWindowImage);
  (void)RegisterImage(s.SelectWindowImage.c_str());
  for (TRect& src : s.SelectSrcRect) src = ReadRect(stream);
  s.SelectMargin = ReadI32(*stream);
  for (std::uint32_t& color : s.SelectFillColor) color = ReadU32(*stream);
  s.SelectBorderWidth = ReadU32(*stream);
  for (std::uint32_t& color : s.SelectBorderColor) color = ReadU32(*stream);

  s.TargetBGColor = ReadU32(*stream);
  s.CurrentBGColor = ReadU32(*stream);
}

}  // namespace nsTamskLib::nsDrawManager
