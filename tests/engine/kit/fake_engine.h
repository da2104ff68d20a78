#pragma once
// A fake engine for tests of single engine modules: map-backed variable tables, a
// command heap that only keeps the position stack, a text stream that records what
// is written, and recording (mock) managers. Tests reach the members directly.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "engine/api/tamsk.h"
#include "tests/engine/kit/mock_managers.h"

namespace vesk_test {

// A table of named integers over std::map; a missing name is fatal as in the engine.
class MapHeap final : public nsTamskLib::nsSimulatedHeap::ISingleHeap {
 public:
  std::int32_t Get(const char* name) const override;
  bool Exists(const char* name) const override;
  void Set(const char* name, std::int32_t value) override;
  void Dump(nsTamskLib::nsTextStream::ITextStream* out) const override;

  std::map<std::string, std::int32_t> values;
};

// The position stack of a command heap, starting as [-1]; no commands.
class FakeCommandHeap final : public nsTamskLib::nsSimulatedHeap::ICommandHeap {
 public:
  void Dump(nsTamskLib::nsTextStream::ITextStream* out) const override;
  std::int32_t GetIterator() const override;
  void MoveIterator(std::int32_t n) override;
  void SetIterator(std::int32_t n) override;
  void PopIterator() override;
  void PushIterator(std::int32_t n) override;
  void DumpIterators(nsTamskLib::nsTextStream::ITextStream* out) const override;

  std::vector<std::int32_t> iterators{-1};
};

// Keeps everything written, in order, in text.
class RecordingTextStream final : public nsTamskLib::nsTextStream::ITextStream {
 public:
  void Write(const char* format, ...) override __attribute__((format(printf, 2, 3)));
  void WriteExpression(const nsTamskLib::Expression& expr) override;

  std::string text;
};

class FakeEngine : public nsTamskLib::nsCore::INovelEngine {
 public:
  FakeEngine();
  ~FakeEngine() override;

  void Initialize() override { ++initializeCalls; }
  const nsTamskLib::nsSimulatedHeap::ISingleHeap* GetLabelHeap() const override { return &labels; }
  nsTamskLib::nsSimulatedHeap::ISingleHeap* GetLabelHeap() override { return &labels; }
  const nsTamskLib::nsSimulatedHeap::ISingleHeap* GetLocalHeap() const override { return &locals; }
  nsTamskLib::nsSimulatedHeap::ISingleHeap* GetLocalHeap() override { return &locals; }
  const nsTamskLib::nsSimulatedHeap::ISingleHeap* GetGlobalHeap() const override { return &globals; }
  nsTamskLib::nsSimulatedHeap::ISingleHeap* GetGlobalHeap() override { return &globals; }
  const nsTamskLib::nsSimulatedHeap::ISingleHeap* GetSymbolKindHeap() const override {
    return &symbolKinds;
  }
  nsTamskLib::nsSimulatedHeap::ISingleHeap* GetSymbolKindHeap() override { return &symbolKinds; }
  const nsTamskLib::nsSimulatedHeap::ICommandHeap* GetCommandHeap() const override {
    return commandHeap;
  }
  nsTamskLib::nsSimulatedHeap::ICommandHeap* GetCommandHeap() override { return commandHeap; }
  const nsTamskLib::nsTaskManager::ITaskManager* GetTaskManager() const override {
    return taskManager;
  }
  nsTamskLib::nsTaskManager::ITaskManager* GetTaskManager() override { return taskManager; }
  const nsTamskLib::nsTextManager::ITextManager* GetTextManager() const override {
    return textManager;
  }
  nsTamskLib::nsTextManager::ITextManager* GetTextManager() override { return textManager; }
  const nsTamskLib::nsTextStream::ITextStream* GetTextStream() const override { return &log; }
  nsTamskLib::nsTextStream::ITextStream* GetTextStream() override { return &log; }
  const nsTamskLib::nsInputManager::IInputManager* GetInputManager() const override {
    return inputManager;
  }
  nsTamskLib::nsInputManager::IInputManager* GetInputManager() override { return inputManager; }
  const nsTamskLib::nsSoundManager::ISoundManager* GetSoundManager() const override {
    return soundManager;
  }
  nsTamskLib::nsSoundManager::ISoundManager* GetSoundManager() override { return soundManager; }
  const nsTamskLib::nsDrawManager::IDrawManager* GetDrawManager() const override {
    return drawManager;
  }
  nsTamskLib::nsDrawManager::IDrawManager* GetDrawManager() override { return drawManager; }
  nsTamskLib::WindowHandle GetWindowHandle() const override { return windowHandle; }
  int GetState() const override { return states.back(); }
  void SetState(int state) override { states.back() = state; }
  void PushState(int state) override { states.push_back(state); }
  bool IsMenuEnabled() const override { return menuEnabled; }
  void SetMenuEnabled(bool enabled) override { menuEnabled = enabled; }
  bool IsSoundInUse(const char* /*name*/) override { return false; }
  bool IsBGMPlaying(const char* /*name*/) override { return false; }
  bool IsPlayingVoice(const char* /*name*/) override { return false; }
  bool IsImageInUse(const char* /*name*/) override { return false; }
  bool SaveLocalData(const char* /*file*/, nsTamskLib::nsIOStream::IIOStream* /*s*/) override {
    return false;
  }
  bool LoadLocalData(const char* /*file*/, nsTamskLib::nsIOStream::IIOStream* /*s*/) override {
    return false;
  }
  bool LinkObject(const char* file, nsTamskLib::nsIOStream::IIOStream* /*s*/) override {
    linkedObjects.emplace_back(file);
    return true;
  }
  void SetIOStream(nsTamskLib::nsIOStream::IIOStream* stream) override;
  nsTamskLib::nsIOStream::IIOStream* GetIOStream() override { return ioStream.get(); }
  void OnSuspend() override { ++suspendCalls; }
  void Quit() override { ++quitCalls; }

  MapHeap labels;
  MapHeap locals;
  MapHeap globals;
  MapHeap symbolKinds;
  RecordingTextStream log;
  FakeCommandHeap ownCommandHeap;
  testing::NiceMock<MockTaskManager> ownTaskManager;
  testing::NiceMock<MockTextManager> ownTextManager;
  testing::NiceMock<MockInputManager> ownInputManager;
  testing::NiceMock<MockSoundManager> ownSoundManager;
  testing::NiceMock<MockDrawManager> ownDrawManager;

  // What the getters hand out; a test may point them at real objects.
  nsTamskLib::nsSimulatedHeap::ICommandHeap* commandHeap = &ownCommandHeap;
  nsTamskLib::nsTaskManager::ITaskManager* taskManager = &ownTaskManager;
  nsTamskLib::nsTextManager::ITextManager* textManager = &ownTextManager;
  nsTamskLib::nsInputManager::IInputManager* inputManager = &ownInputManager;
  nsTamskLib::nsSoundManager::ISoundManager* soundManager = &ownSoundManager;
  nsTamskLib::nsDrawManager::IDrawManager* drawManager = &ownDrawManager;

  std::unique_ptr<nsTamskLib::nsIOStream::IIOStream> ioStream;
  nsTamskLib::WindowHandle windowHandle = nullptr;
  std::vector<int> states{0};
  bool menuEnabled = true;
  std::vector<std::string> linkedObjects;
  int initializeCalls = 0;
  int suspendCalls = 0;
  int quitCalls = 0;
};

}  // namespace vesk_test
