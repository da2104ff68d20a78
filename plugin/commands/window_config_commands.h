#pragma once
// The configuration commands: the text window's look (Cmd_settextwindow, 38), the
// click cursor (Cmd_settextcursor, 39), the choice window (Cmd_setselectwindow, 41)
// and its sounds (Cmd_setselect, 42), a new game (Cmd_initialize, 43), the minimum
// display time while skipping (Cmd_waittimeskip, 46) and the line-breaking sets
// (Cmd_kinsoku, 47). Each evaluates and checks its arguments, hands the values on
// and moves on in the same frame; Cmd_initialize restarts the script instead.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/api/plugin_api.h"
#include "engine/api/token_containers.h"
#include "plugin/commands/command_families.h"
#include "plugin/commands/keyword_list.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

// A keyword of a configuration class: its kind, whether an image name comes first,
// and how many expressions follow.
struct ConfigKeyword {
  const char* keyword;
  std::int32_t kind;
  bool named;
  int expressions;
};

// A sub-command with an optional name and a fixed number of expressions per kind.
class ConfigCmd : public CommandBase {
 public:
  int Execute() override;
  void Setup(const CommandParam& param) override;
  void Dump(ITextStream* out) override;
  void Save(IIOStream* stream) override;
  void Load(IIOStream* stream) override;

  std::int32_t GetKind() const { return m_Kind; }

 protected:
  virtual std::span<const ConfigKeyword> KeywordRows() const = 0;
  // Checks and hands on the evaluated arguments of the kind; name is expanded.
  virtual void Apply(std::int32_t kind, const std::string& name,
                     const std::vector<std::int32_t>& values) = 0;

  static int ParseConfig(unsigned keyword, std::span<const ConfigKeyword> keywords,
                         nsTamskLib::CmdFactory factory);

  // The source rectangle check over x, y, width, height in a row of values.
  void CheckSourceRect(const std::int32_t* xywh, const char* state = nullptr) const;
  // Fatal when a colour component is outside 0 to 255; border colours and the
  // choice states have their own wording.
  void CheckColor(const std::int32_t* rgb, bool border, const char* state = nullptr) const;

 private:
  const ConfigKeyword* Row() const;

  std::int32_t m_Kind = 0;
  std::string m_Name;
  std::vector<Expression> m_Args;
};

class Cmd_settextwindow final : public ConfigCmd {
 public:
  static constexpr std::uint32_t kType = 38;
  std::uint32_t GetID() override { return kType; }
  static ICmd_Base* Create();
  static int Parse(unsigned keyword);
  static KeywordList Keywords();

 protected:
  std::span<const ConfigKeyword> KeywordRows() const override;
  void Apply(std::int32_t kind, const std::string& name,
             const std::vector<std::int32_t>& values) override;
};

class Cmd_settextcursor final : public ConfigCmd {
 public:
  static constexpr std::uint32_t kType = 39;
  std::uint32_t GetID() override { return kType; }
  static ICmd_Base* Create();
  static int Parse(unsigned keyword);
  static KeywordList Keywords();

 protected:
  std::span<const ConfigKeyword> KeywordRows() const override;
  void Apply(std::int32_t kind, const std::string& name,
             const std::vector<std::int32_t>& values) override;
};

class Cmd_setselectwindow final : public ConfigCmd {
 public:
  static constexpr std::uint32_t kType = 41;
  std::uint32_t GetID() override { return kType; }
  static ICmd_Base* Create();
  static int Parse(unsigned keyword);
  static KeywordList Keywords();

 protected:
  std::span<const ConfigKeyword> KeywordRows() const override;
  void Apply(std::int32_t kind, const std::string& name,
             const std::vector<std::int32_t>& values) override;
};

class Cmd_setselect final : public NamedCmd {
 public:
  int Execute() override;
  static constexpr std::uint32_t kType = 42;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  static ICmd_Base* Create();
  static int Parse(unsigned keyword);
  static KeywordList Keywords();
};

class Cmd_initialize final : public SimpleCmd {
 public:
  int Execute() override;
  static constexpr std::uint32_t kType = 43;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  static ICmd_Base* Create();
  static int Parse(unsigned keyword);
  static KeywordList Keywords();
};

class Cmd_waittimeskip final : public ExprCmd {
 public:
  int Execute() override;
  static constexpr std::uint32_t kType = 46;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  static ICmd_Base* Create();
  static int Parse(unsigned keyword);
  static KeywordList Keywords();
};

class Cmd_kinsoku final : public NamedCmd {
 public:
  int Execute() override;
  static constexpr std::uint32_t kType = 47;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  static ICmd_Base* Create();
  static int Parse(unsigned keyword);
  static KeywordList Keywords();
};

}  // namespace nsWendrick
