#pragma once
// ITextStream: the engine's append-only text output for diagnostics (the error log).
// Heaps dump to it and commands may write to it.

#include "engine/api/fwd.h"

namespace nsTamskLib::nsTextStream {

class ITextStream {
 public:
  // One formatted write (printf placeholders, at most 1,024 characters).
  virtual void Write(const char* format, ...) __attribute__((format(printf, 2, 3))) = 0;
  // Each token in order: a number as "(%d)" with its value, any other as "(%s)" with
  // its name; no separators, no line end.
  virtual void WriteExpression(const Expression& expr) = 0;
  virtual ~ITextStream() = default;
};

// The body of every WriteExpression: each token through out.Write, a number as
// "(%d)" with its value, any other as "(%s)" with its name.
void WriteExpressionTokens(ITextStream& out, const Expression& expr);

}  // namespace nsTamskLib::nsTextStream
