#pragma once
// CommandHeap: the command objects of the loaded script (owned, released through
// their Destroy) and the stack of script positions whose top is the current
// command. The stack starts as [-1]: nothing chosen yet.

#include <cstdint>
#include <vector>

#include "engine/api/command.h"
#include "engine/api/heaps.h"
#include "engine/api/types.h"

namespace nsTamskLib::nsSimulatedHeap {

class CommandHeap final : public ICommandHeap {
 public:
  CommandHeap();
  CommandHeap(const CommandHeap&) = delete;
  CommandHeap& operator=(const CommandHeap&) = delete;
  ~CommandHeap() override;

  void Dump(nsTextStream::ITextStream* out) const override;
  std::int32_t GetIterator() const override;
  void MoveIterator(std::int32_t n) override;
  void SetIterator(std::int32_t n) override;
  void PopIterator() override;
  void PushIterator(std::int32_t n) override;
  void DumpIterators(nsTextStream::ITextStream* out) const override;

  void SetEngine(nsCore::INovelEngine* engine) { m_Engine = engine; }
  // The normal scenes read the current command from it; the linker appends to it.
  std::vector<ICmd_Base*>& GetCommandList() { return m_Commands; }
  const std::vector<ICmd_Base*>& GetCommandList() const { return m_Commands; }
  const std::vector<std::int32_t>& GetIterators() const { return m_Iterators; }

  // Runs the current command once and returns its result; never moves the position.
  int Execute();
  // Every command's Reset then SetEngine; the position stack back to [-1].
  void ResetCommands();
  // Destroys every command; the position stack stays.
  void Clear();
  // Reads a command section: count, then per command its type and its own body.
  // Stops at the first short read, so a damaged script cannot create commands from
  // garbage types.
  void Load(nsIOStream::IIOStream* stream);
  void SaveIterators(nsIOStream::IIOStream* stream) const;
  void LoadIterators(nsIOStream::IIOStream* stream);

 private:
  WindowHandle Window() const;

  nsCore::INovelEngine* m_Engine;
  std::vector<std::int32_t> m_Iterators;
  std::vector<ICmd_Base*> m_Commands;
};

}  // namespace nsTamskLib::nsSimulatedHeap
