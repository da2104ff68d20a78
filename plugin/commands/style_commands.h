#pragma once
// The text style commands: the message text (Cmd_settext, 11), the talker name
// (Cmd_settalker, 12), the ruby (Cmd_setruby, 45) and the choice texts
// (Cmd_setselecttext, 40). An object holds one sub-command (its kind) with only
// that kind's arguments: a font face, one to three expressions, or an alignment.
// Execute evaluates and checks the arguments, stores the value (in the text style
// state, or for the choice font, size, limits and colours in the draw manager) and
// moves on in the same frame.

#include <cstdint>
#include <span>
#include <string>

#include "engine/api/token_containers.h"
#include "engine/api/plugin_api.h"
#include "plugin/commands/command_base.h"
#include "plugin/commands/keyword_list.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

// What a keyword takes and how its value is checked.
enum class StyleArgument {
  kAlignment,  // no argument; the alignment of the keyword
  kFont,       // a string, expanded when the command runs
  kSize,       // n >= 1
  kColor,      // r, g, b, each 0 to 255
  kNumber,     // n, unchecked
  kPosition,   // x, y, unchecked
  kMaxWidth,   // n >= 0
  kMaxHeight,  // n >= 0
  kCSpace,     // n >= 0
  kLSpace,     // n >= 0
  kOffset,     // n >= 0
};

struct StyleKeyword {
  const char* keyword;
  std::int32_t kind;
  StyleArgument argument;
  std::int32_t align;  // alignment keywords only
};

// The checked value of a sub-command.
struct StyleValue {
  std::string font;
  std::int32_t number = 0;
  std::int32_t y = 0;
  std::uint32_t color = 0;
  std::int32_t align = 0;
};

class StyleCmd : public CommandBase {
 public:
  int Execute() override;
  void Setup(const CommandParam& param) override;
  void Dump(ITextStream* out) override;
  void Save(IIOStream* stream) override;
  void Load(IIOStream* stream) override;

  std::int32_t GetKind() const { return m_Kind; }

 protected:
  // The class's keywords; the alignment keywords share one kind.
  virtual std::span<const StyleKeyword> KeywordRows() const = 0;
  // Stores the checked value of the kind.
  virtual void Store(std::int32_t kind, const StyleValue& value) = 0;

  // Parses a statement of one of the keywords.
  static int ParseStyle(unsigned keyword, std::span<const StyleKeyword> keywords,
                        nsTamskLib::CmdFactory factory);

 private:
  // The row of the command's kind (for an alignment, of its alignment); null when
  // the kind is none of the class's.
  const StyleKeyword* Row() const;
  StyleValue Evaluate(StyleArgument argument);

  std::int32_t m_Kind = 0;
  std::string m_Font;
  Expression m_Args[3];
  std::int32_t m_Align = 0;
};

class Cmd_settext final : public StyleCmd {
 public:
  static constexpr std::uint32_t kType = 11;
  std::uint32_t GetID() override { return kType; }
  static ICmd_Base* Create();
  static int Parse(unsigned keyword);
  static KeywordList Keywords();

 protected:
  std::span<const StyleKeyword> KeywordRows() const override;
  void Store(std::int32_t kind, const StyleValue& value) override;
};

class Cmd_settalker final : public StyleCmd {
 public:
  static constexpr std::uint32_t kType = 12;
  std::uint32_t GetID() override { return kType; }
  static ICmd_Base* Create();
  static int Parse(unsigned keyword);
  static KeywordList Keywords();

 protected:
  std::span<const StyleKeyword> KeywordRows() const override;
  void Store(std::int32_t kind, const StyleValue& value) override;
};

class Cmd_setruby final : public StyleCmd {
 public:
  static constexpr std::uint32_t kType = 45;
  std::uint32_t GetID() override { return kType; }
  static ICmd_Base* Create();
  static int Parse(unsigned keyword);
  static KeywordList Keywords();

 protected:
  std::span<const StyleKeyword> KeywordRows() const override;
  void Store(std::int32_t kind, const StyleValue& value) override;
};

class Cmd_setselecttext final : public StyleCmd {
 public:
  static constexpr std::uint32_t kType = 40;
  std::uint32_t GetID() override { return kType; }
  static ICmd_Base* Create();
  static int Parse(unsigned keyword);
  static KeywordList Keywords();

 protected:
  std::span<const StyleKeyword> KeywordRows() const override;
  void Store(std::int32_t kind, const StyleValue& value) override;
};

}  // namespace nsWendrick
