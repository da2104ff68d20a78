#pragma once
// The sound commands: sound effects (Cmd_se, type 2) and music (Cmd_bgm, type 3).
// The file name is expanded each time the command runs; a failed operation of the
// sound manager is reported as a warning and the script goes on. Each command runs
// for exactly one frame.

#include <cstdint>

#include "plugin/commands/command_families.h"
#include "plugin/commands/keyword_list.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

class Cmd_se final : public NamedCmd {
 public:
  enum Kind : std::int32_t { kPlay = 0, kStop = 1, kLoad = 2, kUnload = 3 };

  int Execute() override;
  static constexpr std::uint32_t kType = 2;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;

  static ICmd_Base* Create();
  static int Parse(unsigned keyword);
  static KeywordList Keywords();
};

class Cmd_bgm final : public NamedCmd {
 public:
  enum Kind : std::int32_t { kPlay = 0, kStop = 1, kPlayOnce = 2 };

  int Execute() override;
  static constexpr std::uint32_t kType = 3;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;

  static ICmd_Base* Create();
  static int Parse(unsigned keyword);
  static KeywordList Keywords();
};

}  // namespace nsWendrick
