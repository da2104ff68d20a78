#pragma once
// The transition commands: "update" (type 20) starts patterns 1-15 and 26,
// "update2" (type 48) the shutters and curtains 17-24 with their strip width. Each
// fills the task manager's update record once, then stays the current command until
// the pattern has run out (the record's type is back to 0). In skip mode the page
// flips at once instead. update2 is update with one argument more: its compiled
// body, dump and run are update's, with the width after the time.

#include <cstdint>

#include "engine/api/token_containers.h"
#include "plugin/commands/command_base.h"
#include "plugin/commands/keyword_list.h"
#include "plugin/commands/keyword_statement.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

class Cmd_update : public CommandBase {
 public:
  void Reset() override { m_Started = false; }
  int Execute() override;
  void Setup(const CommandParam& param) override;
  static constexpr std::uint32_t kType = 20;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  void Save(IIOStream* stream) override;
  void Load(IIOStream* stream) override;

  static ICmd_Base* Create();
  static int Parse(unsigned keyword);
  static KeywordList Keywords();

  bool IsStarted() const { return m_Started; }

 protected:
  // The class's statement: its keyword and its arguments.
  virtual const KeywordStatement& Statement() const;
  virtual bool IsOwnPattern(std::int32_t pattern) const;
  // The checked value of the argument after the time, for the record's Param[0]
  // (update has none: 0).
  virtual std::int32_t PatternArgument() const { return 0; }

  // The arguments in script order: pattern, time and update2's width.
  enum Argument : std::uint32_t { kPattern = 0, kTime, kWidth, kArgumentCount };
  Expression m_Args[kArgumentCount];

 private:
  std::uint32_t ArgumentCount() const;

  // Set when the record was filled; a plain flag, since any clock value (0 too)
  // can be the moment of the start.
  bool m_Started = false;
};

class Cmd_update2 final : public Cmd_update {
 public:
  static constexpr std::uint32_t kType = 48;
  std::uint32_t GetID() override { return kType; }

  static ICmd_Base* Create();
  static int Parse(unsigned keyword);
  static KeywordList Keywords();

 protected:
  const KeywordStatement& Statement() const override;
  bool IsOwnPattern(std::int32_t pattern) const override;
  // The strip width, at least 1.
  std::int32_t PatternArgument() const override;
};

}  // namespace nsWendrick
