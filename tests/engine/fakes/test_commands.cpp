#include "tests/engine/fakes/test_commands.h"

#include <cstdio>
#include <utility>

#include "engine/plugin/plugin_registry.h"

namespace vesk_test {
namespace {

using nsTamskLib::ICmd_Base;
using nsTamskLib::nsCore::INovelEngine;
using nsTamskLib::nsIOStream::IIOStream;

class TestCommand final : public ICmd_Base {
 public:
  // A command made by a factory is logged; one made for a writer is not.
  TestCommand(unsigned type, bool logged) : m_Type(type), m_Logged(logged) {
    if (!m_Logged) return;
    ++CommandLog().created;
    Log("create");
  }

  void SetBody(const TestCommandBody& body) {
    m_Body.number = body.number;
    m_Body.text = body.text;
    m_Body.expr = body.expr;
  }

  void Reset() override {
    m_Frames = 0;
    Log("reset");
  }
  void Destroy() override {
    if (m_Logged) {
      ++CommandLog().destroyed;
      Log("destroy");
    }
    delete this;
  }
  int Execute() override;
  void SetEngine(INovelEngine* engine) override {
    m_Engine = engine;
    Log("engine");
  }
  void Setup(const nsTamskLib::CommandParam& /*param*/) override {}
  std::uint32_t GetID() override { return m_Type; }
  void Dump(nsTamskLib::nsTextStream::ITextStream* out) override {
    if (out != nullptr) out->Write("test %u %d %s\n", m_Type, m_Body.number, m_Body.text.c_str());
  }
  void Save(IIOStream* stream) override {
    stream->SaveNum(m_Body.number);
    stream->SaveChar(m_Body.text.c_str());
    stream->SaveExpression(m_Body.expr);
  }
  void Load(IIOStream* stream) override {
    Log("load");
    stream->LoadNum(&m_Body.number);
    // Through the interface, as a plug-in's command reads its strings.
    std::vector<char> buffer(nsTamskLib::nsIOStream::kStringBufferSize, '\0');
    stream->LoadChar(buffer.data());
    m_Body.text = buffer.data();
    stream->LoadExpression(m_Body.expr);
  }

 private:
  ~TestCommand() override = default;

  void Log(const char* what) const {
    if (!m_Logged) return;
    CommandLog().lifecycle.push_back(std::string(what) + " " + std::to_string(m_Type));
  }
  void Executed(const std::string& what) const { CommandLog().executed.push_back(what); }
  // Stays the body's number of frames (forever when negative), then moves on.
  void StayOrMove(const char* name) {
    Executed(std::string(name) + " " + std::to_string(m_Body.number));
    ++m_Frames;
    if (m_Body.number >= 0 && m_Frames > m_Body.number) {
      m_Frames = 0;
      Next();
    }
  }
  void Next() { m_Engine->GetCommandHeap()->MoveIterator(1); }
  std::int32_t Label() const { return m_Engine->GetLabelHeap()->Get(m_Body.text.c_str()); }

  unsigned m_Type;
  bool m_Logged;
  TestCommandBody m_Body;
  INovelEngine* m_Engine = nullptr;
  std::int32_t m_Frames = 0;
};

int TestCommand::Execute() {
  switch (m_Type) {
    case kTestStep:
      Executed("step " + std::to_string(m_Body.number));
      Next();
      break;
    case kTestStay:
      StayOrMove("stay");
      break;
    case kTestHold:
      StayOrMove("hold");
      break;
    case kTestJump:
      m_Engine->GetCommandHeap()->SetIterator(Label());
      break;
    case kTestCall: {
      const std::int32_t target = Label();
      Next();
      m_Engine->GetCommandHeap()->PushIterator(target);
      break;
    }
    case kTestReturn:
      m_Engine->GetCommandHeap()->PopIterator();
      break;
    case kTestState:
      Executed("state " + std::to_string(m_Body.number));
      m_Engine->PushState(m_Body.number);
      Next();
      break;
    case kTestSet: {
      const int value = CalcExpression(m_Body.expr, m_Engine);
      if (m_Body.number == 1) {
        m_Engine->GetGlobalHeap()->Set(m_Body.text.c_str(), value);
      } else {
        m_Engine->GetLocalHeap()->Set(m_Body.text.c_str(), value);
      }
      Next();
      break;
    }
    case kTestLink: {
      const bool linked = m_Engine->LinkObject(m_Body.text.c_str(), m_Engine->GetIOStream());
      Executed("link " + m_Body.text + (linked ? " ok" : " refused"));
      Next();
      break;
    }
    default:
      break;
  }
  return 0;
}

template <unsigned Type>
ICmd_Base* Create() {
  return new TestCommand(Type, true);
}

}  // namespace

std::vector<std::string> TestCommandLog::Executed(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& entry : executed) {
    if (entry.compare(0, prefix.size(), prefix) == 0) found.push_back(entry);
  }
  return found;
}

TestCommandLog& CommandLog() {
  static TestCommandLog log;
  return log;
}

void RegisterTestCommands() {
  // Tests may empty the registries; register again whenever the factories are gone.
  if (nsTamskLib::nsPlugin::GetRegistries().factories.count(kTestStep) != 0) return;
  RegisterPFactory(kTestStep, &Create<kTestStep>);
  RegisterPFactory(kTestStay, &Create<kTestStay>);
  RegisterPFactory(kTestHold, &Create<kTestHold>);
  RegisterPFactory(kTestJump, &Create<kTestJump>);
  RegisterPFactory(kTestCall, &Create<kTestCall>);
  RegisterPFactory(kTestReturn, &Create<kTestReturn>);
  RegisterPFactory(kTestState, &Create<kTestState>);
  RegisterPFactory(kTestSet, &Create<kTestSet>);
  RegisterPFactory(kTestLink, &Create<kTestLink>);
  RegisterPEnableSystemCommand(kTestStay);
}

ICmd_Base* NewTestCommand(unsigned type, const TestCommandBody& body) {
  auto* command = new TestCommand(type, false);
  command->SetBody(body);
  return command;
}

}  // namespace vesk_test
