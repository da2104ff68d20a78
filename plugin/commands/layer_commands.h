#pragma once
// The image layer commands: pictures on the background and the three character
// layers (written to the page that is not shown, so nothing changes on screen until
// a transition), emptied layers, the target background colour, the stacking order
// of the character layers, and loading and releasing images. Each finishes in the
// frame in which it runs.
//
//   Cmd_setcg      (19)  bg, lch, cch, rch
//   Cmd_clearcg    (21)  clearbg, clearlch, clearcch, clearrch
//   Cmd_bgcolor    (22)  bgcolor
//   Cmd_chpriority (25)  lcr, lrc, clr, crl, rcl, rlc
//   Cmd_image      (32)  loadimage, unloadimage, unloadallimage

#include <cstdint>
#include <string>

#include "engine/api/token_containers.h"
#include "plugin/commands/command_families.h"
#include "plugin/commands/keyword_list.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

// The layers, as the kinds of Cmd_setcg and Cmd_clearcg.
enum LayerKind : std::int32_t {
  kLayerBackground = 0,
  kLayerLeft = 1,
  kLayerCentre = 2,
  kLayerRight = 3,
};

class Cmd_setcg final : public CommandBase {
 public:
  // The expressions, in member order.
  enum Member : std::uint32_t { kX = 0, kY, kA, kBltType, kRectX, kRectY, kRectWidth, kRectHeight,
                                kMemberCount };

  static ICmd_Base* Create() { return new Cmd_setcg(); }
  static int Parse(unsigned keywordToken);
  static KeywordList Keywords();

  int Execute() override;
  void Setup(const CommandParam& param) override;
  static constexpr std::uint32_t kType = 19;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  void Save(IIOStream* stream) override;
  void Load(IIOStream* stream) override;

 private:
  std::int32_t m_Kind = 0;
  std::string m_Name;
  Expression m_Expr[kMemberCount];
};

class Cmd_clearcg final : public KindCmd {
 public:
  static ICmd_Base* Create() { return new Cmd_clearcg(); }
  static int Parse(unsigned keywordToken);
  static KeywordList Keywords();

  int Execute() override;
  static constexpr std::uint32_t kType = 21;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
};

class Cmd_bgcolor final : public CommandBase {
 public:
  static ICmd_Base* Create() { return new Cmd_bgcolor(); }
  static int Parse(unsigned keywordToken);
  static KeywordList Keywords();

  int Execute() override;
  void Setup(const CommandParam& param) override;
  static constexpr std::uint32_t kType = 22;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  void Save(IIOStream* stream) override;
  void Load(IIOStream* stream) override;

 private:
  Expression m_Color[3];  // R, G, B
};

class Cmd_chpriority final : public KindCmd {
 public:
  static ICmd_Base* Create() { return new Cmd_chpriority(); }
  static int Parse(unsigned keywordToken);
  static KeywordList Keywords();

  int Execute() override;
  static constexpr std::uint32_t kType = 25;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
};

class Cmd_image final : public NamedCmd {
 public:
  enum Kind : std::int32_t { kLoad = 0, kRelease = 1 };

  static ICmd_Base* Create() { return new Cmd_image(); }
  static int Parse(unsigned keywordToken);
  static KeywordList Keywords();

  int Execute() override;
  static constexpr std::uint32_t kType = 32;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
};

}  // namespace nsWendrick
