#include "plugin/commands/effect_command.h"

#include <cstring>

#include "engine/api/command_param.h"
#include "engine/api/draw_records.h"
#include "engine/api/heaps.h"
#include "engine/api/novel_engine.h"
#include "engine/api/task_manager.h"
#include "engine/api/text_manager.h"
#include "engine/api/text_stream.h"
#include "plugin/commands/parser_frame.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/host_calls.h"
#include "plugin/core/stream_fields.h"
#include "plugin/effects/held_colour.h"
#include "plugin/effects/screen_effects.h"
#include "plugin/transitions/transition_patterns.h"

namespace nsWendrick {
namespace {

using Member = Cmd_effect::Member;

// One effect keyword: its number and the members its arguments fill, in script
// order (also the order of the compiled body and of the dump).
struct EffectForm {
  const char* keyword;
  std::int32_t kind;
  std::uint32_t count;
  Member members[5];
};

constexpr EffectForm kForms[] = {
    {"flash", kEffectFlash, 3, {Member::kRed, Member::kGreen, Member::kBlue}},
    {"quakex", kEffectQuakeX, 2, {Member::kTime, Member::kX}},
    {"quakey", kEffectQuakeY, 2, {Member::kTime, Member::kY}},
    {"quakexy", kEffectQuakeXY, 3, {Member::kTime, Member::kX, Member::kY}},
    {"fadein", kEffectFadeIn, 5,
     {Member::kTime, Member::kRed, Member::kGreen, Member::kBlue, Member::kFadeFlags}},
    {"fadeout", kEffectFadeOut, 5,
     {Member::kTime, Member::kRed, Member::kGreen, Member::kBlue, Member::kFadeFlags}},
    {"fadeinu", kEffectFadeInU, 4, {Member::kTime, Member::kRed, Member::kGreen, Member::kBlue}},
    {"fadeoutu", kEffectFadeOutU, 4, {Member::kTime, Member::kRed, Member::kGreen, Member::kBlue}},
    {"flash2", kEffectFlash2, 4, {Member::kRed, Member::kGreen, Member::kBlue, Member::kTime}},
    {"quakex2", kEffectQuakeX2, 3, {Member::kTime, Member::kX, Member::kQuakeTime}},
    {"quakey2", kEffectQuakeY2, 3, {Member::kTime, Member::kY, Member::kQuakeTime}},
    {"quakexy2", kEffectQuakeXY2, 5,
     {Member::kTime, Member::kX, Member::kY, Member::kQuakeTime, Member::kQuakeRange}},
    {"quakex3", kEffectQuakeX3, 3, {Member::kTime, Member::kX, Member::kXNum}},
    {"quakey3", kEffectQuakeY3, 3, {Member::kTime, Member::kY, Member::kYNum}},
    {"quakexy3", kEffectQuakeXY3, 5,
     {Member::kTime, Member::kX, Member::kY, Member::kXNum, Member::kYNum}},
    {"flash3", kEffectFlash3, 4, {Member::kRed, Member::kGreen, Member::kBlue, Member::kTime}},
};

const EffectForm* FormOfKind(std::int32_t kind) {
  for (const EffectForm& form : kForms) {
    if (form.kind == kind) return &form;
  }
  return nullptr;
}

const EffectForm* FormOfKeyword(const char* keyword) {
  for (const EffectForm& form : kForms) {
    if (std::strcmp(keyword, form.keyword) == 0) return &form;
  }
  return nullptr;
}

bool IsFade(std::int32_t kind) { return kind == kEffectFadeIn || kind == kEffectFadeOut; }

bool UsesTime(std::int32_t kind) { return kind != kEffectFlash; }

bool UsesColor(std::int32_t kind) {
  return kind == kEffectFlash || (kind >= kEffectFadeIn && kind <= kEffectFlash2) ||
         kind == kEffectFlash3;
}

void GiveFlipToTaskManager(INovelEngine* engine) {
  nsTamskLib::nsTaskManager::UpdateParam flip;
  flip.Type = kFlipPattern;
  flip.Time = 0;
  engine->GetTaskManager()->SetUpdateData(flip);
}

}  // namespace

std::int32_t Cmd_effect::Value(Member member) const {
  return HostCalcExpression(m_Expr[member], m_Engine);
}

int Cmd_effect::Execute() {
  if (!m_Started) {
    if (m_Engine->GetTextManager()->IsSkip()) {
      // Not shown: the page is, from this frame on.
      ApplySkippedEffect();
      UncoverPage(m_Engine);
      MoveOn(m_Engine);
      return 0;
    }
    StartEffect();
  }
  if (!IsEffectRunning(*m_Engine->GetTaskManager())) {
    MoveOn(m_Engine);
    m_Started = false;
  }
  return 0;
}

void Cmd_effect::StartEffect() {
  const EffectForm* form = FormOfKind(m_Kind);
  if (form == nullptr) {
    // A kind no script form produces: nothing to show.
    m_Started = true;
    return;
  }
  // Members the keyword does not use stay 0, and so do their record fields.
  std::int32_t values[kMemberCount] = {};
  for (std::uint32_t i = 0; i < form->count; ++i) values[form->members[i]] = Value(form->members[i]);
  const std::int32_t time = values[kTime];
  const std::int32_t red = values[kRed];
  const std::int32_t green = values[kGreen];
  const std::int32_t blue = values[kBlue];
  const std::int32_t x = values[kX];
  const std::int32_t y = values[kY];

  if (UsesTime(m_Kind) && time < 0) {
    HostRuntimeError(Window(), "効果時間が負数です！（m_Time = %d）", time);
  }
  if (UsesColor(m_Kind) &&
      (red < 0 || red > 255 || green < 0 || green > 255 || blue < 0 || blue > 255)) {
    HostRuntimeError(Window(), "引数の何れかが負数か255を超えています！（R：%d　G：%d　B：%d）", red,
                     green, blue);
  }
  switch (m_Kind) {
    case kEffectQuakeX:
    case kEffectQuakeX2:
      if (x < 1) HostRuntimeError(Window(), "揺れの振動数が0または負数です！（m_X = %d）", x);
      break;
    case kEffectQuakeY:
    case kEffectQuakeY2:
      if (y < 1) HostRuntimeError(Window(), "揺れの振動数が0または負数です！（m_Y = %d）", y);
      break;
    case kEffectQuakeXY:
    case kEffectQuakeXY2:
      if (x < 1 || y < 1) {
        HostRuntimeError(Window(), "揺れの振動数が0または負数です！（m_X = %d, m_Y = %d）", x, y);
      }
      break;
    default:
      break;
  }
  if (m_Kind == kEffectQuakeX2 || m_Kind == kEffectQuakeY2 || m_Kind == kEffectQuakeXY2) {
    if (values[kQuakeTime] < 1) {
      HostRuntimeError(Window(), "揺れの振動間隔が0または負数です！（m_QuakeTime = %d）",
                       values[kQuakeTime]);
    }
  }
  if (m_Kind == kEffectQuakeX3 && values[kXNum] < 1) {
    HostRuntimeError(Window(), "揺れ回数が0または負数です！（m_XNum = %d）", values[kXNum]);
  }
  if (m_Kind == kEffectQuakeY3 && values[kYNum] < 1) {
    HostRuntimeError(Window(), "揺れ回数が0または負数です！（m_YNum = %d）", values[kYNum]);
  }
  if (m_Kind == kEffectQuakeXY3 && (values[kXNum] < 1 || values[kYNum] < 1)) {
    HostRuntimeError(Window(), "揺れ回数が0または負数です！（m_XNum = %d, m_YNum = %d）",
                     values[kXNum], values[kYNum]);
  }

  nsTamskLib::nsTaskManager::EffectParam effect;
  effect.Type = static_cast<std::uint32_t>(m_Kind);
  effect.Time = static_cast<std::uint32_t>(time);
  if (UsesColor(m_Kind)) {
    effect.Color = static_cast<std::uint32_t>(red) + static_cast<std::uint32_t>(green) * 256u +
                   static_cast<std::uint32_t>(blue) * 65536u;
  }
  switch (m_Kind) {
    case kEffectFadeIn:
    case kEffectFadeOut:
      effect.Param[0] = values[kFadeFlags];
      break;
    case kEffectQuakeX2:
    case kEffectQuakeY2:
    case kEffectQuakeXY2:
      effect.Param[0] = x;
      effect.Param[1] = y;
      effect.Param[2] = values[kQuakeTime];
      effect.Param[3] = values[kQuakeRange];
      break;
    default:
      effect.Param[0] = x;
      effect.Param[1] = y;
      effect.Param[2] = values[kXNum];
      effect.Param[3] = values[kYNum];
      break;
  }
  m_Engine->GetTaskManager()->SetEffectData(effect);
  m_Started = true;
}

void Cmd_effect::ApplySkippedEffect() {
  switch (m_Kind) {
    case kEffectFadeIn: {
      const auto flags = static_cast<std::uint32_t>(Value(kFadeFlags));
      if ((flags & kFadePageFlip) != 0) GiveFlipToTaskManager(m_Engine);
      ApplyFadeStartFlags(m_Engine, flags);
      ApplyFadeEndFlags(m_Engine, flags);
      break;
    }
    case kEffectFadeOut: {
      const auto flags = static_cast<std::uint32_t>(Value(kFadeFlags));
      ApplyFadeStartFlags(m_Engine, flags);
      if ((flags & kFadePageFlip) != 0) GiveFlipToTaskManager(m_Engine);
      ApplyFadeEndFlags(m_Engine, flags);
      break;
    }
    case kEffectFadeInU:
    case kEffectFadeOutU:
      GiveFlipToTaskManager(m_Engine);
      break;
    default:
      break;
  }
}

void Cmd_effect::Setup(const CommandParam& param) {
  m_Kind = param.Int[0];
  for (std::uint32_t i = 0; i < kMemberCount; ++i) m_Expr[i] = param.Expr[i];
}

void Cmd_effect::Dump(ITextStream* out) {
  if (out == nullptr) return;
  const EffectForm* form = FormOfKind(m_Kind);
  if (form == nullptr) return;
  out->Write("%s ", form->keyword);
  for (std::uint32_t i = 0; i < form->count; ++i) {
    if (i != 0) out->Write(", ");
    out->WriteExpression(m_Expr[form->members[i]]);
  }
  out->Write(";\n");
}

void Cmd_effect::Save(IIOStream* stream) {
  SaveIntField(stream, m_Kind);
  const EffectForm* form = FormOfKind(m_Kind);
  if (form == nullptr) return;
  for (std::uint32_t i = 0; i < form->count; ++i) {
    SaveExpressionField(stream, m_Expr[form->members[i]]);
  }
}

void Cmd_effect::Load(IIOStream* stream) {
  m_Kind = LoadIntField(stream);
  const EffectForm* form = FormOfKind(m_Kind);
  if (form == nullptr) return;
  for (std::uint32_t i = 0; i < form->count; ++i) {
    LoadExpressionField(stream, m_Expr[form->members[i]]);
  }
}

KeywordList Cmd_effect::Keywords() { return KeywordsOf<kForms>(); }

int Cmd_effect::Parse(unsigned keywordToken) {
  if (!HasParserServices()) return -1;
  const ScriptToken* token = GetScriptToken(keywordToken);
  const EffectForm* form = token != nullptr ? FormOfKeyword(token->text.c_str()) : nullptr;
  // The shapes of 2, 3, 4 and 5 arguments, in that order; a keyword is accepted only
  // in its own shape (fadein and fadeout also in the shape of 4, without flags).
  static const SyntaxPattern shapes[] = {ArgumentsStatement(2), ArgumentsStatement(3),
                                         ArgumentsStatement(4), ArgumentsStatement(5)};
  const int shape = FindMatchingPattern(keywordToken, shapes);
  if (form == nullptr || shape < 0) return ReportSyntaxError(keywordToken);
  const std::uint32_t count = static_cast<std::uint32_t>(shape) + 2;
  const bool withoutFlags = IsFade(form->kind) && count == 4;
  if (count != form->count && !withoutFlags) return ReportSyntaxError(keywordToken);

  const SyntaxPattern& pattern = shapes[static_cast<std::size_t>(shape)];
  CommandParam inOrder;
  FillParamFromPattern(keywordToken, pattern, inOrder);
  CommandParam param;
  param.Int[0] = form->kind;
  for (std::uint32_t i = 0; i < count; ++i) param.Expr[form->members[i]] = inOrder.Expr[i];
  if (withoutFlags) param.Expr[kFadeFlags] = nsTamskLib::NumberExpression(0);
  AddParsedCommand(Create(), param);
  return 1 + static_cast<int>(pattern.size());
}

}  // namespace nsWendrick
