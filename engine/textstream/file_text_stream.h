#pragma once
// The error log: an append-only text stream over a file ("error.log" in the working
// folder). No file stays open between writes, so every write is complete on disk
// when it returns; a write that cannot open the file is dropped silently.

#include <string>

#include "engine/api/text_stream.h"

namespace nsTamskLib::nsTextStream {

// The base of the engine's text streams; both operations stay abstract.
class BaseTextStream : public ITextStream {
 public:
  ~BaseTextStream() override = default;
};

class FileTextStream : public BaseTextStream {
 public:
  explicit FileTextStream(std::string fileName = "error.log");
  ~FileTextStream() override = default;

  void Write(const char* format, ...) override __attribute__((format(printf, 2, 3)));
  void WriteExpression(const Expression& expr) override;

  const std::string& GetFileName() const { return m_FileName; }

 private:
  void Append(const std::string& text);

  std::string m_FileName;
};

}  // namespace nsTamskLib::nsTextStream
