#include "plugin/core/stream_fields.h"

#include "engine/api/io_stream.h"
#include "engine/api/stream_words.h"
#include "engine/api/token_containers.h"
#include "plugin/core/host_calls.h"

namespace nsWendrick {

void RequireOpenStream(nsTamskLib::nsIOStream::IIOStream* stream) {
  if (stream == nullptr || !stream->IsOpen()) {
    HostRuntimeError(nullptr, "ファイルがオープンされていません！");
  }
}

void SaveStringField(nsTamskLib::nsIOStream::IIOStream* stream, const std::string& text) {
  RequireOpenStream(stream);
  if (text.size() > kMaxStringField) {
    HostRuntimeError(nullptr, "文字列が長すぎます！（%zuバイト：上限%zuバイト）", text.size(),
                     kMaxStringField);
  }
  stream->SaveChar(text.c_str());
}

std::string LoadStringField(nsTamskLib::nsIOStream::IIOStream* stream) {
  RequireOpenStream(stream);
  return nsTamskLib::nsIOStream::LoadCharString(*stream);
}

void SaveIntField(nsTamskLib::nsIOStream::IIOStream* stream, std::int32_t value) {
  stream->SaveNum(value);
}

std::int32_t LoadIntField(nsTamskLib::nsIOStream::IIOStream* stream) {
  std::int32_t value = 0;
  stream->LoadNum(&value);
  return value;
}

void SaveExpressionField(nsTamskLib::nsIOStream::IIOStream* stream,
                         const nsTamskLib::Expression& expr) {
  stream->SaveExpression(expr);
}

void LoadExpressionField(nsTamskLib::nsIOStream::IIOStream* stream, nsTamskLib::Expression& expr) {
  stream->LoadExpression(expr);
}

void SaveBlockInt(nsTamskLib::nsIOStream::IIOStream* stream, std::int32_t value) {
  RequireOpenStream(stream);
  nsTamskLib::nsIOStream::WriteI32(*stream, value);
}

std::int32_t LoadBlockInt(nsTamskLib::nsIOStream::IIOStream* stream) {
  RequireOpenStream(stream);
  return nsTamskLib::nsIOStream::ReadI32(*stream);
}

}  // namespace nsWendrick
