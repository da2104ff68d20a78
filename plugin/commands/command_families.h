#pragma once
// The shared command families: classes with the same parameters share one Setup,
// Save and Load; each class of a family keeps its own Execute, GetID and Dump.
//
//   SimpleCmd  no fields
//   KindCmd    kind (Int[0])
//   NamedCmd   kind (Int[0]), name (Str[0])
//   LabelCmd   label (Str[0])
//   ExprCmd    value (Expr[0])
//
// Integers and expressions go through the stream's number and expression forms,
// strings through the checked string fields.

#include <cstdint>
#include <string>

#include "engine/api/token_containers.h"
#include "plugin/commands/command_base.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

class SimpleCmd : public CommandBase {
 public:
  void Setup(const CommandParam& param) override;
  void Save(IIOStream* stream) override;
  void Load(IIOStream* stream) override;
};

class KindCmd : public CommandBase {
 public:
  void Setup(const CommandParam& param) override;
  void Save(IIOStream* stream) override;
  void Load(IIOStream* stream) override;

  std::int32_t GetKind() const { return m_Kind; }

 protected:
  std::int32_t m_Kind = 0;
};

class NamedCmd : public CommandBase {
 public:
  void Setup(const CommandParam& param) override;
  void Save(IIOStream* stream) override;
  void Load(IIOStream* stream) override;

  std::int32_t GetKind() const { return m_Kind; }
  const std::string& GetName() const { return m_Name; }

 protected:
  std::int32_t m_Kind = 0;
  std::string m_Name;
};

class LabelCmd : public CommandBase {
 public:
  void Setup(const CommandParam& param) override;
  void Save(IIOStream* stream) override;
  void Load(IIOStream* stream) override;

  const std::string& GetLabel() const { return m_Label; }

 protected:
  // Writes "<keyword> <label>（<position>）;\n", or "<keyword> <label>（未定義）;\n"
  // when the engine knows no label of that name.
  void DumpLabelStatement(ITextStream* out, const char* keyword) const;

  std::string m_Label;
};

class ExprCmd : public CommandBase {
 public:
  void Setup(const CommandParam& param) override;
  void Save(IIOStream* stream) override;
  void Load(IIOStream* stream) override;

  const Expression& GetValue() const { return m_Value; }

 protected:
  Expression m_Value;
};

}  // namespace nsWendrick
