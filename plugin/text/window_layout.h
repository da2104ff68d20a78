#pragma once
// The text window's message layout: the tagged layout plus click-wait points
// ("%c") and the typewriter tags "speed", "/speed" and "wait", which become marker
// tokens in the section and TagCmd records that the text command carries out while
// it reveals the message.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/api/fwd.h"
#include "engine/api/token_containers.h"
#include "plugin/core/engine_names.h"
#include "plugin/text/text_layout.h"

namespace nsWendrick {

enum TagCmdKind : std::int32_t { kTagCmdWait = 0, kTagCmdSpeed = 1, kTagCmdSpeedEnd = 2 };

// One typewriter tag of a message.
struct TagCmd {
  std::int32_t kind = kTagCmdWait;
  std::uint8_t active = 0;
  std::uint8_t systemCommandsAllowed = 0;
  std::uint8_t done = 0;
  // The tag's number; a running wait appends its start time behind it.
  std::vector<std::int32_t> args;
  std::vector<std::string> strArgs;
};

using TagCmdList = std::vector<TagCmd>;

// Milliseconds per revealed glyph; the top is the current delay.
using SpeedStack = std::vector<std::int32_t>;

// Marker texts of the message section.
inline constexpr const char* kClickWaitMarker = "ClickWait";
inline constexpr const char* kTagCmdMarker = "TagCmd";

// The text tags, then "speed n" (n >= 0), "/speed" and "wait n"; a typewriter tag
// adds its record to the list and a "TagCmd" marker holding the record's index to
// the section's last line.
std::size_t DispatchTextWindowTag(const char* text, LayoutStyle& style, TagCmdList& tagCmds,
                                  TextTokenSection& section,
                                  INovelEngine* engine);

// Lays the message out into section and its typewriter tags into tagCmds (both
// emptied first). "%c" marks a click-wait point and "%%" stands for "%".
void LayoutTextWindowText(const std::string& message, const std::string& font, std::int32_t size,
                          std::uint32_t color, std::int32_t cspace, std::int32_t rubyOffset,
                          std::int32_t lspace, std::int32_t align, std::int32_t maxWidth,
                          std::int32_t maxHeight, INovelEngine* engine,
                          TextTokenSection& section, TagCmdList& tagCmds);

// One step of the record at index: a speed tag pushes its speed, "/speed" pops
// (never the bottom entry), a wait starts, then ends after its time (n > 0), on
// the advance input (n = 0) or on whichever comes first (n < 0, |n| ms). An index
// outside the list does nothing.
void TagCmdStep(TagCmdList& tagCmds, std::size_t index, SpeedStack& speeds,
                INovelEngine* engine);

// Every pending record becomes done without being carried out.
void FinishTagCmds(TagCmdList& tagCmds, INovelEngine* engine);

bool AnyTagCmdActive(const TagCmdList& tagCmds);
// The flag of the first active record; true when none is active.
bool TagCmdAllowsSystemCommands(const TagCmdList& tagCmds);

}  // namespace nsWendrick
