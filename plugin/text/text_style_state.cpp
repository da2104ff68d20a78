#include "plugin/text/text_style_state.h"

#include "engine/api/draw_manager.h"
#include "engine/api/novel_engine.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {
namespace {

// Hands a flagged draw-manager value to its setter and clears the flag.
template <typename T, typename Setter>
void ApplyPending(PendingValue<T>& field, Setter&& setter) {
  if (field.changed) setter(field.value);
  field.changed = false;
}

}  // namespace

TextStyleState& TextStyle() {
  static TextStyleState state;
  return state;
}

void ResetTextStyle() { TextStyle() = TextStyleState{}; }

void ApplyTextStyle(INovelEngine* engine) {
  MessageStyle& style = TextStyle().text;
  IDrawManager* draw = engine->GetDrawManager();
  ApplyPending(style.font, [&](const std::string& v) { draw->SetMessageFont(v.c_str()); });
  ApplyPending(style.size, [&](std::int32_t v) { draw->SetMessageFontSize(v); });
  ApplyPending(style.color, [&](std::uint32_t v) { draw->SetMessageColor(v); });
  ApplyPending(style.speed, [&](std::int32_t v) { draw->SetTextSpeed(v); });
  if (style.position.changed) draw->SetMessagePosition(style.position.x, style.position.y);
  style.position.changed = false;
  ApplyPending(style.maxWidth, [&](std::int32_t v) { draw->SetMessageWidth(v); });
  ApplyPending(style.maxHeight, [&](std::int32_t v) { draw->SetMessageHeight(v); });
  style.cspace.Apply();
  style.lspace.Apply();
  style.align.Apply();
}

void ApplyTalkerStyle(INovelEngine* engine) {
  MessageStyle& style = TextStyle().talker;
  IDrawManager* draw = engine->GetDrawManager();
  ApplyPending(style.font, [&](const std::string& v) { draw->SetTalkerFont(v.c_str()); });
  ApplyPending(style.size, [&](std::int32_t v) { draw->SetTalkerFontSize(v); });
  ApplyPending(style.color, [&](std::uint32_t v) { draw->SetTalkerColor(v); });
  if (style.position.changed) draw->SetTalkerPosition(style.position.x, style.position.y);
  style.position.changed = false;
  ApplyPending(style.maxWidth, [&](std::int32_t v) { draw->SetTalkerWidth(v); });
  ApplyPending(style.maxHeight, [&](std::int32_t v) { draw->SetTalkerHeight(v); });
  style.cspace.Apply();
  style.lspace.Apply();
  style.align.Apply();
}

void ApplyRubyStyle(INovelEngine* engine) {
  RubyStyle& style = TextStyle().ruby;
  IDrawManager* draw = engine->GetDrawManager();
  ApplyPending(style.font, [&](const std::string& v) { draw->SetRubyFont(v.c_str()); });
  ApplyPending(style.size, [&](std::int32_t v) { draw->SetRubyFontSize(v); });
  style.cspace.Apply();
  style.offset.Apply();
}

}  // namespace nsWendrick
