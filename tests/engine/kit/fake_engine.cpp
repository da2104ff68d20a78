#include "tests/engine/kit/fake_engine.h"

#include <cstdarg>
#include <utility>

#include "engine/core/error_report.h"

namespace vesk_test {

std::int32_t MapHeap::Get(const char* name) const {
  const auto it = values.find(name);
  if (it == values.end()) RuntimeError(nullptr, "%sは存在しないシンボルです！", name);
  return it->second;
}

bool MapHeap::Exists(const char* name) const { return values.count(name) != 0; }

void MapHeap::Set(const char* name, std::int32_t value) { values[name] = value; }

void MapHeap::Dump(nsTamskLib::nsTextStream::ITextStream* out) const {
  if (out == nullptr) return;
  for (const auto& [name, value] : values) out->Write("%s：%d\n", name.c_str(), value);
}

void FakeCommandHeap::Dump(nsTamskLib::nsTextStream::ITextStream* /*out*/) const {}

std::int32_t FakeCommandHeap::GetIterator() const {
  if (iterators.empty()) RuntimeError(nullptr, "イテレータは存在しません！");
  return iterators.back();
}

void FakeCommandHeap::MoveIterator(std::int32_t n) {
  if (iterators.empty()) RuntimeError(nullptr, "イテレータは存在しません！");
  iterators.back() += n;
}

void FakeCommandHeap::SetIterator(std::int32_t n) {
  if (iterators.empty()) RuntimeError(nullptr, "イテレータは存在しません！");
  iterators.back() = n;
}

void FakeCommandHeap::PopIterator() {
  if (iterators.empty()) RuntimeError(nullptr, "イテレータは既に存在しません！");
  iterators.pop_back();
}

void FakeCommandHeap::PushIterator(std::int32_t n) { iterators.push_back(n); }

void FakeCommandHeap::DumpIterators(nsTamskLib::nsTextStream::ITextStream* out) const {
  if (out == nullptr) return;
  for (std::size_t i = 0; i < iterators.size(); ++i) {
    out->Write("%d：%d\n", static_cast<int>(i), iterators[i]);
  }
}

void RecordingTextStream::Write(const char* format, ...) {
  va_list args;
  va_start(args, format);
  text += nsTamskLib::nsCore::FormatMessageText(format, args);
  va_end(args);
}

void RecordingTextStream::WriteExpression(const nsTamskLib::Expression& expr) {
  nsTamskLib::nsTextStream::WriteExpressionTokens(*this, expr);
}

FakeEngine::FakeEngine() = default;
FakeEngine::~FakeEngine() = default;

void FakeEngine::SetIOStream(nsTamskLib::nsIOStream::IIOStream* stream) {
  if (stream != ioStream.get()) ioStream.reset(stream);
}

}  // namespace vesk_test
