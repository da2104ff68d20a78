#pragma once
// ICmd_Base: a script command object, created by a plug-in's factory. The engine
// never deletes a command itself: it calls Destroy and the command deletes itself,
// so the destructor is not reachable through the interface (it is virtual and
// protected, the last slot, so that derived commands need not declare one).

#include <cstdint>

#include "engine/api/fwd.h"

namespace nsTamskLib {

class ICmd_Base {
 public:
  // Re-arms the per-run state (new game, loaded save slot).
  virtual void Reset() = 0;
  // Deletes the command.
  virtual void Destroy() = 0;
  // One frame of the command; the engine ignores the result.
  virtual int Execute() = 0;
  virtual void SetEngine(nsCore::INovelEngine* engine) = 0;
  // Takes a parse result (script compilers only).
  virtual void Setup(const CommandParam& param) = 0;
  // The command type under which the compiled script stored the command.
  virtual std::uint32_t GetID() = 0;
  // Writes the command back as script text.
  virtual void Dump(nsTextStream::ITextStream* out) = 0;
  // Writes the command's body (script compilers only).
  virtual void Save(nsIOStream::IIOStream* stream) = 0;
  // Reads the command's body; leaves the stream at the next command's type.
  virtual void Load(nsIOStream::IIOStream* stream) = 0;

 protected:
  virtual ~ICmd_Base() = default;
};

}  // namespace nsTamskLib
