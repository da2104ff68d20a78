#pragma once
// Cmd_text (type 9, "text"): shows one message with an optional talker name in the
// text window. It lays both out when it starts, reveals the message glyph by glyph
// at the text speed, stops at click-wait points, carries out the typewriter tags,
// and finishes on the advance input, after the automatic-advance wait or, in skip
// mode, after the minimum skip time. Finishing marks the message read, adds it to
// the backlog and moves the script on.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/api/backlog_record.h"
#include "engine/api/token_containers.h"
#include "plugin/commands/command_base.h"
#include "plugin/commands/keyword_list.h"
#include "plugin/text/window_layout.h"

namespace nsWendrick {

class Cmd_text final : public CommandBase {
 public:
  static constexpr std::uint32_t kType = 9;
  // The id reported while an inline wait runs: no command type enables system
  // input under it, so the story scene ignores system keys during the wait.
  static constexpr std::uint32_t kWaitingId = 44;

  void Reset() override { m_Step = -1; }
  int Execute() override;
  void Setup(const nsTamskLib::CommandParam& param) override;
  std::uint32_t GetID() override;
  void Dump(nsTamskLib::nsTextStream::ITextStream* out) override;
  void Save(nsTamskLib::nsIOStream::IIOStream* stream) override;
  void Load(nsTamskLib::nsIOStream::IIOStream* stream) override;

  static nsTamskLib::ICmd_Base* Create();
  static int Parse(unsigned keyword);
  static KeywordList Keywords();

  const std::string& message() const { return m_Message; }
  const std::string& talker() const { return m_Talker; }
  // -1 before the start, else the index of the next token to reveal.
  std::int32_t step() const { return m_Step; }
  const SpeedStack& speeds() const { return m_Speeds; }

 private:
  void Start();
  std::uint32_t TokenCount() const { return static_cast<std::uint32_t>(m_Places.size()); }
  const nsTamskLib::TextToken& TokenAt(std::int32_t index) const;
  bool TokenIs(std::int32_t index, const char* text) const;
  // Whether the step is inside the message (neither its head nor its end).
  bool Revealing() const;
  void ShowEverything();
  void RevealNext();
  void Finish(bool markRead);
  void Display();

  std::string m_Message;
  std::string m_Talker;
  std::uint32_t m_Start = 0;
  nsTamskLib::nsTextManager::BackLogRecord m_Record;
  std::int32_t m_Step = -1;
  nsTamskLib::TextTokenSection m_Shown;
  TagCmdList m_TagCmds;
  SpeedStack m_Speeds;
  // Line and index of every token of the message section, in reading order.
  std::vector<std::pair<std::uint32_t, std::uint32_t>> m_Places;
};

}  // namespace nsWendrick
