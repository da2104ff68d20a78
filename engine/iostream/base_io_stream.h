#pragma once
// BaseIOStream: the engine's binary stream over one file (the compiled script, every
// save file, the plug-in save blocks), on the C runtime's buffered files.
//
// Damaged input never runs away: a read that finds the end of the file yields zeros
// and sets the stream's read-failure flag (cleared by Open); a string stops at
// 65,535 bytes (the rest up to its terminator is skipped, so the stream stays in
// step) and sets the flag too; every counted loop stops once the flag is set.
//
// Writing never destroys the previous file: a stream opened for writing writes
// "<name>.tmp" beside the target, and Close flushes, syncs and closes it and renames
// it over the target. A string holding the byte 0xFF (which the string form cannot
// hold) counts as a failed write. When any of that fails the temporary file is removed, the old
// file stays as it was, and Close returns false (a file that fails to close after
// reading is still fatal).
//
// The stream can also stand over bytes in memory: OpenMemoryForWriting collects what
// is written into a string (complete when Close returns true), OpenMemoryForReading
// reads a string's bytes as a file. Nothing touches the disk either way.

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

#include "engine/api/io_stream.h"
#include "engine/api/types.h"

namespace nsTamskLib::nsIOStream {

class BaseIOStream : public IIOStream {
 public:
  BaseIOStream();
  BaseIOStream(const BaseIOStream&) = delete;
  BaseIOStream& operator=(const BaseIOStream&) = delete;
  ~BaseIOStream() override;

  bool Open(const char* file, const char* mode) override;
  // Open over memory; opening an open stream is fatal, as for a file. The string
  // given for reading must stay unchanged until Close.
  bool OpenMemoryForWriting(std::string& bytes);
  bool OpenMemoryForReading(const std::string& bytes);
  bool Close() override;
  bool IsOpen() const override;

  void SaveNum(std::int32_t value) override;
  void SaveChar(const char* text) override;
  void SavePrimitive(const void* data, unsigned size) override;
  void LoadNum(std::int32_t* value) override;
  void LoadChar(char* buffer) override;
  void LoadPrimitive(void* data, unsigned size) override;

  void SaveStringM(const mystr& text) override;
  void SaveStringVM(const vector_mystr& texts) override;
  void SaveExpression(const Expression& expr) override;
  void SaveTextTokenSection(const TextTokenSection& section) override;
  void LoadStringM(mystr& text) override;
  void LoadStringVM(vector_mystr& texts) override;
  void LoadExpression(Expression& expr) override;
  void LoadTextTokenSection(TextTokenSection& section) override;

  void SaveDrawTask(const nsTaskManager::DrawTask& task) override;
  void SaveSprite(const nsTaskManager::Sprite& sprite) override;
  void SaveButton(const nsTaskManager::Button& button) override;
  void SaveEffectParam(const nsTaskManager::EffectParam& param) override;
  void SaveUpdateParam(const nsTaskManager::UpdateParam& param) override;
  void LoadDrawTask(nsTaskManager::DrawTask& task) override;
  void LoadSprite(nsTaskManager::Sprite& sprite) override;
  void LoadButton(nsTaskManager::Button& button) override;
  void LoadEffectParam(nsTaskManager::EffectParam& param) override;
  void LoadUpdateParam(nsTaskManager::UpdateParam& param) override;

  void SaveRecord(const nsTextManager::BackLogRecord& record) override;
  void LoadRecord(nsTextManager::BackLogRecord& record) override;

  bool HasReadFailed() const override;

  // The engine's own writers: a std::string in the string form, and back.
  void WriteString(const std::string& text);
  void ReadString(std::string& text);

 private:
  void CheckOpen() const;
  void WriteBytes(const void* data, std::size_t size);
  void ReadBytes(void* data, std::size_t size);
  void WriteU8(std::uint8_t value);
  void WriteU32(std::uint32_t value);
  void WriteI32(std::int32_t value) { WriteU32(static_cast<std::uint32_t>(value)); }
  void WriteRect(const TRect& rect);
  std::uint8_t ReadU8();
  std::uint32_t ReadU32();
  std::int32_t ReadI32() { return static_cast<std::int32_t>(ReadU32()); }
  void ReadRect(TRect& rect);
  template <typename Token>
  void WriteTextToken(const Token& token);
  template <typename Token>
  void ReadTextToken(Token& token);
  bool CloseFile();
  void RefuseWhenOpen() const;

  std::FILE* m_File;
  bool m_ReadFailed;
  bool m_WriteFailed;  // a string that cannot be read back was written
  // Set while writing through a temporary file: the target and the temporary name.
  std::string m_Target;
  std::string m_Temporary;
  // Set while writing into memory: the buffer the C runtime grows, its length and
  // the string that receives it at Close.
  char* m_MemoryBuffer;
  std::size_t m_MemorySize;
  std::string* m_MemoryTarget;
};

// The map form of the symbol tables: u32 count, then per entry the name (string) and
// the value (i32), in name order. Reading empties the map first; a repeated name
// keeps its first value; reading stops when the stream's read fails.
void SaveMap(IIOStream& stream, const std::map<std::string, std::int32_t>& map);
void LoadMap(IIOStream& stream, std::map<std::string, std::int32_t>& map);

// A std::string in the stream's string form, and back (at most 65,535 bytes).
void WriteString(IIOStream& stream, const std::string& text);
void ReadString(IIOStream& stream, std::string& text);

}  // namespace nsTamskLib::nsIOStream
