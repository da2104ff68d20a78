#include "engine/iostream/base_io_stream.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/api/backlog_record.h"
#include "engine/api/draw_records.h"
#include "engine/api/plugin_api.h"
#include "engine/api/stream_words.h"
#include "engine/api/token_containers.h"

namespace nsTamskLib::nsIOStream {
namespace {

// Longest string a read keeps; the buffer of LoadChar holds it and the terminator.
constexpr std::size_t kMaxStringBytes = kStringBufferSize - 1;

bool OpensForWriting(const char* mode) { return mode != nullptr && mode[0] == 'w'; }

}  // namespace

BaseIOStream::BaseIOStream()
    : m_File(nullptr),
      m_ReadFailed(false),
      m_WriteFailed(false),
      m_MemoryBuffer(nullptr),
      m_MemorySize(0),
      m_MemoryTarget(nullptr) {}

BaseIOStream::~BaseIOStream() {
  if (m_File != nullptr) Close();
}

void BaseIOStream::RefuseWhenOpen() const {
  if (m_File != nullptr) RuntimeError(nullptr, "ファイルは既にオープンされています！");
}

bool BaseIOStream::Open(const char* file, const char* mode) {
  RefuseWhenOpen();
  if (file == nullptr || mode == nullptr) return false;
  m_ReadFailed = false;
  m_WriteFailed = false;
  m_Target.clear();
  m_Temporary.clear();
  if (OpensForWriting(mode)) {
    const std::string temporary = std::string(file) + ".tmp";
    m_File = std::fopen(temporary.c_str(), mode);
    if (m_File == nullptr) return false;
    m_Target = file;
    m_Temporary = temporary;
    return true;
  }
  m_File = std::fopen(file, mode);
  return m_File != nullptr;
}

bool BaseIOStream::OpenMemoryForWriting(std::string& bytes) {
  RefuseWhenOpen();
  m_ReadFailed = false;
  m_WriteFailed = false;
  m_Target.clear();
  m_Temporary.clear();
  m_File = ::open_memstream(&m_MemoryBuffer, &m_MemorySize);
  if (m_File == nullptr) return false;
  m_MemoryTarget = &bytes;
  return true;
}

bool BaseIOStream::OpenMemoryForReading(const std::string& bytes) {
  RefuseWhenOpen();
  m_ReadFailed = false;
  m_WriteFailed = false;
  m_Target.clear();
  m_Temporary.clear();
  // An empty buffer is a file that ends at once.
  static char empty = 0;
  char* data = bytes.empty() ? &empty : const_cast<char*>(bytes.data());
  m_File = ::fmemopen(data, bytes.size(), "r");
  return m_File != nullptr;
}

// Closes the file; a written file is flushed to the disk and only then renamed over
// its target. False when anything failed (the temporary file is then removed).
bool BaseIOStream::CloseFile() {
  std::FILE* file = m_File;
  m_File = nullptr;
  if (m_MemoryTarget != nullptr) {
    // The buffer holds everything written once the memory file is closed.
    const bool ok = std::fclose(file) == 0 && !m_WriteFailed;
    if (ok) m_MemoryTarget->assign(m_MemoryBuffer, m_MemorySize);
    std::free(m_MemoryBuffer);
    m_MemoryBuffer = nullptr;
    m_MemorySize = 0;
    m_MemoryTarget = nullptr;
    return ok;
  }
  if (m_Temporary.empty()) return std::fclose(file) == 0;

  bool ok = !m_WriteFailed && std::fflush(file) == 0 && std::ferror(file) == 0;
  if (ok) ok = ::fsync(::fileno(file)) == 0;
  if (std::fclose(file) != 0) ok = false;
  if (ok) ok = std::rename(m_Temporary.c_str(), m_Target.c_str()) == 0;
  if (!ok) std::remove(m_Temporary.c_str());
  m_Target.clear();
  m_Temporary.clear();
  return ok;
}

bool BaseIOStream::Close() {
  if (m_File == nullptr) return true;
  const bool writing = !m_Temporary.empty() || m_MemoryTarget != nullptr;
  if (CloseFile()) return true;
  // A write that could not be completed has left the old file as it was: the
  // writer returns false and its caller decides what to tell the player.
  if (writing) return false;
  RuntimeError(nullptr, "ファイルのクローズに失敗しました！");
}

bool BaseIOStream::IsOpen() const { return m_File != nullptr; }

bool BaseIOStream::HasReadFailed() const { return m_ReadFailed; }

void BaseIOStream::CheckOpen() const {
  if (m_File == nullptr) RuntimeError(nullptr, "ファイルがオープンされていません！");
}

void BaseIOStream::WriteBytes(const void* data, std::size_t size) {
  if (size != 0) std::fwrite(data, 1, size, m_File);
}

// A short read yields zeros for what is missing and sets the read-failure flag.
void BaseIOStream::ReadBytes(void* data, std::size_t size) {
  const std::size_t got = size != 0 ? std::fread(data, 1, size, m_File) : 0;
  if (got < size) {
    std::memset(static_cast<unsigned char*>(data) + got, 0, size - got);
    m_ReadFailed = true;
  }
}

void BaseIOStream::WriteU8(std::uint8_t value) { WriteBytes(&value, 1); }

void BaseIOStream::WriteU32(std::uint32_t value) {
  const std::array<unsigned char, 4> bytes = PackU32(value);
  WriteBytes(bytes.data(), 4);
}

void BaseIOStream::WriteRect(const TRect& rect) {
  WriteI32(rect.left);
  WriteI32(rect.top);
  WriteI32(rect.right);
  WriteI32(rect.bottom);
}

std::uint8_t BaseIOStream::ReadU8() {
  std::uint8_t value = 0;
  ReadBytes(&value, 1);
  return value;
}

std::uint32_t BaseIOStream::ReadU32() {
  unsigned char bytes[4];
  ReadBytes(bytes, 4);
  return UnpackU32(bytes);
}

void BaseIOStream::ReadRect(TRect& rect) {
  rect.left = ReadI32();
  rect.top = ReadI32();
  rect.right = ReadI32();
  rect.bottom = ReadI32();
}

void BaseIOStream::SaveNum(std::int32_t value) {
  CheckOpen();
  WriteI32(value);
}

// A byte 0xFF would be stored as the terminator and could not be read back: the
// write goes on, but the file is not kept (Close reports the failure).
void BaseIOStream::SaveChar(const char* text) {
  CheckOpen();
  for (const char* p = text; *p != '\0'; ++p) {
    const auto byte = static_cast<unsigned char>(*p);
    if (byte == 0xFF) m_WriteFailed = true;
    WriteU8(static_cast<std::uint8_t>(~byte));
  }
  WriteU8(0);
}

void BaseIOStream::SavePrimitive(const void* data, unsigned size) {
  CheckOpen();
  WriteBytes(data, size);
}

void BaseIOStream::LoadNum(std::int32_t* value) {
  CheckOpen();
  *value = ReadI32();
}

void BaseIOStream::LoadChar(char* buffer) {
  std::string text;
  ReadString(text);
  std::memcpy(buffer, text.c_str(), text.size() + 1);
}

void BaseIOStream::LoadPrimitive(void* data, unsigned size) {
  CheckOpen();
  ReadBytes(data, size);
}

void BaseIOStream::WriteString(const std::string& text) { SaveChar(text.c_str()); }

// Reads complemented bytes up to the 0 byte. The end of the file ends the string;
// bytes past the limit are skipped up to the terminator. Both set the flag, and so
// does a stored 0xFF, which no writer makes (it would read as a NUL inside the
// string); that byte is skipped.
void BaseIOStream::ReadString(std::string& text) {
  CheckOpen();
  text.clear();
  for (;;) {
    // The stream is used by one thread: the unlocked read keeps large scripts fast.
    const int c = getc_unlocked(m_File);
    if (c == EOF) {
      m_ReadFailed = true;
      return;
    }
    if (c == 0) return;
    if (c == 0xFF) {
      m_ReadFailed = true;
    } else if (text.size() < kMaxStringBytes) {
      text.push_back(static_cast<char>(~static_cast<unsigned char>(c)));
    } else {
      m_ReadFailed = true;
    }
  }
}

void BaseIOStream::SaveStringM(const mystr& text) { SaveChar(text.c_str()); }

void BaseIOStream::LoadStringM(mystr& text) {
  std::string read;
  ReadString(read);
  text = read.c_str();
}

void BaseIOStream::SaveStringVM(const vector_mystr& texts) {
  CheckOpen();
  WriteU32(texts.size());
  for (std::uint32_t i = 0; i < texts.size(); ++i) SaveStringM(texts.at(i));
}

void BaseIOStream::LoadStringVM(vector_mystr& texts) {
  CheckOpen();
  texts.clear();
  const std::uint32_t count = ReadU32();
  for (std::uint32_t i = 0; i < count && !m_ReadFailed; ++i) {
    texts.push_back(mystr());
    LoadStringM(texts.back());
  }
}

void BaseIOStream::SaveExpression(const Expression& expr) {
  CheckOpen();
  WriteU32(expr.size());
  for (std::uint32_t i = 0; i < expr.size(); ++i) {
    const ExpressionToken& token = expr.at(i);
    WriteI32(token.Type);
    WriteI32(token.SubType);
    WriteI32(token.Value);
    SaveStringM(token.Name);
  }
}

void BaseIOStream::LoadExpression(Expression& expr) {
  CheckOpen();
  expr.clear();
  const std::uint32_t count = ReadU32();
  for (std::uint32_t i = 0; i < count && !m_ReadFailed; ++i) {
    expr.push_back(ExpressionToken());
    ExpressionToken& token = expr.back();
    token.Type = ReadI32();
    token.SubType = ReadI32();
    token.Value = ReadI32();
    LoadStringM(token.Name);
  }
}

template <typename Token>
void BaseIOStream::WriteTextToken(const Token& token) {
  SaveStringM(token.Text);
  WriteI32(token.Size);
  WriteU32(token.Colour);
  SaveStringM(token.FontFace);
  WriteU8(token.Alpha);
  WriteU8(token.Flag1);
  WriteU8(token.Flag2);
  WriteI32(token.Width);
  WriteI32(token.Height);
}

template <typename Token>
void BaseIOStream::ReadTextToken(Token& token) {
  LoadStringM(token.Text);
  token.Size = ReadI32();
  token.Colour = ReadU32();
  LoadStringM(token.FontFace);
  token.Alpha = ReadU8();
  token.Flag1 = ReadU8();
  token.Flag2 = ReadU8();
  token.Width = ReadI32();
  token.Height = ReadI32();
}

void BaseIOStream::SaveTextTokenSection(const TextTokenSection& section) {
  CheckOpen();
  WriteU32(section.size());
  for (std::uint32_t i = 0; i < section.size(); ++i) {
    const TextTokenLine& line = section.at(i);
    WriteU32(line.size());
    for (std::uint32_t j = 0; j < line.size(); ++j) {
      const TextToken& token = line.at(j);
      WriteTextToken(token);
      WriteU32(token.Ruby.size());
      for (std::uint32_t k = 0; k < token.Ruby.size(); ++k) WriteTextToken(token.Ruby.at(k));
    }
  }
}

void BaseIOStream::LoadTextTokenSection(TextTokenSection& section) {
  CheckOpen();
  section.clear();
  const std::uint32_t lines = ReadU32();
  for (std::uint32_t i = 0; i < lines && !m_ReadFailed; ++i) {
    section.push_back(TextTokenLine());
    TextTokenLine& line = section.back();
    const std::uint32_t tokens = ReadU32();
    for (std::uint32_t j = 0; j < tokens && !m_ReadFailed; ++j) {
      line.push_back(TextToken());
      TextToken& token = line.back();
      ReadTextToken(token);
      const std::uint32_t rubies = ReadU32();
      for (std::uint32_t k = 0; k < rubies && !m_ReadFailed; ++k) {
        token.Ruby.push_back(RubyToken());
        ReadTextToken(token.Ruby.back());
      }
    }
  }
}

void BaseIOStream::SaveDrawTask(const nsTaskManager::DrawTask& task) {
  CheckOpen();
  WriteU8(task.A);
  WriteI32(task.X);
  WriteI32(task.Y);
  WriteI32(task.Z);
  WriteU8(task.Visible ? 1 : 0);
  WriteI32(task.BltType);
  WriteRect(task.Rect);
  WriteU32(task.Color);
  SaveTextTokenSection(task.Text);
  WriteRect(task.SrcRect);
  SaveStringM(task.Name);
  WriteU32(task.SubOrder);
  WriteU32(task.Type);
  for (int i = 0; i < nsTaskManager::kDrawTaskParams; ++i) {
    WriteI32(task.Param[i]);
    SaveStringM(task.Str[i]);
  }
}

void BaseIOStream::LoadDrawTask(nsTaskManager::DrawTask& task) {
  CheckOpen();
  task.A = ReadU8();
  task.X = ReadI32();
  task.Y = ReadI32();
  task.Z = ReadI32();
  task.Visible = ReadU8() != 0;
  task.BltType = ReadI32();
  ReadRect(task.Rect);
  task.Color = ReadU32();
  LoadTextTokenSection(task.Text);
  ReadRect(task.SrcRect);
  LoadStringM(task.Name);
  task.SubOrder = ReadU32();
  task.Type = ReadU32();
  for (int i = 0; i < nsTaskManager::kDrawTaskParams; ++i) {
    task.Param[i] = ReadI32();
    LoadStringM(task.Str[i]);
  }
}

void BaseIOStream::SaveSprite(const nsTaskManager::Sprite& sprite) {
  CheckOpen();
  SaveDrawTask(sprite.Task[0]);
  SaveDrawTask(sprite.Task[1]);
}

void BaseIOStream::LoadSprite(nsTaskManager::Sprite& sprite) {
  CheckOpen();
  LoadDrawTask(sprite.Task[0]);
  LoadDrawTask(sprite.Task[1]);
}

void BaseIOStream::SaveButton(const nsTaskManager::Button& button) {
  CheckOpen();
  WriteU8(button.Held ? 1 : 0);
  WriteU8(button.CursorOver ? 1 : 0);
  WriteU8(button.Enabled ? 1 : 0);
  WriteRect(button.ClickRect);
  for (const auto& page : button.SrcRect) {
    for (const TRect& rect : page) WriteRect(rect);
  }
  SaveStringM(button.Label);
  SaveStringM(button.PushSound);
  SaveStringM(button.CursorSound);
  SaveDrawTask(button.Task[0]);
  SaveDrawTask(button.Task[1]);
}

void BaseIOStream::LoadButton(nsTaskManager::Button& button) {
  CheckOpen();
  button.Held = ReadU8() != 0;
  button.CursorOver = ReadU8() != 0;
  button.Enabled = ReadU8() != 0;
  ReadRect(button.ClickRect);
  for (auto& page : button.SrcRect) {
    for (TRect& rect : page) ReadRect(rect);
  }
  LoadStringM(button.Label);
  LoadStringM(button.PushSound);
  LoadStringM(button.CursorSound);
  LoadDrawTask(button.Task[0]);
  LoadDrawTask(button.Task[1]);
}

namespace {

template <typename Param>
void WriteParam(BaseIOStream& stream, const Param& param) {
  std::int32_t header[3] = {static_cast<std::int32_t>(param.Type),
                            static_cast<std::int32_t>(param.Time),
                            static_cast<std::int32_t>(param.Color)};
  for (std::int32_t value : header) stream.SaveNum(value);
  for (int i = 0; i < nsTaskManager::kEffectParams; ++i) {
    stream.SaveNum(param.Param[i]);
    stream.SaveStringM(param.Str[i]);
  }
}

template <typename Param>
void ReadParam(BaseIOStream& stream, Param& param) {
  std::int32_t value = 0;
  stream.LoadNum(&value);
  param.Type = static_cast<std::uint32_t>(value);
  stream.LoadNum(&value);
  param.Time = static_cast<std::uint32_t>(value);
  stream.LoadNum(&value);
  param.Color = static_cast<std::uint32_t>(value);
  for (int i = 0; i < nsTaskManager::kEffectParams; ++i) {
    stream.LoadNum(&param.Param[i]);
    stream.LoadStringM(param.Str[i]);
  }
}

}  // namespace

void BaseIOStream::SaveEffectParam(const nsTaskManager::EffectParam& param) {
  CheckOpen();
  WriteParam(*this, param);
}

void BaseIOStream::SaveUpdateParam(const nsTaskManager::UpdateParam& param) {
  CheckOpen();
  WriteParam(*this, param);
}

void BaseIOStream::LoadEffectParam(nsTaskManager::EffectParam& param) {
  CheckOpen();
  ReadParam(*this, param);
}

void BaseIOStream::LoadUpdateParam(nsTaskManager::UpdateParam& param) {
  CheckOpen();
  ReadParam(*this, param);
}

void BaseIOStream::SaveRecord(const nsTextManager::BackLogRecord& record) {
  CheckOpen();
  SaveTextTokenSection(record.Message);
  SaveTextTokenSection(record.Talker);
  SaveStringVM(record.Extra);
}

void BaseIOStream::LoadRecord(nsTextManager::BackLogRecord& record) {
  CheckOpen();
  LoadTextTokenSection(record.Message);
  LoadTextTokenSection(record.Talker);
  LoadStringVM(record.Extra);
}

void WriteString(IIOStream& stream, const std::string& text) { stream.SaveChar(text.c_str()); }

void ReadString(IIOStream& stream, std::string& text) {
  if (auto* base = dynamic_cast<BaseIOStream*>(&stream)) {
    base->ReadString(text);
    return;
  }
  text = LoadCharString(stream);
}

void SaveMap(IIOStream& stream, const std::map<std::string, std::int32_t>& map) {
  const auto count = static_cast<std::uint32_t>(map.size());
  const unsigned char bytes[4] = {
      static_cast<unsigned char>(count), static_cast<unsigned char>(count >> 8),
      static_cast<unsigned char>(count >> 16), static_cast<unsigned char>(count >> 24)};
  stream.SavePrimitive(bytes, 4);
  for (const auto& [name, value] : map) {
    WriteString(stream, name);
    stream.SaveNum(value);
  }
}

void LoadMap(IIOStream& stream, std::map<std::string, std::int32_t>& map) {
  map.clear();
  unsigned char bytes[4] = {0, 0, 0, 0};
  stream.LoadPrimitive(bytes, 4);
  const std::uint32_t count = static_cast<std::uint32_t>(bytes[0]) |
                              (static_cast<std::uint32_t>(bytes[1]) << 8) |
                              (static_cast<std::uint32_t>(bytes[2]) << 16) |
                              (static_cast<std::uint32_t>(bytes[3]) << 24);
  std::string name;
  for (std::uint32_t i = 0; i < count && !stream.HasReadFailed(); ++i) {
    std::int32_t value = 0;
    ReadString(stream, name);
    stream.LoadNum(&value);
    if (!stream.HasReadFailed()) map.emplace(name, value);
  }
}

}  // namespace nsTamskLib::nsIOStream
