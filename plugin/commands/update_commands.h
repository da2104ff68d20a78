#pragma once
// The transition commands: "update" (type 20) starts patterns 1-15 and 26,
// "update2" (type 48) the shutters and curtains 17-24 with their strip width. Each
// fills the task manager's update record once, then stays the current command until
// the pattern has run out (the record's type is back to 0). In skip mode the page
// flips at once instead.

#include <cstdint>

#include "engine/api/token_containers.h"
#include "plugin/commands/command_base.h"
#include "plugin/commands/keyword_list.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

class Cmd_update : public CommandBase {
 public:
  void Reset() override { m_Started = false; }
  int Execute() override;
  void Setup(const CommandParam& param) override;
  static constexpr std::uint32_t kType = 20;
  std::uint32_t GetID() override { return kType; }
  static KeywordList Keywords();
  void Dump(ITextStream* out) override;
  void Save(IIOStream* stream) override;
  void Load(IIOStream* stream) override;

  bool IsStarted() const { return m_Started; }

 private:
  Expression m_Pattern;
  Expression m_Time;
  // Set when the record was filled; a plain flag, since any clock value (0 too)
  // can be the moment of the start.
  bool m_Started = false;
};

class Cmd_update2 : public CommandBase {
 public:
  void Reset() override { m_Started = false; }
  int Execute() override;
  void Setup(const CommandParam& param) override;
  static constexpr std::uint32_t kType = 48;
  std::uint32_t GetID() override { return kType; }
  static KeywordList Keywords();
  void Dump(ITextStream* out) override;
  void Save(IIOStream* stream) override;
  void Load(IIOStream* stream) override;

  bool IsStarted() const { return m_Started; }

 private:
  Expression m_Pattern;
  Expression m_Time;
  Expression m_Width;
  bool m_Started = false;
};

ICmd_Base* CreateCmdUpdate();
ICmd_Base* CreateCmdUpdate2();

// The script parsers of "update" and "update2".
int ParseUpdate(unsigned keywordToken);
int ParseUpdate2(unsigned keywordToken);

}  // namespace nsWendrick
