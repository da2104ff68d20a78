#pragma once
// The interfaces of the engine's two script containers as commands see them: a
// table of named 32-bit integers (labels, variables, symbol kinds) and the command
// list's stack of script positions. Neither is ever deleted through its interface:
// the destructors are protected (and virtual, so implementations need no care).

#include <cstdint>

#include "engine/api/fwd.h"

namespace nsTamskLib::nsSimulatedHeap {

class ISingleHeap {
 public:
  // The value of name; a missing name is a fatal error.
  virtual std::int32_t Get(const char* name) const = 0;
  virtual bool Exists(const char* name) const = 0;
  // Assigns when present, inserts otherwise.
  virtual void Set(const char* name, std::int32_t value) = 0;
  // One line "name：value" per entry in name order; nothing for a null stream.
  virtual void Dump(nsTextStream::ITextStream* out) const = 0;

 protected:
  virtual ~ISingleHeap() = default;
};

class ICommandHeap {
 public:
  virtual void Dump(nsTextStream::ITextStream* out) const = 0;
  // The current script position (top of the position stack).
  virtual std::int32_t GetIterator() const = 0;
  // Current position += n (1 moves to the next command).
  virtual void MoveIterator(std::int32_t n) = 0;
  // Current position := n.
  virtual void SetIterator(std::int32_t n) = 0;
  // Removes the top position (return from a call).
  virtual void PopIterator() = 0;
  // Pushes a position (a call).
  virtual void PushIterator(std::int32_t n) = 0;
  virtual void DumpIterators(nsTextStream::ITextStream* out) const = 0;

 protected:
  virtual ~ICommandHeap() = default;
};

}  // namespace nsTamskLib::nsSimulatedHeap
