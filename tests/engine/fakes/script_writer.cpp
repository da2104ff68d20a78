#include "tests/engine/fakes/script_writer.h"

#include <map>

#include "engine/iostream/base_io_stream.h"
#include "engine/script/compiled_script.h"

namespace vesk_test {

using nsTamskLib::Expression;
using nsTamskLib::ExpressionToken;

ExpressionToken Num(std::int32_t value) {
  ExpressionToken token;
  token.Type = nsTamskLib::kTokenNumber;
  token.Value = value;
  return token;
}

ExpressionToken Sym(const char* name) {
  ExpressionToken token;
  token.Type = nsTamskLib::kTokenSymbol;
  token.Name = name;
  return token;
}

ExpressionToken Op(std::int32_t code) {
  ExpressionToken token;
  token.Type = nsTamskLib::kTokenOperator;
  token.SubType = code;
  return token;
}

Expression Expr(std::initializer_list<ExpressionToken> tokens) {
  Expression expr;
  for (const ExpressionToken& token : tokens) expr.push_back(token);
  return expr;
}

ScriptWriter& ScriptWriter::Label(const std::string& name) {
  return LabelValue(name, static_cast<std::int32_t>(m_Commands.size()));
}

ScriptWriter& ScriptWriter::LabelValue(const std::string& name, std::int32_t value) {
  m_Labels.emplace_back(name, value);
  return *this;
}

ScriptWriter& ScriptWriter::Symbol(const std::string& name, std::int32_t kind) {
  m_Symbols.emplace_back(name, kind);
  return *this;
}

ScriptWriter& ScriptWriter::Command(unsigned type, const TestCommandBody& body) {
  m_Commands.emplace_back(type, TestCommandBody());
  TestCommandBody& stored = m_Commands.back().second;
  stored.number = body.number;
  stored.text = body.text;
  stored.expr = body.expr;
  return *this;
}

namespace {

TestCommandBody Body(std::int32_t number, const std::string& text = std::string()) {
  TestCommandBody body;
  body.number = number;
  body.text = text;
  return body;
}

}  // namespace

ScriptWriter& ScriptWriter::Step(std::int32_t id) { return Command(kTestStep, Body(id)); }
ScriptWriter& ScriptWriter::Stay(std::int32_t frames) { return Command(kTestStay, Body(frames)); }
ScriptWriter& ScriptWriter::Hold(std::int32_t frames) { return Command(kTestHold, Body(frames)); }
ScriptWriter& ScriptWriter::Jump(const std::string& label) {
  return Command(kTestJump, Body(0, label));
}
ScriptWriter& ScriptWriter::Call(const std::string& label) {
  return Command(kTestCall, Body(0, label));
}
ScriptWriter& ScriptWriter::Return() { return Command(kTestReturn, Body(0)); }
ScriptWriter& ScriptWriter::State(std::int32_t state) { return Command(kTestState, Body(state)); }
ScriptWriter& ScriptWriter::Set(const std::string& variable, const Expression& value,
                                bool global) {
  TestCommandBody body = Body(global ? 1 : 0, variable);
  body.expr = value;
  return Command(kTestSet, body);
}
ScriptWriter& ScriptWriter::Link(const std::string& file) {
  return Command(kTestLink, Body(0, file));
}

bool ScriptWriter::WriteScript(const std::string& file) const {
  return Write(file, nsTamskLib::nsScript::kScriptMagic);
}

bool ScriptWriter::WriteObject(const std::string& file) const {
  return Write(file, nsTamskLib::nsScript::kObjectMagic);
}

bool ScriptWriter::Write(const std::string& file, const char (&magic)[4]) const {
  nsTamskLib::nsIOStream::BaseIOStream stream;
  if (!stream.Open(file.c_str(), "wb")) return false;
  stream.SavePrimitive(magic, 4);
  // The map form keeps the first of a repeated name, as the reader does.
  std::map<std::string, std::int32_t> labels;
  for (const auto& [name, value] : m_Labels) labels.emplace(name, value);
  nsTamskLib::nsIOStream::SaveMap(stream, labels);
  const auto count = static_cast<std::uint32_t>(m_Commands.size());
  const unsigned char countBytes[4] = {
      static_cast<unsigned char>(count), static_cast<unsigned char>(count >> 8),
      static_cast<unsigned char>(count >> 16), static_cast<unsigned char>(count >> 24)};
  stream.SavePrimitive(countBytes, 4);
  for (const auto& [type, body] : m_Commands) {
    stream.SaveNum(static_cast<std::int32_t>(type));
    nsTamskLib::ICmd_Base* command = NewTestCommand(type, body);
    command->Save(&stream);
    command->Destroy();
  }
  std::map<std::string, std::int32_t> symbols;
  for (const auto& [name, kind] : m_Symbols) symbols.emplace(name, kind);
  nsTamskLib::nsIOStream::SaveMap(stream, symbols);
  return stream.Close();
}

}  // namespace vesk_test
