#pragma once
// Cmd_select (type 10, "select"): offers up to ten choices in the engine's choice
// window and stores the 1-based number of the chosen one in a script variable. The
// choices are laid out once per run; the draw manager shows the window, follows
// the mouse and reports when a choice was taken.

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/commands/command_base.h"
#include "plugin/commands/keyword_list.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

class Cmd_select final : public CommandBase {
 public:
  static constexpr std::uint32_t kType = 10;

  void Reset() override { m_Starting = 1; }
  int Execute() override;
  void Setup(const CommandParam& param) override;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  void Save(IIOStream* stream) override;
  void Load(IIOStream* stream) override;

  static ICmd_Base* Create();
  // "select" string {"," string} "," variable ";" with at most ten strings.
  static int Parse(unsigned keyword);
  static constexpr const char* kKeywords[] = {"select"};
  static KeywordList Keywords() { return kKeywords; }

  const std::string& variable() const { return m_Variable; }
  const std::vector<std::string>& choices() const { return m_Choices; }

 private:
  void Start();

  std::string m_Variable;
  std::vector<std::string> m_Choices;
  std::uint8_t m_Starting = 1;
};

}  // namespace nsWendrick
