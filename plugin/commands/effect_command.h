#pragma once
// Cmd_effect (type 28): starts one of the sixteen screen effects by filling the task
// manager's effect record, then stays the current command until the effect has
// ended: the record's type back to 0, or a fade-out's colour held (held_colour.h).
// In skip mode the effect is not shown: only its lasting consequences (page flips,
// text-window switches) are applied, and the script moves on at once.

#include <cstdint>

#include "engine/api/token_containers.h"
#include "plugin/commands/command_base.h"
#include "plugin/commands/keyword_list.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

class Cmd_effect final : public CommandBase {
 public:
  // The expressions, in member order (Setup takes Expr[i] into member i).
  enum Member : std::uint32_t {
    kTime = 0,
    kX,
    kY,
    kRed,
    kGreen,
    kBlue,
    kXNum,
    kYNum,
    kQuakeTime,
    kQuakeRange,
    kFadeFlags,
    kMemberCount,
  };

  static ICmd_Base* Create() { return new Cmd_effect(); }
  // The script parser: "<keyword> arg, ...;" with the keyword's own argument count.
  static int Parse(unsigned keywordToken);
  static KeywordList Keywords();

  void Reset() override { m_Started = false; }
  int Execute() override;
  void Setup(const CommandParam& param) override;
  static constexpr std::uint32_t kType = 28;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  void Save(IIOStream* stream) override;
  void Load(IIOStream* stream) override;

  std::int32_t GetKind() const { return m_Kind; }
  bool IsStarted() const { return m_Started; }

 private:
  std::int32_t Value(Member member) const;
  // The effect record of the kind, after the argument checks.
  void StartEffect();
  // What a skipped effect leaves behind.
  void ApplySkippedEffect();

  std::int32_t m_Kind = 0;  // the effect number, 1 to 16
  Expression m_Expr[kMemberCount];
  // Set when the record was given to the task manager; a flag rather than the
  // clock value, which may read 0.
  bool m_Started = false;
};

}  // namespace nsWendrick
