#pragma once
// The mode commands: screen mode (Cmd_setscreen, 16), skip mode (Cmd_setskip, 17),
// automatic advance (Cmd_setauto, 18) and the forced text window
// (Cmd_forcetextwindow, 57). Kind 0 switches on, 1 off, 2 toggles (the screen: 0
// toggles, 1 window, 2 full screen). Each runs for exactly one frame.

#include <cstdint>

#include "plugin/commands/command_families.h"
#include "plugin/commands/keyword_list.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

class Cmd_setscreen final : public KindCmd {
 public:
  enum Kind : std::int32_t { kToggle = 0, kWindow = 1, kFullScreen = 2 };

  int Execute() override;
  static constexpr std::uint32_t kType = 16;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;

  static ICmd_Base* Create();
  static int Parse(unsigned keyword);
  static KeywordList Keywords();
};

// Kinds of the three switch commands below.
enum SwitchKind : std::int32_t { kSwitchOn = 0, kSwitchOff = 1, kSwitchToggle = 2 };

class Cmd_setskip final : public KindCmd {
 public:
  int Execute() override;
  static constexpr std::uint32_t kType = 17;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;

  static ICmd_Base* Create();
  static int Parse(unsigned keyword);
  static KeywordList Keywords();
};

class Cmd_setauto final : public KindCmd {
 public:
  int Execute() override;
  static constexpr std::uint32_t kType = 18;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;

  static ICmd_Base* Create();
  static int Parse(unsigned keyword);
  static KeywordList Keywords();
};

class Cmd_forcetextwindow final : public KindCmd {
 public:
  int Execute() override;
  static constexpr std::uint32_t kType = 57;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;

  static ICmd_Base* Create();
  static int Parse(unsigned keyword);
  static KeywordList Keywords();
};

}  // namespace nsWendrick
