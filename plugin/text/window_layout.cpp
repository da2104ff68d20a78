#include "plugin/text/window_layout.h"

#include "engine/api/input_manager.h"
#include "engine/api/novel_engine.h"
#include "platform/clock/clock.h"
#include "plugin/text/expansion.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {
namespace {

using nsTamskLib::TextToken;

constexpr char kPercentHold = '\x01';
constexpr char kClickWaitByte = '\x02';

std::size_t SkipSpaces(const char* text) {
  std::size_t read = 0;
  while (text[read] == ' ') ++read;
  return read;
}

// 0x04, spaces, the word, an optional number, spaces, 0x05.
std::size_t MatchTypewriterTag(const char* text, const char* word, bool hasNumber,
                               std::int32_t* number) {
  if (text[0] != kTagOpen) return 0;
  std::size_t at = 1 + SkipSpaces(text + 1);
  const std::string wordText(word);
  if (std::string(text + at).compare(0, wordText.size(), wordText) != 0) return 0;
  at += wordText.size();
  if (hasNumber) {
    const std::size_t read = ParseTagNumber(text + at, number);
    if (read == 0) return 0;
    at += read;
  }
  at += SkipSpaces(text + at);
  if (text[at] != kTagClose) return 0;
  return at + 1;
}

void AddTagCmd(TagCmdList& tagCmds, TextTokenSection& section, std::int32_t kind,
               std::uint8_t systemCommandsAllowed, const std::int32_t* number) {
  TagCmd record;
  record.kind = kind;
  record.systemCommandsAllowed = systemCommandsAllowed;
  if (number != nullptr) record.args.push_back(*number);
  TextToken marker;
  marker.Text = kTagCmdMarker;
  marker.Size = static_cast<std::int32_t>(tagCmds.size());
  tagCmds.push_back(record);
  section.back().push_back(marker);
}

// "%%" -> 0x01, "%c" -> 0x02, 0x01 -> "%", each over the whole message.
std::string MarkClickWaits(const std::string& message) {
  std::string text = message;
  ReplaceAll(text, "%%", std::string(1, kPercentHold));
  ReplaceAll(text, "%c", std::string(1, kClickWaitByte));
  ReplaceAll(text, std::string(1, kPercentHold), "%");
  return text;
}

bool AdvanceInput(INovelEngine* engine) {
  return engine != nullptr && engine->GetInputManager() != nullptr &&
         engine->GetInputManager()->IsGoNext();
}

}  // namespace

std::size_t DispatchTextWindowTag(const char* text, LayoutStyle& style, TagCmdList& tagCmds,
                                  TextTokenSection& section,
                                  INovelEngine* engine) {
  if (const std::size_t read = DispatchTextTag(text, style, engine)) return read;
  std::int32_t number = 0;
  if (const std::size_t read = MatchTypewriterTag(text, "speed ", true, &number)) {
    if (number >= 0) {
      AddTagCmd(tagCmds, section, kTagCmdSpeed, 1, &number);
      return read;
    }
  }
  if (const std::size_t read = MatchTypewriterTag(text, "/speed", false, nullptr)) {
    AddTagCmd(tagCmds, section, kTagCmdSpeedEnd, 1, nullptr);
    return read;
  }
  if (const std::size_t read = MatchTypewriterTag(text, "wait ", true, &number)) {
    AddTagCmd(tagCmds, section, kTagCmdWait, 0, &number);
    return read;
  }
  return 0;
}

void LayoutTextWindowText(const std::string& message, const std::string& font, std::int32_t size,
                          std::uint32_t color, std::int32_t cspace, std::int32_t rubyOffset,
                          std::int32_t lspace, std::int32_t align, std::int32_t maxWidth,
                          std::int32_t maxHeight, INovelEngine* engine,
                          TextTokenSection& section, TagCmdList& tagCmds) {
  section.clear();
  tagCmds.clear();
  const std::string expanded = ExpandForLayout(MarkClickWaits(message), engine);
  LayoutStyle style(font, size, color, cspace, rubyOffset, lspace, align);
  nsTamskLib::TextTokenLine first;
  first.push_back(LineHeadToken(align, size));
  section.push_back(first);
  GlyphLoopOptions options;
  options.clickWaits = true;
  options.dispatchTag = [&tagCmds, engine](const char* at, LayoutStyle& s, TextTokenSection& out) {
    return DispatchTextWindowTag(at, s, tagCmds, out, engine);
  };
  RunGlyphLoop(expanded, style, maxWidth, maxHeight, engine, options, section, 0);
}

void TagCmdStep(TagCmdList& tagCmds, std::size_t index, SpeedStack& speeds,
                INovelEngine* engine) {
  if (index >= tagCmds.size()) return;
  TagCmd& record = tagCmds[index];
  if (record.done != 0) return;
  const std::int32_t number = record.args.empty() ? 0 : record.args[0];
  switch (record.kind) {
    case kTagCmdSpeed:
      speeds.push_back(number);
      record.active = 0;
      record.done = 1;
      return;
    case kTagCmdSpeedEnd:
      if (speeds.size() > 1) speeds.pop_back();
      record.active = 0;
      record.done = 1;
      return;
    case kTagCmdWait:
      break;
    default:
      return;
  }
  if (record.active == 0) {
    record.active = 1;
    record.args.push_back(static_cast<std::int32_t>(platform::NowMs()));
    return;
  }
  const std::uint32_t start = static_cast<std::uint32_t>(record.args.back());
  const std::uint32_t elapsed = platform::NowMs() - start;
  // |n| taken as unsigned, so the most negative number is a wait like any other.
  const std::uint32_t wait = number < 0 ? 0u - static_cast<std::uint32_t>(number)
                                        : static_cast<std::uint32_t>(number);
  bool ends = false;
  if (number > 0) {
    ends = elapsed >= wait;
  } else if (number == 0) {
    ends = AdvanceInput(engine);
  } else {
    ends = AdvanceInput(engine) || elapsed >= wait;
  }
  if (!ends) return;
  record.args.pop_back();
  record.active = 0;
  record.done = 1;
}

void FinishTagCmds(TagCmdList& tagCmds, INovelEngine* /*engine*/) {
  for (TagCmd& record : tagCmds) {
    if (record.kind < kTagCmdWait || record.kind > kTagCmdSpeedEnd || record.done != 0) continue;
    if (record.kind == kTagCmdWait && record.active != 0 && record.args.size() > 1) {
      record.args.pop_back();  // the start time of a running wait
    }
    record.active = 0;
    record.done = 1;
  }
}

bool AnyTagCmdActive(const TagCmdList& tagCmds) {
  for (const TagCmd& record : tagCmds) {
    if (record.active != 0) return true;
  }
  return false;
}

bool TagCmdAllowsSystemCommands(const TagCmdList& tagCmds) {
  for (const TagCmd& record : tagCmds) {
    if (record.active != 0) return record.systemCommandsAllowed != 0;
  }
  return true;
}

}  // namespace nsWendrick
