#pragma once
// The engine state commands: sound volumes, voices, the player's state stack
// (suspend and the system screens), the text window, the menu flag, waiting on a
// condition and the margin of the character layers. All but Cmd_sleep finish in
// the frame in which they run.
//
//   Cmd_volume     (26)  sevolume, bgmvolume, voicevolume
//   Cmd_suspend    (29)  suspend
//   Cmd_systemcall (30)  callbacklog, callsave, callload, callconfig, callmenu
//   Cmd_textwindow (31)  texton, textoff, textwindow
//   Cmd_cleartext  (33)  cleartext
//   Cmd_menu       (34)  menuon, menuoff, menu
//   Cmd_sleep      (35)  sleep
//   Cmd_charaspace (36)  charaspace
//   Cmd_voice      (37)  playvoice, stopvoice, stopallvoice, loadvoice, unloadvoice,
//                        unloadallvoice

#include <cstdint>

#include "engine/api/token_containers.h"
#include "plugin/commands/command_families.h"
#include "plugin/commands/keyword_list.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

class Cmd_volume final : public CommandBase {
 public:
  enum Kind : std::int32_t { kSE = 0, kBGM = 1, kVoice = 2 };

  static ICmd_Base* Create() { return new Cmd_volume(); }
  static int Parse(unsigned keywordToken);
  static KeywordList Keywords();

  int Execute() override;
  void Setup(const CommandParam& param) override;
  static constexpr std::uint32_t kType = 26;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  void Save(IIOStream* stream) override;
  void Load(IIOStream* stream) override;

 private:
  std::int32_t m_Kind = 0;
  Expression m_Volume;
};

class Cmd_voice final : public NamedCmd {
 public:
  enum Kind : std::int32_t { kPlay = 0, kStop = 1, kLoad = 2, kRelease = 3 };

  static ICmd_Base* Create() { return new Cmd_voice(); }
  static int Parse(unsigned keywordToken);
  static KeywordList Keywords();

  int Execute() override;
  static constexpr std::uint32_t kType = 37;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
};

class Cmd_suspend final : public SimpleCmd {
 public:
  static ICmd_Base* Create() { return new Cmd_suspend(); }
  static int Parse(unsigned keywordToken);
  static KeywordList Keywords();

  int Execute() override;
  static constexpr std::uint32_t kType = 29;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
};

class Cmd_systemcall final : public KindCmd {
 public:
  static ICmd_Base* Create() { return new Cmd_systemcall(); }
  static int Parse(unsigned keywordToken);
  static KeywordList Keywords();

  int Execute() override;
  static constexpr std::uint32_t kType = 30;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
};

class Cmd_textwindow final : public KindCmd {
 public:
  enum Kind : std::int32_t { kOn = 0, kOff = 1, kToggle = 2 };

  static ICmd_Base* Create() { return new Cmd_textwindow(); }
  static int Parse(unsigned keywordToken);
  static KeywordList Keywords();

  int Execute() override;
  static constexpr std::uint32_t kType = 31;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
};

class Cmd_cleartext final : public SimpleCmd {
 public:
  static ICmd_Base* Create() { return new Cmd_cleartext(); }
  static int Parse(unsigned keywordToken);
  static KeywordList Keywords();

  int Execute() override;
  static constexpr std::uint32_t kType = 33;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
};

class Cmd_menu final : public KindCmd {
 public:
  enum Kind : std::int32_t { kOn = 0, kOff = 1, kToggle = 2 };

  static ICmd_Base* Create() { return new Cmd_menu(); }
  static int Parse(unsigned keywordToken);
  static KeywordList Keywords();

  int Execute() override;
  static constexpr std::uint32_t kType = 34;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
};

class Cmd_sleep final : public ExprCmd {
 public:
  static ICmd_Base* Create() { return new Cmd_sleep(); }
  static int Parse(unsigned keywordToken);
  static KeywordList Keywords();

  int Execute() override;
  static constexpr std::uint32_t kType = 35;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
};

class Cmd_charaspace final : public ExprCmd {
 public:
  static ICmd_Base* Create() { return new Cmd_charaspace(); }
  static int Parse(unsigned keywordToken);
  static KeywordList Keywords();

  int Execute() override;
  static constexpr std::uint32_t kType = 36;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
};

}  // namespace nsWendrick
