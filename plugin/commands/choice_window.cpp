#include "plugin/commands/choice_window.h"

#include <algorithm>

#include "engine/api/command_param.h"
#include "engine/api/draw_manager.h"
#include "engine/api/io_stream.h"
#include "engine/api/novel_engine.h"
#include "engine/api/text_stream.h"
#include "engine/api/token_containers.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/host_calls.h"
#include "plugin/core/stream_fields.h"
#include "plugin/effects/held_colour.h"
#include "plugin/text/text_layout.h"
#include "plugin/text/text_style_state.h"

namespace nsWendrick {
namespace {

// The most choices a stored command may claim; more (or none) means a damaged file.
constexpr std::uint32_t kMaxStoredChoices = 65535;
// White: the choice window gives each choice its own colour when it draws.
constexpr std::uint32_t kWhite = 0x00FFFFFF;

}  // namespace

int ParseChoices(std::uint32_t keyword, const SyntaxPattern& end, std::uint32_t& at,
                 CommandParam& param) {
  static const SyntaxPattern kChoice = {kWordString, kWordComma};
  at = keyword + 1;
  std::uint32_t count = 0;
  while (MatchesSyntax(at, kChoice)) {
    ++count;
    at += 2;
  }
  if (count > kMaxChoices) {
    if (ITextStream* out = GetErrorOutput()) {
      out->Write("エラー（%4d行目）：選択肢は10個までです！\n", GetTokenLine(keyword));
    }
    return -1;
  }
  if (count == 0 || !MatchesSyntax(at, end)) return ReportSyntaxError(keyword);
  param.Int[0] = static_cast<std::int32_t>(count);
  for (std::uint32_t i = 0; i < count; ++i) param.Str[1 + i] = GetScriptToken(keyword + 1 + 2 * i)->text;
  return static_cast<int>(count);
}

std::vector<std::string> ChoicesOf(const CommandParam& param) {
  std::vector<std::string> choices;
  const std::int32_t count = std::clamp<std::int32_t>(param.Int[0], 0, kMaxChoices);
  for (std::int32_t i = 0; i < count; ++i) choices.emplace_back(param.Str[1 + i].c_str());
  return choices;
}

void SaveChoices(IIOStream* stream, const std::vector<std::string>& choices) {
  SaveIntField(stream, static_cast<std::int32_t>(choices.size()));
  for (const std::string& choice : choices) SaveStringField(stream, choice);
}

std::vector<std::string> LoadChoices(IIOStream* stream) {
  const std::uint32_t count = static_cast<std::uint32_t>(LoadIntField(stream));
  if (count == 0 || count > kMaxStoredChoices) {
    HostRuntimeError(nullptr, "選択肢の数が不正です！（%u）", count);
  }
  // A file that ends early ends the list: a damaged count would otherwise read
  // thousands of empty strings past the end.
  std::vector<std::string> choices;
  for (std::uint32_t i = 0; i < count && !stream->HasReadFailed(); ++i) {
    choices.push_back(LoadStringField(stream));
  }
  return choices;
}

void StartChoiceWindow(INovelEngine* engine, const std::string& variable,
                       const std::vector<std::string>& choices) {
  IDrawManager* draw = engine->GetDrawManager();
  const char* font = draw->GetSelectFont();
  const TextStyleState& style = TextStyle();
  TextTokenSection sections[kMaxChoices];
  const std::size_t count = std::min(choices.size(), kMaxChoices);
  for (std::size_t i = 0; i < count; ++i) {
    LayoutTaggedText(choices[i], font != nullptr ? font : "", draw->GetSelectFontSize(), kWhite,
                     style.choice.cspace, style.ruby.offset.current, style.choice.lspace,
                     style.choice.align, draw->GetSelectItemWidth(), draw->GetSelectItemHeight(),
                     engine, sections[i]);
  }
  draw->StartSelect(variable.c_str(), static_cast<std::uint32_t>(count), sections);
  // The player chooses on the picture, not on a fade's colour.
  UncoverPage(engine);
}

}  // namespace nsWendrick
