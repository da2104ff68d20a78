#pragma once
// The flow commands: conditional blocks, jumps by offset and to labels, subroutine
// calls, loops, waits, the end of the program, declarations of script variables,
// buttons and sprites, variable arithmetic, random values and object linking.
// They act only through the engine; a command that does not move the script
// position runs again on the next frame. Their parsers are in flow_parsers.cpp.

#include <cstdint>
#include <string>

#include "engine/api/token_containers.h"
#include "plugin/commands/command_base.h"
#include "plugin/commands/command_families.h"
#include "plugin/commands/keyword_list.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

// The type of else: it has a parser, which makes a jump, but no command class.
inline constexpr std::uint32_t kTypeElse = 7;

// Kinds of a declaration, also the kinds of the symbol-kind table.
enum SymbolKind : std::int32_t {
  kSymbolLocal = 1,
  kSymbolGlobal = 2,
  kSymbolButton = 3,
  kSymbolSprite = 4,
};

// Assignment operator codes: = += -= /= *= %= |= &= ^=.
inline constexpr std::int32_t kAssignFirst = 22;
inline constexpr std::int32_t kAssignLast = 30;

// The new value of a variable x after "x <op> v" in 32-bit arithmetic with
// wrap-around. Division and remainder by 0 stop the program with "0除算です！";
// INT_MIN / -1 is INT_MIN and INT_MIN % -1 is 0. An unknown code keeps x.
std::int32_t ApplyAssignment(std::int32_t op, std::int32_t x, std::int32_t v,
                             WindowHandle owner);
// The operator's script text (" = ", " += ", ...), "" for an unknown code.
const char* AssignmentText(std::int32_t op);

// if: a true condition goes on to the block, a false one skips it.
class Cmd_if final : public CommandBase {
 public:
  int Execute() override;
  void Setup(const CommandParam& param) override;
  static constexpr std::uint32_t kType = 1;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  void Save(IIOStream* stream) override;
  void Load(IIOStream* stream) override;

  static ICmd_Base* Create() { return new Cmd_if(); }
  static int Parse(unsigned keyword);
  static constexpr const char* kKeywords[] = {"if"};
  static KeywordList Keywords() { return kKeywords; }
  std::int32_t GetSkipCount() const { return m_SkipCount; }

 private:
  Expression m_Condition;
  std::int32_t m_SkipCount = 0;
};

// jump (and what "else" produces): moves by an offset.
class Cmd_jump final : public ExprCmd {
 public:
  int Execute() override;
  static constexpr std::uint32_t kType = 27;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  static ICmd_Base* Create() { return new Cmd_jump(); }
  static int Parse(unsigned keyword);
  static constexpr const char* kKeywords[] = {"jump"};
  static KeywordList Keywords() { return kKeywords; }
};

// end: the engine quits.
class Cmd_end final : public SimpleCmd {
 public:
  int Execute() override;
  static constexpr std::uint32_t kType = 4;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  static ICmd_Base* Create() { return new Cmd_end(); }
  static int Parse(unsigned keyword);
  static constexpr const char* kKeywords[] = {"end"};
  static KeywordList Keywords() { return kKeywords; }
};

// local, global, button, sprite: declares a name once.
class Cmd_set final : public CommandBase {
 public:
  int Execute() override;
  void Setup(const CommandParam& param) override;
  static constexpr std::uint32_t kType = 5;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  void Save(IIOStream* stream) override;
  // Also enters a local or global name into the names that text expansion knows.
  void Load(IIOStream* stream) override;

  static ICmd_Base* Create() { return new Cmd_set(); }
  static int Parse(unsigned keyword);
  // In the order of the symbol kinds, from kSymbolLocal on.
  static constexpr const char* kKeywords[] = {"local", "global", "button", "sprite"};
  static KeywordList Keywords() { return kKeywords; }

 private:
  std::int32_t m_Kind = 0;
  std::string m_Name;
  Expression m_Initial;
};

// calc: assigns to a variable with one of the assignment operators.
class Cmd_calc final : public CommandBase {
 public:
  int Execute() override;
  void Setup(const CommandParam& param) override;
  static constexpr std::uint32_t kType = 6;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  void Save(IIOStream* stream) override;
  void Load(IIOStream* stream) override;

  static ICmd_Base* Create() { return new Cmd_calc(); }
  static int Parse(unsigned keyword);
  static constexpr const char* kKeywords[] = {"calc"};
  static KeywordList Keywords() { return kKeywords; }

 private:
  std::int32_t m_Operator = 0;
  std::string m_Name;
  Expression m_Operand;
};

// goto: continues at a label.
class Cmd_goto final : public LabelCmd {
 public:
  int Execute() override;
  static constexpr std::uint32_t kType = 8;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  static ICmd_Base* Create() { return new Cmd_goto(); }
  static int Parse(unsigned keyword);
  static constexpr const char* kKeywords[] = {"goto"};
  static KeywordList Keywords() { return kKeywords; }
};

// gotod: goto with the label text expanded each time it runs.
class Cmd_gotod final : public LabelCmd {
 public:
  int Execute() override;
  static constexpr std::uint32_t kType = 55;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  static ICmd_Base* Create() { return new Cmd_gotod(); }
  static int Parse(unsigned keyword);
  static constexpr const char* kKeywords[] = {"gotod"};
  static KeywordList Keywords() { return kKeywords; }
};

// gosub: calls the subroutine at a label; return comes back behind the call.
class Cmd_gosub final : public LabelCmd {
 public:
  int Execute() override;
  static constexpr std::uint32_t kType = 14;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  static ICmd_Base* Create() { return new Cmd_gosub(); }
  static int Parse(unsigned keyword);
  static constexpr const char* kKeywords[] = {"gosub"};
  static KeywordList Keywords() { return kKeywords; }
};

// gosubd: gosub with the label text expanded each time it runs.
class Cmd_gosubd final : public LabelCmd {
 public:
  int Execute() override;
  static constexpr std::uint32_t kType = 56;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  static ICmd_Base* Create() { return new Cmd_gosubd(); }
  static int Parse(unsigned keyword);
  static constexpr const char* kKeywords[] = {"gosubd"};
  static KeywordList Keywords() { return kKeywords; }
};

// return: back to the command after the call.
class Cmd_return final : public SimpleCmd {
 public:
  int Execute() override;
  static constexpr std::uint32_t kType = 15;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  static ICmd_Base* Create() { return new Cmd_return(); }
  static int Parse(unsigned keyword);
  static constexpr const char* kKeywords[] = {"return"};
  static KeywordList Keywords() { return kKeywords; }
};

// wait: for a time, for the advance input, or for whichever comes first.
class Cmd_wait final : public ExprCmd {
 public:
  void Reset() override;
  int Execute() override;
  static constexpr std::uint32_t kType = 13;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  static ICmd_Base* Create() { return new Cmd_wait(); }
  static int Parse(unsigned keyword);
  static constexpr const char* kKeywords[] = {"wait"};
  static KeywordList Keywords() { return kKeywords; }

 private:
  void GoOn();

  // The clock reading of the first frame; only valid while started.
  std::uint32_t m_StartTime = 0;
  bool m_Started = false;
};

// rand: a random value between a minimum and a maximum.
class Cmd_rand final : public CommandBase {
 public:
  int Execute() override;
  void Setup(const CommandParam& param) override;
  static constexpr std::uint32_t kType = 51;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  void Save(IIOStream* stream) override;
  void Load(IIOStream* stream) override;

  static ICmd_Base* Create() { return new Cmd_rand(); }
  static int Parse(unsigned keyword);
  static constexpr const char* kKeywords[] = {"rand"};
  static KeywordList Keywords() { return kKeywords; }

 private:
  std::string m_Name;
  Expression m_Maximum;
  Expression m_Minimum;
};

// beginloop and endloop: a condition, a step, and the offsets to go on and to
// leave, fixed when the script is compiled.
class Cmd_loop final : public CommandBase {
 public:
  int Execute() override;
  void Setup(const CommandParam& param) override;
  static constexpr std::uint32_t kType = 52;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  void Save(IIOStream* stream) override;
  void Load(IIOStream* stream) override;

  static ICmd_Base* Create() { return new Cmd_loop(); }
  static int Parse(unsigned keyword);
  static constexpr const char* kKeywords[] = {"beginloop", "endloop"};
  static KeywordList Keywords() { return kKeywords; }
  std::int32_t GetOffsetGo() const { return m_OffsetGo; }
  std::int32_t GetOffsetFail() const { return m_OffsetFail; }

 private:
  Expression m_Condition;
  std::string m_Name;
  std::int32_t m_Operator = 0;
  Expression m_Step;
  std::int32_t m_OffsetGo = 0;
  std::int32_t m_OffsetFail = 0;
};

// break: leaves the enclosing loop (the offset is the family's kind).
class Cmd_break final : public KindCmd {
 public:
  int Execute() override;
  static constexpr std::uint32_t kType = 53;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  static ICmd_Base* Create() { return new Cmd_break(); }
  static int Parse(unsigned keyword);
  static constexpr const char* kKeywords[] = {"break"};
  static KeywordList Keywords() { return kKeywords; }
};

// loadobject: links a compiled object into the running script.
class Cmd_loadobject final : public LabelCmd {
 public:
  int Execute() override;
  static constexpr std::uint32_t kType = 54;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  static ICmd_Base* Create() { return new Cmd_loadobject(); }
  static int Parse(unsigned keyword);
  static constexpr const char* kKeywords[] = {"loadobject"};
  static KeywordList Keywords() { return kKeywords; }
};

}  // namespace nsWendrick
