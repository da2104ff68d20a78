#include "plugin/commands/button_commands.h"

#include <span>
#include <vector>

#include "engine/api/command_param.h"
#include "engine/api/heaps.h"
#include "engine/api/novel_engine.h"
#include "engine/api/task_manager.h"
#include "engine/api/text_stream.h"
#include "engine/api/types.h"
#include "plugin/commands/draw_argument_checks.h"
#include "plugin/text/expansion.h"
#include "plugin/commands/keyword_statement.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/host_calls.h"
#include "plugin/core/stream_fields.h"
#include "plugin/text/text_layout.h"
#include "plugin/text/text_sprites.h"
#include "plugin/text/text_style_state.h"

namespace nsWendrick {
namespace {

constexpr const char kAll[] = "/";

// The display names of the button states, in the order of their rectangles.
const char* const kStateNames[Cmd_setbutton::kStates] = {"通常時", "カーソル時", "クリック時",
                                                         "無効時"};

std::int32_t Calc(const Expression& expr, INovelEngine* engine) {
  return HostCalcExpression(expr, engine);
}

SyntaxPattern NamedStatement(const char* nameWord, std::initializer_list<const char*> rest) {
  SyntaxPattern pattern{nameWord};
  for (const char* word : rest) {
    pattern.push_back(kWordComma);
    pattern.push_back(word);
  }
  pattern.push_back(kWordSemicolon);
  return pattern;
}

SyntaxPattern NamedArguments(const char* nameWord, std::initializer_list<const char*> strings,
                             int arguments) {
  SyntaxPattern pattern{nameWord};
  for (const char* word : strings) {
    pattern.push_back(kWordComma);
    pattern.push_back(word);
  }
  pattern.push_back(kWordComma);
  AppendArguments(pattern, arguments);
  pattern.push_back(kWordSemicolon);
  return pattern;
}

const std::vector<KeywordStatement>& ButtonStatements() {
  using B = Cmd_setbutton;
  static const std::vector<KeywordStatement> statements{
      {"showallbutton", B::kShow, {kWordSemicolon}, kAll},
      {"hideallbutton", B::kHide, {kWordSemicolon}, kAll},
      {"enableallbutton", B::kEnable, {kWordSemicolon}, kAll},
      {"disableallbutton", B::kDisable, {kWordSemicolon}, kAll},
      {"showbutton", B::kShow, NamedStatement(kWordButton, {})},
      {"hidebutton", B::kHide, NamedStatement(kWordButton, {})},
      {"enablebutton", B::kEnable, NamedStatement(kWordButton, {})},
      {"disablebutton", B::kDisable, NamedStatement(kWordButton, {})},
      {"buttonaction", B::kAction, NamedStatement(kWordButton, {kWordLabel})},
      {"buttonsound", B::kSound, NamedStatement(kWordButton, {kWordString, kWordString})},
      {"setbutton", B::kSet, NamedArguments(kWordButton, {}, 4)},
      {"movebutton", B::kMove, NamedArguments(kWordButton, {}, 4)},
      {"buttonarea", B::kArea, NamedArguments(kWordButton, {}, 4)},
      {"buttonimage", B::kImage, NamedArguments(kWordButton, {kWordString}, 17)},
  };
  return statements;
}

const std::vector<KeywordStatement>& SpriteStatements() {
  using S = Cmd_setsprite;
  static const std::vector<KeywordStatement> statements{
      {"showallsprite", S::kShow, {kWordSemicolon}, kAll},
      {"hideallsprite", S::kHide, {kWordSemicolon}, kAll},
      {"showsprite", S::kShow, NamedStatement(kWordSprite, {})},
      {"hidesprite", S::kHide, NamedStatement(kWordSprite, {})},
      {"setsprite", S::kSet, NamedArguments(kWordSprite, {}, 4)},
      {"movesprite", S::kMove, NamedArguments(kWordSprite, {}, 4)},
      {"spriteimage", S::kImage, NamedArguments(kWordSprite, {kWordString}, 5)},
      {"spritetext", S::kText, NamedArguments(kWordSprite, {kWordString, kWordString}, 4)},
  };
  return statements;
}

void CopyExpressions(const CommandParam& from, int first, int count, int to,
                     CommandParam& param) {
  for (int i = 0; i < count; ++i) param.Expr[to + i] = from.Expr[first + i];
}

void WriteExpressions(ITextStream* out,
                      std::initializer_list<const Expression*> exprs) {
  for (const Expression* expr : exprs) {
    out->Write(", ");
    out->WriteExpression(*expr);
  }
}

}  // namespace

// --- Placement -------------------------------------------------------------------

void Placement::Setup(const CommandParam& param) {
  x = param.Expr[0];
  y = param.Expr[1];
  z = param.Expr[2];
  a = param.Expr[3];
}

void Placement::Dump(ITextStream* out, const char* verb, const char* noun, const char* name) const {
  out->Write("%s%s %s, ", verb, noun, name);
  out->WriteExpression(x);
  WriteExpressions(out, {&y, &z, &a});
}

void Placement::Save(IIOStream* stream) const {
  for (const Expression* e : {&x, &y, &z, &a}) SaveExpressionField(stream, *e);
}

void Placement::Load(IIOStream* stream) {
  for (Expression* e : {&x, &y, &z, &a}) LoadExpressionField(stream, *e);
}

void Placement::Set(INovelEngine* engine, WindowHandle owner,
                    const char* name, SetPosition setPosition) const {
  const std::int32_t vx = Calc(x, engine);
  const std::int32_t vy = Calc(y, engine);
  const std::int32_t vz = Calc(z, engine);
  const std::int32_t va = Calc(a, engine);
  CheckAlpha(owner, va);
  (engine->GetTaskManager()->*setPosition)(name, vx, vy, vz, static_cast<std::uint8_t>(va));
}

void Placement::Offset(INovelEngine* engine, const char* name, Move move) const {
  (engine->GetTaskManager()->*move)(name, Calc(x, engine), Calc(y, engine), Calc(z, engine),
                                    Calc(a, engine));
}

// --- What setbutton and setsprite do alike --------------------------------------

namespace {

using nsTamskLib::nsTaskManager::ITaskManager;

// The task manager's operations on the buttons or on the sprites.
struct NamedObjects {
  bool (ITaskManager::*exists)(const char* name);
  const char* noun;     // in "<name>は存在しない<noun>です！"
  const char* keyword;  // in the statements' keywords: "showall<keyword>", "set<keyword>"
  void (ITaskManager::*setAllVisible)(bool visible);
  void (ITaskManager::*setVisible)(const char* name, bool visible);
  Placement::SetPosition setPosition;
  Placement::Move move;
};

const NamedObjects kButtons{&ITaskManager::ExistsButton, "ボタン", "button", &ITaskManager::SetAllButtonsVisible,
                           &ITaskManager::SetButtonVisible, &ITaskManager::SetButtonPosition,
                           &ITaskManager::MoveButton};
const NamedObjects kSprites{&ITaskManager::ExistsSprite, "スプライト", "sprite", &ITaskManager::SetAllSpritesVisible,
                           &ITaskManager::SetSpriteVisible, &ITaskManager::SetSpritePosition,
                           &ITaskManager::MoveSprite};

// Stops the program unless the name is "/" (all of them) or names one that exists;
// then runs a show, hide, set or move statement. False for any other kind, which
// the command runs itself.
template <class Command>
bool ExecuteShared(const NamedObjects& objects, std::int32_t kind, const std::string& name,
                   const Placement& place, INovelEngine* engine, WindowHandle owner) {
  ITaskManager* tasks = engine->GetTaskManager();
  const bool all = name == kAll;
  if (!all && !(tasks->*objects.exists)(name.c_str())) {
    HostRuntimeError(owner, "%sは存在しない%sです！", name.c_str(), objects.noun);
  }
  if (kind == Command::kShow || kind == Command::kHide) {
    if (all) {
      (tasks->*objects.setAllVisible)(kind == Command::kShow);
    } else {
      (tasks->*objects.setVisible)(name.c_str(), kind == Command::kShow);
    }
  } else if (kind == Command::kSet) {
    place.Set(engine, owner, name.c_str(), objects.setPosition);
  } else if (kind == Command::kMove) {
    place.Offset(engine, name.c_str(), objects.move);
  } else {
    return false;
  }
  return true;
}

// Writes a show, hide, set or move statement back as script text; false for any
// other kind, which the command writes itself.
template <class Command>
bool DumpShared(ITextStream* out, const NamedObjects& objects, std::int32_t kind,
                const std::string& name, const Placement& place) {
  if (kind == Command::kShow || kind == Command::kHide) {
    const char* verb = kind == Command::kShow ? "show" : "hide";
    if (name == kAll) {
      out->Write("%sall%s;\n", verb, objects.keyword);
    } else {
      out->Write("%s%s %s;\n", verb, objects.keyword, name.c_str());
    }
  } else if (kind == Command::kSet || kind == Command::kMove) {
    place.Dump(out, kind == Command::kSet ? "set" : "move", objects.keyword, name.c_str());
    out->Write(";\n");
  } else {
    return false;
  }
  return true;
}

// Parses a setbutton or setsprite statement: the kind, the name and the set and
// move statements' placement go to their slots; fill puts the rest of a statement
// of another kind into the slots of the members it sets.
template <class Command>
int ParseNamedStatement(unsigned keywordToken, std::span<const KeywordStatement> statements,
                        void (*fill)(std::int32_t kind, const CommandParam& inOrder,
                                     CommandParam& param)) {
  CommandParam inOrder;
  const KeywordStatement* entry = MatchKeywordStatement(keywordToken, statements, inOrder);
  if (entry == nullptr) return -1;
  CommandParam param;
  param.Int[0] = entry->kind;
  param.Str[0] = inOrder.Str[0];
  if (entry->kind == Command::kSet || entry->kind == Command::kMove) {
    CopyExpressions(inOrder, 0, 4, 0, param);
  } else {
    fill(entry->kind, inOrder, param);
  }
  AddParsedCommand(Command::Create(), param);
  return 1 + static_cast<int>(entry->form.size());
}

}  // namespace

// --- Cmd_setbutton -------------------------------------------------------------

int Cmd_setbutton::Execute() {
  if (ExecuteShared<Cmd_setbutton>(kButtons, m_Kind, m_Name, m_Place, m_Engine, Window())) {
    MoveOn(m_Engine);
    return 0;
  }
  ITaskManager* tasks = m_Engine->GetTaskManager();
  const bool all = m_Name == kAll;
  const char* name = m_Name.c_str();
  switch (m_Kind) {
    case kEnable:
    case kDisable:
      if (all) {
        tasks->SetAllButtonsEnabled(m_Kind == kEnable);
      } else {
        tasks->SetButtonEnabled(name, m_Kind == kEnable);
      }
      break;
    case kImage: {
      const std::int32_t blt = Calc(m_BltType, m_Engine);
      CheckBltType(Window(), blt);
      TRect rects[kStates];
      for (int i = 0; i < kStates; ++i) {
        const std::int32_t x = Calc(m_RectX[i], m_Engine);
        const std::int32_t y = Calc(m_RectY[i], m_Engine);
        const std::int32_t width = Calc(m_RectWidth[i], m_Engine);
        const std::int32_t height = Calc(m_RectHeight[i], m_Engine);
        CheckSourceRect(Window(), x, y, width, height, kStateNames[i]);
        rects[i] = nsTamskLib::MakeRect(x, y, width, height);
      }
      const std::string image = ExpandVariables(m_Image, m_Engine);
      tasks->SetButtonImage(name, image.c_str(), blt, rects[0].left, rects[0].top, rects[0].right,
                            rects[0].bottom, rects[1].left, rects[1].top, rects[1].right,
                            rects[1].bottom, rects[2].left, rects[2].top, rects[2].right,
                            rects[2].bottom, rects[3].left, rects[3].top, rects[3].right,
                            rects[3].bottom);
      break;
    }
    case kArea: {
      const std::int32_t x = Calc(m_RectX[kClickRect], m_Engine);
      const std::int32_t y = Calc(m_RectY[kClickRect], m_Engine);
      const std::int32_t width = Calc(m_RectWidth[kClickRect], m_Engine);
      const std::int32_t height = Calc(m_RectHeight[kClickRect], m_Engine);
      if (x < 0 || y < 0 || width < 0 || height < 0) {
        HostRuntimeError(Window(),
                         "判定矩形の指定が間違っています！（m_RectX[4] = %d, m_RectY[4] = %d, "
                         "m_RectWidth[4] = %d, m_RectHeight[4] = %d）",
                         x, y, width, height);
      }
      const TRect rect = nsTamskLib::MakeRect(x, y, width, height);
      tasks->SetButtonClickRect(name, rect.left, rect.top, rect.right, rect.bottom);
      break;
    }
    case kAction:
      tasks->SetButtonLabel(name, m_Label.c_str());
      break;
    case kSound: {
      // The script names the click sound first; the task manager takes the cursor
      // sound first.
      const std::string click = ExpandVariables(m_ClickSound, m_Engine);
      const std::string cursor = ExpandVariables(m_CursorSound, m_Engine);
      tasks->SetButtonSounds(name, cursor.c_str(), click.c_str());
      break;
    }
    default:
      break;
  }
  MoveOn(m_Engine);
  return 0;
}

void Cmd_setbutton::Setup(const CommandParam& param) {
  m_Kind = param.Int[0];
  m_Name = param.Str[0].c_str();
  m_Image = param.Str[1].c_str();
  m_Label = param.Str[2].c_str();
  m_ClickSound = param.Str[3].c_str();
  m_CursorSound = param.Str[4].c_str();
  m_Place.Setup(param);
  m_BltType = param.Expr[4];
  for (int i = 0; i <= kClickRect; ++i) {
    m_RectX[i] = param.Expr[5 + 4 * i];
    m_RectY[i] = param.Expr[6 + 4 * i];
    m_RectWidth[i] = param.Expr[7 + 4 * i];
    m_RectHeight[i] = param.Expr[8 + 4 * i];
  }
}

void Cmd_setbutton::Dump(ITextStream* out) {
  if (out == nullptr || DumpShared<Cmd_setbutton>(out, kButtons, m_Kind, m_Name, m_Place)) return;
  const char* name = m_Name.c_str();
  const bool all = m_Name == kAll;
  switch (m_Kind) {
    case kEnable:
      all ? out->Write("enableallbutton;\n") : out->Write("enablebutton %s;\n", name);
      return;
    case kDisable:
      all ? out->Write("disableallbutton;\n") : out->Write("disablebutton %s;\n", name);
      return;
    case kImage:
      out->Write("buttonimage %s, \"%s\", ", name, m_Image.c_str());
      out->WriteExpression(m_BltType);
      for (int i = 0; i < kStates; ++i) {
        WriteExpressions(out, {&m_RectX[i], &m_RectY[i], &m_RectWidth[i], &m_RectHeight[i]});
      }
      break;
    case kArea:
      out->Write("buttonarea %s, ", name);
      out->WriteExpression(m_RectX[kClickRect]);
      WriteExpressions(out, {&m_RectY[kClickRect], &m_RectWidth[kClickRect],
                             &m_RectHeight[kClickRect]});
      break;
    case kAction:
      out->Write("buttonaction %s, %s;\n", name, m_Label.c_str());
      return;
    case kSound:
      out->Write("buttonsound %s, \"%s\", \"%s\"", name, m_ClickSound.c_str(),
                 m_CursorSound.c_str());
      break;
    default:
      return;
  }
  out->Write(";\n");
}

void Cmd_setbutton::SaveOrLoadRect(int index, IIOStream* stream,
                                   bool save) {
  Expression* fields[] = {&m_RectX[index], &m_RectY[index], &m_RectWidth[index],
                                      &m_RectHeight[index]};
  for (Expression* field : fields) {
    if (save) {
      SaveExpressionField(stream, *field);
    } else {
      LoadExpressionField(stream, *field);
    }
  }
}

void Cmd_setbutton::Save(IIOStream* stream) {
  SaveIntField(stream, m_Kind);
  SaveStringField(stream, m_Name);
  switch (m_Kind) {
    case kSet:
    case kMove:
      m_Place.Save(stream);
      break;
    case kImage:
      SaveStringField(stream, m_Image);
      SaveExpressionField(stream, m_BltType);
      for (int i = 0; i < kStates; ++i) SaveOrLoadRect(i, stream, true);
      break;
    case kArea:
      SaveOrLoadRect(kClickRect, stream, true);
      break;
    case kAction:
      SaveStringField(stream, m_Label);
      break;
    case kSound:
      SaveStringField(stream, m_ClickSound);
      SaveStringField(stream, m_CursorSound);
      break;
    default:
      break;
  }
}

void Cmd_setbutton::Load(IIOStream* stream) {
  m_Kind = LoadIntField(stream);
  m_Name = LoadStringField(stream);
  switch (m_Kind) {
    case kSet:
    case kMove:
      m_Place.Load(stream);
      break;
    case kImage:
      m_Image = LoadStringField(stream);
      LoadExpressionField(stream, m_BltType);
      for (int i = 0; i < kStates; ++i) SaveOrLoadRect(i, stream, false);
      break;
    case kArea:
      SaveOrLoadRect(kClickRect, stream, false);
      break;
    case kAction:
      m_Label = LoadStringField(stream);
      break;
    case kSound:
      m_ClickSound = LoadStringField(stream);
      m_CursorSound = LoadStringField(stream);
      break;
    default:
      break;
  }
}

KeywordList Cmd_setbutton::Keywords() { return KeywordsOf<ButtonStatements>(); }

int Cmd_setbutton::Parse(unsigned keywordToken) {
  // Each argument goes to the slot of the member it sets.
  return ParseNamedStatement<Cmd_setbutton>(
      keywordToken, ButtonStatements(),
      [](std::int32_t kind, const CommandParam& inOrder, CommandParam& param) {
        switch (kind) {
          case kImage:
            param.Str[1] = inOrder.Str[1];
            CopyExpressions(inOrder, 0, 17, 4, param);
            break;
          case kArea:
            CopyExpressions(inOrder, 0, 4, 5 + 4 * kClickRect, param);
            break;
          case kAction:
            param.Str[2] = inOrder.Str[1];
            break;
          case kSound:
            param.Str[3] = inOrder.Str[1];
            param.Str[4] = inOrder.Str[2];
            break;
          default:
            break;
        }
      });
}

// --- Cmd_setsprite -------------------------------------------------------------

int Cmd_setsprite::Execute() {
  if (ExecuteShared<Cmd_setsprite>(kSprites, m_Kind, m_Name, m_Place, m_Engine, Window())) {
    MoveOn(m_Engine);
    return 0;
  }
  ITaskManager* tasks = m_Engine->GetTaskManager();
  const char* name = m_Name.c_str();
  switch (m_Kind) {
    case kImage: {
      const std::int32_t blt = Calc(m_BltType, m_Engine);
      CheckBltType(Window(), blt);
      const std::int32_t x = Calc(m_RectX, m_Engine);
      const std::int32_t y = Calc(m_RectY, m_Engine);
      const std::int32_t width = Calc(m_RectWidth, m_Engine);
      const std::int32_t height = Calc(m_RectHeight, m_Engine);
      CheckSourceRect(Window(), x, y, width, height);
      // An empty definition: a sprite that showed text shows only its image from now on.
      CreateTextSprite(m_Name, "", "", 0, 0, m_Engine);
      const std::string image = ExpandVariables(m_Image, m_Engine);
      const TRect rect = nsTamskLib::MakeRect(x, y, width, height);
      tasks->SetSpriteImage(name, image.c_str(), blt, rect.left, rect.top, rect.right,
                            rect.bottom);
      break;
    }
    case kText: {
      const std::int32_t size = Calc(m_Size, m_Engine);
      if (size < 1) HostRuntimeError(Window(), "引数が0または負数です！（m_Size = %d）", size);
      const std::int32_t red = Calc(m_R, m_Engine);
      const std::int32_t green = Calc(m_G, m_Engine);
      const std::int32_t blue = Calc(m_B, m_Engine);
      if (red < 0 || red > 255 || green < 0 || green > 255 || blue < 0 || blue > 255) {
        HostRuntimeError(Window(), "引数の何れかが負数か255を超えています！（R：%d　G：%d　B：%d）",
                         red, green, blue);
      }
      const std::string font = ExpandVariables(m_Font, m_Engine);
      const std::int32_t color = red + green * 256 + blue * 65536;
      CreateTextSprite(m_Name, m_Text, font, size, color, m_Engine);
      // Laid out as the re-layout of the text sprites lays it out.
      TextTokenSection section;
      LayoutTaggedText(m_Text, font, size, static_cast<std::uint32_t>(color), 0,
                       TextStyle().ruby.offset.current, 0, 0, -1, -1, m_Engine, section);
      tasks->SetSpriteText(name, section);
      break;
    }
    default:
      break;
  }
  MoveOn(m_Engine);
  return 0;
}

void Cmd_setsprite::Setup(const CommandParam& param) {
  m_Kind = param.Int[0];
  m_Name = param.Str[0].c_str();
  m_Image = param.Str[1].c_str();
  m_Text = param.Str[2].c_str();
  m_Font = param.Str[3].c_str();
  m_Place.Setup(param);
  Expression* members[] = {&m_BltType, &m_RectX, &m_RectY, &m_RectWidth,
                                       &m_RectHeight, &m_Size, &m_R,     &m_G, &m_B};
  for (std::size_t i = 0; i < std::size(members); ++i) *members[i] = param.Expr[4 + i];
}

void Cmd_setsprite::Dump(ITextStream* out) {
  if (out == nullptr || DumpShared<Cmd_setsprite>(out, kSprites, m_Kind, m_Name, m_Place)) return;
  const char* name = m_Name.c_str();
  switch (m_Kind) {
    case kImage:
      out->Write("spriteimage %s, \"%s\"", name, m_Image.c_str());
      WriteExpressions(out, {&m_BltType, &m_RectX, &m_RectY, &m_RectWidth, &m_RectHeight});
      break;
    case kText:
      out->Write("spritetext %s, \"%s\", \"%s\"", name, m_Text.c_str(), m_Font.c_str());
      WriteExpressions(out, {&m_Size, &m_R, &m_G, &m_B});
      break;
    default:
      return;
  }
  out->Write(";\n");
}

void Cmd_setsprite::Save(IIOStream* stream) {
  SaveIntField(stream, m_Kind);
  SaveStringField(stream, m_Name);
  switch (m_Kind) {
    case kSet:
    case kMove:
      m_Place.Save(stream);
      break;
    case kImage:
      SaveStringField(stream, m_Image);
      for (const Expression* e : {&m_BltType, &m_RectX, &m_RectY, &m_RectWidth,
                                              &m_RectHeight}) {
        SaveExpressionField(stream, *e);
      }
      break;
    case kText:
      SaveStringField(stream, m_Text);
      SaveStringField(stream, m_Font);
      for (const Expression* e : {&m_Size, &m_R, &m_G, &m_B}) SaveExpressionField(stream, *e);
      break;
    default:
      break;
  }
}

void Cmd_setsprite::Load(IIOStream* stream) {
  m_Kind = LoadIntField(stream);
  m_Name = LoadStringField(stream);
  switch (m_Kind) {
    case kSet:
    case kMove:
      m_Place.Load(stream);
      break;
    case kImage:
      m_Image = LoadStringField(stream);
      for (Expression* e : {&m_BltType, &m_RectX, &m_RectY, &m_RectWidth,
                                        &m_RectHeight}) {
        LoadExpressionField(stream, *e);
      }
      break;
    case kText:
      m_Text = LoadStringField(stream);
      m_Font = LoadStringField(stream);
      for (Expression* e : {&m_Size, &m_R, &m_G, &m_B}) LoadExpressionField(stream, *e);
      break;
    default:
      break;
  }
}

KeywordList Cmd_setsprite::Keywords() { return KeywordsOf<SpriteStatements>(); }

int Cmd_setsprite::Parse(unsigned keywordToken) {
  // Each argument goes to the slot of the member it sets.
  return ParseNamedStatement<Cmd_setsprite>(
      keywordToken, SpriteStatements(),
      [](std::int32_t kind, const CommandParam& inOrder, CommandParam& param) {
        switch (kind) {
          case kImage:
            param.Str[1] = inOrder.Str[1];
            CopyExpressions(inOrder, 0, 5, 4, param);
            break;
          case kText:
            param.Str[2] = inOrder.Str[1];
            param.Str[3] = inOrder.Str[2];
            CopyExpressions(inOrder, 0, 4, 9, param);
            break;
          default:
            break;
        }
      });
}

}  // namespace nsWendrick
