#pragma once
// ITextManager: the reading state of the story text: skip and auto modes, the read
// marks and the backlog.

#include <cstdint>

#include "engine/api/fwd.h"

namespace nsTamskLib::nsTextManager {

class ITextManager {
 public:
  virtual bool IsSkip() = 0;
  virtual void SetSkip(bool skip) = 0;
  virtual bool IsKidokuSkip() = 0;
  virtual void SetKidokuSkip(bool skip) = 0;
  virtual bool IsAuto() = 0;
  virtual void SetAuto(bool autoMode) = 0;
  virtual std::uint32_t GetAutoWait() = 0;
  virtual void SetAutoWait(std::uint32_t wait) = 0;
  virtual std::uint32_t GetBackLogMax() = 0;
  virtual void SetBackLogMax(std::uint32_t max) = 0;
  virtual void MarkRead(std::uint32_t id) = 0;
  virtual bool IsRead(std::uint32_t id) = 0;
  virtual void MoveBackLogCursor(std::int32_t delta) = 0;
  virtual std::uint32_t GetBackLogCursor() = 0;
  virtual void SetBackLogCursor(std::uint32_t cursor) = 0;
  virtual void ClearBackLog() = 0;
  virtual bool IsBackLogEmpty() = 0;
  // The entry under the backlog cursor (1 = newest).
  virtual BackLogRecord* GetRecordData() = 0;
  virtual void AddRecord(const BackLogRecord& record) = 0;

 protected:
  virtual ~ITextManager() = default;
};

}  // namespace nsTamskLib::nsTextManager
