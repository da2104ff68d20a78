#include "plugin/commands/timed_choice.h"

#include <algorithm>

#include "engine/api/command_param.h"
#include "engine/api/draw_manager.h"
#include "engine/api/draw_records.h"
#include "engine/api/heaps.h"
#include "engine/api/novel_engine.h"
#include "engine/api/task_manager.h"
#include "engine/api/text_stream.h"
#include "platform/clock/clock.h"
#include "plugin/commands/choice_window.h"
#include "plugin/commands/draw_argument_checks.h"
#include "plugin/commands/keyword_statement.h"
#include "plugin/commands/parser_frame.h"
#include "plugin/core/host_calls.h"
#include "plugin/core/stream_fields.h"
#include "plugin/transitions/transition_frame.h"

namespace nsWendrick {
namespace {

using nsTamskLib::TRect;

constexpr std::uint32_t kTimerPattern = 28;

const char* const kSetKeywords[] = {"selectlclearimage", "selectlimage0", "selectlimage1",
                                    "selectlimage2", "selectlimage3"};

bool HasBar(std::int32_t kind) {
  return kind == Cmd_setselectl::kBar || kind == Cmd_setselectl::kAnimationBar;
}
bool HasAnimation(std::int32_t kind) {
  return kind == Cmd_setselectl::kAnimation || kind == Cmd_setselectl::kAnimationBar;
}

// The members a kind stores after the image name, in statement order.
std::vector<std::uint32_t> KindMembers(std::int32_t kind) {
  using S = Cmd_setselectl;
  std::vector<std::uint32_t> members;
  if (kind < S::kFixed || kind > S::kAnimationBar) return members;
  for (std::uint32_t i = S::kX; i <= S::kRectHeight; ++i) members.push_back(i);
  if (HasBar(kind)) members.push_back(S::kBarPattern);
  if (HasAnimation(kind)) {
    members.push_back(S::kAnimationMaxNo);
    members.push_back(S::kAnimationPattern);
  }
  return members;
}

const std::vector<KeywordStatement>& SetStatements() {
  static const std::vector<KeywordStatement> statements = [] {
    std::vector<KeywordStatement> list{
        {kSetKeywords[Cmd_setselectl::kClear], Cmd_setselectl::kClear, ArgumentsStatement(1)}};
    for (std::int32_t kind = Cmd_setselectl::kFixed; kind <= Cmd_setselectl::kAnimationBar;
         ++kind) {
      SyntaxPattern form{kWordArgument, kWordComma, kWordString, kWordComma};
      AppendArguments(form, static_cast<int>(KindMembers(kind).size()));
      form.push_back(kWordSemicolon);
      list.push_back({kSetKeywords[kind], kind, form});
    }
    return list;
  }();
  return statements;
}

std::int32_t Wrap(std::int32_t value, std::uint32_t offset) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) + offset);
}

// d(t): the part t of a length, truncated toward zero.
std::int32_t Part(double t, std::int64_t length) {
  return static_cast<std::int32_t>(std::clamp(t, 0.0, 1.0) * static_cast<double>(length));
}

// Cuts the rectangle for the bar pattern at progress p; moves the position with
// the top or left edge.
void ApplyBar(std::int32_t pattern, double p, TRect& r, std::int32_t& x, std::int32_t& y) {
  // A wrapped rectangle has a negative size: nothing is cut from it.
  const std::int64_t w = std::max<std::int64_t>(std::int64_t{r.right} - r.left, 0);
  const std::int64_t h = std::max<std::int64_t>(std::int64_t{r.bottom} - r.top, 0);
  if (pattern < 0 || pattern > 7) {
    HostRuntimeError(nullptr, "BarPatternの指定が間違っています！（BarPattern=%d）", pattern);
  }
  // Patterns 0 to 3 shrink with the time; 4 to 7 cut the same edge by what is left.
  const double t = pattern < 4 ? p : 1.0 - p;
  switch (pattern % 4) {
    case 0:
      r.right = std::max(r.right - Part(t, w), r.left);
      break;
    case 1: {
      const std::int32_t d = Part(t, h);
      r.top += d;
      y = Wrap(y, static_cast<std::uint32_t>(d));
      break;
    }
    case 2: {
      const std::int32_t d = Part(t, w);
      r.left += d;
      x = Wrap(x, static_cast<std::uint32_t>(d));
      break;
    }
    case 3:
      r.bottom = std::max(r.bottom - Part(t, h), r.top);
      break;
    default:
      break;
  }
}

}  // namespace

SelectLImageMap& SelectLImages() {
  static SelectLImageMap images;
  return images;
}

void DrawSelectLImages(nsTamskLib::nsCore::INovelEngine* engine, std::uint32_t elapsed,
                       std::uint32_t total) {
  if (SelectLImages().empty()) return;
  nsTamskLib::nsTaskManager::ITMAccessor& tasks = BindPatternAccess(engine).tasks;
  const double p = total == 0 ? 1.0 : static_cast<double>(elapsed) / static_cast<double>(total);
  for (const auto& [number, image] : SelectLImages()) {
    if (image.Frames.empty()) continue;
    nsTamskLib::nsTaskManager::DrawTask task;
    task.X = image.X;
    task.Y = image.Y;
    task.A = image.A;
    task.BltType = image.BltType;
    task.Name = image.Name.c_str();
    task.Visible = true;
    task.Type = nsTamskLib::nsTaskManager::kDrawImage;
    std::size_t frame = 0;
    if (image.Kind == 2 || image.Kind == 3) {
      const double count = static_cast<double>(image.Frames.size());
      while (frame + 1 < image.Frames.size() && !(p < static_cast<double>(frame + 1) / count)) {
        ++frame;
      }
    }
    TRect rect = image.Frames[frame];
    if (image.Kind == 1 || image.Kind == 3) ApplyBar(image.BarPattern, p, rect, task.X, task.Y);
    task.SrcRect = rect;
    tasks.PushTaskList(task);
  }
}

// --- Cmd_selectl ---------------------------------------------------------------

void Cmd_selectl::Reset() {
  m_StartMark = 0;
  m_TimerStarted = false;
  m_FirstRun = true;
}

void Cmd_selectl::ShowChoices() { StartChoiceWindow(m_Engine, m_Variable, m_Choices); }

void Cmd_selectl::Finish() {
  Reset();
  m_Engine->GetDrawManager()->EndSelect();
  MoveOn(m_Engine);
}

int Cmd_selectl::Execute() {
  const std::int32_t time = HostCalcExpression(m_Time, m_Engine);
  if (time < 0) HostRuntimeError(Window(), "制限時間が負数です！（m_Time = %d）", time);
  if (m_FirstRun) {
    m_FirstRun = false;
    ShowChoices();
  }
  nsTamskLib::nsTaskManager::ITaskManager* tasks = m_Engine->GetTaskManager();
  if (!m_TimerStarted) {
    nsTamskLib::nsTaskManager::UpdateParam timer;
    timer.Type = kTimerPattern;
    timer.Time = static_cast<std::uint32_t>(time);
    tasks->SetUpdateData(timer);
    m_StartMark = platform::NowMs();
    m_TimerStarted = true;
  }
  if (m_Engine->GetDrawManager()->UpdateSelect()) {
    Finish();
    nsTamskLib::nsTaskManager::UpdateParam stop;
    stop.Type = 0;
    tasks->SetUpdateData(stop);
    BindPatternAccess(m_Engine).tasks.ClearWork();
    return 0;
  }
  if (tasks->GetUpdateType() != 0) return 0;
  // The timer pattern ended by itself: the time ran out.
  const char* variable = m_Variable.c_str();
  if (m_Engine->GetLocalHeap()->Exists(variable)) m_Engine->GetLocalHeap()->Set(variable, 0);
  if (m_Engine->GetGlobalHeap()->Exists(variable)) m_Engine->GetGlobalHeap()->Set(variable, 0);
  Finish();
  return 0;
}

void Cmd_selectl::Setup(const nsTamskLib::CommandParam& param) {
  m_Variable = param.Str[0].c_str();
  m_Choices = ChoicesOf(param);
  m_Time = param.Expr[0];
}

void Cmd_selectl::Dump(nsTamskLib::nsTextStream::ITextStream* out) {
  if (out == nullptr) return;
  out->Write("selectl ");
  for (const std::string& choice : m_Choices) out->Write("\"%s\", ", choice.c_str());
  out->Write("%s, ", m_Variable.c_str());
  out->WriteExpression(m_Time);
  out->Write(";\n");
}

void Cmd_selectl::Save(nsTamskLib::nsIOStream::IIOStream* stream) {
  SaveChoices(stream, m_Choices);
  SaveStringField(stream, m_Variable);
  SaveExpressionField(stream, m_Time);
}

void Cmd_selectl::Load(nsTamskLib::nsIOStream::IIOStream* stream) {
  m_Choices = LoadChoices(stream);
  m_Variable = LoadStringField(stream);
  LoadExpressionField(stream, m_Time);
}

int Cmd_selectl::Parse(unsigned keywordToken) {
  static const SyntaxPattern kEnd = {kWordVariable, kWordComma, kWordArgument, kWordSemicolon};
  if (!HasParserServices()) return -1;
  nsTamskLib::CommandParam param;
  std::uint32_t at = 0;
  if (ParseChoices(keywordToken, kEnd, at, param) < 0) return -1;
  nsTamskLib::CommandParam tail;
  FillParamFromPattern(at - 1, kEnd, tail);
  param.Str[0] = tail.Str[0];
  param.Expr[0] = tail.Expr[0];
  AddParsedCommand(Create(), param);
  return static_cast<int>(at + kEnd.size() - keywordToken);
}

// --- Cmd_setselectl ------------------------------------------------------------

int Cmd_setselectl::Execute() {
  const std::int32_t number = HostCalcExpression(m_No, m_Engine);
  if (m_Kind == kClear) {
    SelectLImages().erase(number);
  } else if (m_Kind >= kFixed && m_Kind <= kAnimationBar) {
    // The number is checked before the other arguments are worked out, so a negative
    // number is reported even when a later argument cannot be evaluated.
    if (number < 0) HostRuntimeError(Window(), "イメージ番号が負数です！（m_No = %d）", number);
    std::int32_t v[kMemberCount] = {};
    for (std::uint32_t member : KindMembers(m_Kind)) {
      v[member] = HostCalcExpression(m_Expr[member], m_Engine);
    }
    CheckAlpha(Window(), v[kA]);
    CheckBltType(Window(), v[kBltType]);
    CheckSourceRect(Window(), v[kRectX], v[kRectY], v[kRectWidth], v[kRectHeight]);
    if (HasBar(m_Kind) && (v[kBarPattern] < 0 || v[kBarPattern] > 7)) {
      HostRuntimeError(Window(), "バーのパターンの指定が間違っています！（m_BarPattern = %d）",
                       v[kBarPattern]);
    }
    if (HasAnimation(m_Kind)) {
      if (v[kAnimationMaxNo] < 1) {
        HostRuntimeError(Window(),
                         "アニメーションの枚数が0枚以下です！（m_AnimationMaxNo = %d）",
                         v[kAnimationMaxNo]);
      }
      if (v[kAnimationPattern] < 0 || v[kAnimationPattern] > 1) {
        HostRuntimeError(Window(),
                         "アニメーションのパターンの指定が間違っています！（m_AnimationPattern = "
                         "%d）",
                         v[kAnimationPattern]);
      }
    }
    (void)m_Engine->GetDrawManager()->RegisterImage(m_Image.c_str());

    SelectLImageMap& images = SelectLImages();
    images.erase(number);
    SelectLImage& image = images[number];
    image.A = static_cast<std::uint8_t>(v[kA]);
    image.X = v[kX];
    image.Y = v[kY];
    image.BltType = v[kBltType];
    image.Name = m_Image;
    image.Kind = m_Kind - 1;
    image.BarPattern = HasBar(m_Kind) ? v[kBarPattern] : 0;
    const TRect first = nsTamskLib::MakeRect(v[kRectX], v[kRectY], v[kRectWidth], v[kRectHeight]);
    if (!HasAnimation(m_Kind)) {
      image.Frames.push_back(first);
    } else {
      for (std::int32_t k = 0; k < v[kAnimationMaxNo]; ++k) {
        // Offsets wrap in 32 bits like the rest of the rectangle arithmetic.
        const std::uint32_t step = static_cast<std::uint32_t>(k);
        const std::uint32_t dx =
            v[kAnimationPattern] == 1 ? step * static_cast<std::uint32_t>(v[kRectWidth]) : 0u;
        const std::uint32_t dy =
            v[kAnimationPattern] == 0 ? step * static_cast<std::uint32_t>(v[kRectHeight]) : 0u;
        image.Frames.push_back(TRect{Wrap(first.left, dx), Wrap(first.top, dy),
                                     Wrap(first.right, dx), Wrap(first.bottom, dy)});
      }
    }
  }
  MoveOn(m_Engine);
  return 0;
}

void Cmd_setselectl::Setup(const nsTamskLib::CommandParam& param) {
  m_Kind = param.Int[0];
  m_No = param.Expr[0];
  m_Image = param.Str[0].c_str();
  for (std::uint32_t i = 0; i < kMemberCount; ++i) m_Expr[i] = param.Expr[1 + i];
}

void Cmd_setselectl::Dump(nsTamskLib::nsTextStream::ITextStream* out) {
  if (out == nullptr || m_Kind < kClear || m_Kind > kAnimationBar) return;
  out->Write("%s ", kSetKeywords[m_Kind]);
  out->WriteExpression(m_No);
  if (m_Kind != kClear) {
    out->Write(", \"%s\"", m_Image.c_str());
    for (std::uint32_t member : KindMembers(m_Kind)) {
      out->Write(", ");
      out->WriteExpression(m_Expr[member]);
    }
  }
  out->Write(";");
}

void Cmd_setselectl::Save(nsTamskLib::nsIOStream::IIOStream* stream) {
  SaveIntField(stream, m_Kind);
  SaveExpressionField(stream, m_No);
  if (m_Kind < kFixed || m_Kind > kAnimationBar) return;
  SaveStringField(stream, m_Image);
  for (std::uint32_t member : KindMembers(m_Kind)) SaveExpressionField(stream, m_Expr[member]);
}

void Cmd_setselectl::Load(nsTamskLib::nsIOStream::IIOStream* stream) {
  m_Kind = LoadIntField(stream);
  LoadExpressionField(stream, m_No);
  if (m_Kind < kFixed || m_Kind > kAnimationBar) return;
  m_Image = LoadStringField(stream);
  for (std::uint32_t member : KindMembers(m_Kind)) LoadExpressionField(stream, m_Expr[member]);
}

KeywordList Cmd_setselectl::Keywords() { return kSetKeywords; }

int Cmd_setselectl::Parse(unsigned keywordToken) {
  nsTamskLib::CommandParam inOrder;
  const KeywordStatement* entry = MatchKeywordStatement(keywordToken, SetStatements(), inOrder);
  if (entry == nullptr) return -1;
  // Each argument goes to the slot of the member it sets, whatever the keyword leaves out.
  nsTamskLib::CommandParam param;
  param.Int[0] = entry->kind;
  param.Expr[0] = inOrder.Expr[0];
  param.Str[0] = inOrder.Str[0];
  const std::vector<std::uint32_t> members = KindMembers(entry->kind);
  for (std::size_t i = 0; i < members.size(); ++i) param.Expr[1 + members[i]] = inOrder.Expr[1 + i];
  AddParsedCommand(Create(), param);
  return 1 + static_cast<int>(entry->form.size());
}

}  // namespace nsWendrick
