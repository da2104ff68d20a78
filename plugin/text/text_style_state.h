#pragma once
// TextStyleState: the process-wide style of the message text, the talker name, the
// ruby and the choice texts, as the style commands set it.
//
// Values the engine's draw manager keeps (font, size, colour, speed, position,
// limits) wait here as pending values with a changed flag until the text command
// applies them just before it lays out the next message. Values the plug-in's own
// layout reads (spacing, alignment, ruby offset) are pending as well and become
// current at the same moment. The choice style and the minimum skip time are
// stored directly. Nothing here is reset by a new game.

#include <cstdint>
#include <string>

#include "engine/api/fwd.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

// Alignment of laid-out lines.
enum TextAlign : std::int32_t { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };

template <typename T>
struct PendingValue {
  T value{};
  bool changed = false;

  void Set(const T& v) {
    value = v;
    changed = true;
  }
};

struct PendingPosition {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool changed = false;

  void Set(std::int32_t newX, std::int32_t newY) {
    x = newX;
    y = newY;
    changed = true;
  }
};

// A value the layout reads, with the pending value that the next apply makes current.
struct LayoutValue {
  std::int32_t current = 0;
  PendingValue<std::int32_t> pending;

  void Apply() {
    if (pending.changed) current = pending.value;
    pending.changed = false;
  }
  // What the next message will use: the pending value once one is set.
  std::int32_t Upcoming() const { return pending.changed ? pending.value : current; }
};

struct MessageStyle {
  PendingValue<std::string> font;
  PendingValue<std::int32_t> size;
  PendingValue<std::uint32_t> color;
  PendingValue<std::int32_t> speed;  // message text only
  PendingPosition position;
  PendingValue<std::int32_t> maxWidth;
  PendingValue<std::int32_t> maxHeight;
  LayoutValue cspace;
  LayoutValue lspace;
  LayoutValue align;
};

struct RubyStyle {
  PendingValue<std::string> font;
  PendingValue<std::int32_t> size;
  LayoutValue cspace;
  LayoutValue offset;
};

struct ChoiceStyle {
  std::int32_t cspace = 0;
  std::int32_t lspace = 0;
  std::int32_t align = kAlignCenter;
};

// The minimum time a message stays while skipping, in milliseconds, at start.
inline constexpr std::int32_t kDefaultSkipWait = 100;

struct TextStyleState {
  MessageStyle text;
  MessageStyle talker;
  RubyStyle ruby;
  ChoiceStyle choice;
  std::int32_t skipWait = kDefaultSkipWait;
};

// The process-wide state.
TextStyleState& TextStyle();
// Back to the state at load (tests).
void ResetTextStyle();

// Apply steps: each flagged value of the group, in table order, goes to the draw
// manager or becomes current; then its flag is cleared.
void ApplyTextStyle(INovelEngine* engine);
void ApplyTalkerStyle(INovelEngine* engine);
void ApplyRubyStyle(INovelEngine* engine);

}  // namespace nsWendrick
