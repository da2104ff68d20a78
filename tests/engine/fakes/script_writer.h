#pragma once
// ScriptWriter: builds a compiled script (".scr") or object (".obj") of test
// commands and writes it through the engine's save stream, each command's body by
// the command's own Save, so that a test runs a real compiled file.
//
//   ScriptWriter w;
//   w.Label("@start").Step(1).Set("a", Expr({Num(2), Num(3), Op(kOpAdd)})).Stay(-1);
//   w.WriteScript(dir.file("scenario.dat"));

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/api/token_containers.h"
#include "tests/engine/fakes/test_commands.h"

namespace vesk_test {

// Expression tokens for Set: a number, a variable, an operator (its code).
nsTamskLib::ExpressionToken Num(std::int32_t value);
nsTamskLib::ExpressionToken Sym(const char* name);
nsTamskLib::ExpressionToken Op(std::int32_t code);
// Postfix order: Expr({Sym("a"), Num(1), Op(kOpAdd)}) is a + 1.
nsTamskLib::Expression Expr(std::initializer_list<nsTamskLib::ExpressionToken> tokens);

inline constexpr std::int32_t kOpAdd = 1;
inline constexpr std::int32_t kOpSub = 3;
inline constexpr std::int32_t kOpMul = 5;

class ScriptWriter {
 public:
  // A label at the next command's index.
  ScriptWriter& Label(const std::string& name);
  // A label with an explicit value (an object's use of a script label is negative).
  ScriptWriter& LabelValue(const std::string& name, std::int32_t value);
  ScriptWriter& Symbol(const std::string& name, std::int32_t kind);

  ScriptWriter& Step(std::int32_t id);
  ScriptWriter& Stay(std::int32_t frames);
  ScriptWriter& Hold(std::int32_t frames);
  ScriptWriter& Jump(const std::string& label);
  ScriptWriter& Call(const std::string& label);
  ScriptWriter& Return();
  ScriptWriter& State(std::int32_t state);
  ScriptWriter& Set(const std::string& variable, const nsTamskLib::Expression& value,
                    bool global = false);
  ScriptWriter& Link(const std::string& file);
  // Any command type with a body (also one without a registered factory).
  ScriptWriter& Command(unsigned type, const TestCommandBody& body);

  std::size_t CommandCount() const { return m_Commands.size(); }

  // Writes the file with the magic ".scr" or ".obj"; false when it cannot be written.
  bool WriteScript(const std::string& file) const;
  bool WriteObject(const std::string& file) const;
  // The file's bytes with any magic.
  bool Write(const std::string& file, const char (&magic)[4]) const;

 private:
  std::vector<std::pair<std::string, std::int32_t>> m_Labels;
  std::vector<std::pair<unsigned, TestCommandBody>> m_Commands;
  std::vector<std::pair<std::string, std::int32_t>> m_Symbols;
};

}  // namespace vesk_test
