#pragma once
// IIOStream: the engine's binary stream over one file, used for the compiled script,
// every save file and every plug-in save block. The plug-in calls it through this
// interface, so the order of the operations is part of the plug-in interface.
//
// Integers are little-endian; a string is its bytes each complemented followed by
// one 0 byte. Every operation but Open, Close and IsOpen needs an open stream.

#include <cstdint>

#include "engine/api/fwd.h"

namespace nsTamskLib::nsIOStream {

// Room a caller provides for LoadChar: at most 65,535 bytes and the terminator.
inline constexpr unsigned kStringBufferSize = 65536;

class IIOStream {
 public:
  // Opens with a C mode string ("rb", "wb"); opening an open stream is fatal.
  virtual bool Open(const char* file, const char* mode) = 0;
  // Closes the file; true on a stream that is not open.
  virtual bool Close() = 0;
  virtual bool IsOpen() const = 0;

  virtual void SaveNum(std::int32_t value) = 0;
  virtual void SaveChar(const char* text) = 0;
  virtual void SavePrimitive(const void* data, unsigned size) = 0;
  virtual void LoadNum(std::int32_t* value) = 0;
  // Reads one string into buffer (kStringBufferSize bytes).
  virtual void LoadChar(char* buffer) = 0;
  virtual void LoadPrimitive(void* data, unsigned size) = 0;

  virtual void SaveStringM(const mystr& text) = 0;
  virtual void SaveStringVM(const vector_mystr& texts) = 0;
  virtual void SaveExpression(const Expression& expr) = 0;
  virtual void SaveTextTokenSection(const TextTokenSection& section) = 0;
  virtual void LoadStringM(mystr& text) = 0;
  virtual void LoadStringVM(vector_mystr& texts) = 0;
  virtual void LoadExpression(Expression& expr) = 0;
  virtual void LoadTextTokenSection(TextTokenSection& section) = 0;

  virtual void SaveDrawTask(const nsTaskManager::DrawTask& task) = 0;
  virtual void SaveSprite(const nsTaskManager::Sprite& sprite) = 0;
  virtual void SaveButton(const nsTaskManager::Button& button) = 0;
  virtual void SaveEffectParam(const nsTaskManager::EffectParam& param) = 0;
  virtual void SaveUpdateParam(const nsTaskManager::UpdateParam& param) = 0;
  virtual void LoadDrawTask(nsTaskManager::DrawTask& task) = 0;
  virtual void LoadSprite(nsTaskManager::Sprite& sprite) = 0;
  virtual void LoadButton(nsTaskManager::Button& button) = 0;
  virtual void LoadEffectParam(nsTaskManager::EffectParam& param) = 0;
  virtual void LoadUpdateParam(nsTaskManager::UpdateParam& param) = 0;

  virtual void SaveRecord(const nsTextManager::BackLogRecord& record) = 0;
  virtual void LoadRecord(nsTextManager::BackLogRecord& record) = 0;

  // Closes a file that is still open.
  virtual ~IIOStream() = default;

  // Whether a read ran short (end of file, or a string longer than the limit) since
  // the stream was opened. Loaders check it to report a damaged file.
  virtual bool HasReadFailed() const = 0;
};

}  // namespace nsTamskLib::nsIOStream
