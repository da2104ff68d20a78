#pragma once
// TextManager: the reading state of the story text. It keeps the skip and auto
// modes with their settings, the read marks (which text commands the player has
// already seen, kept across runs in the read-mark file) and the backlog, a bounded
// list of the last messages shown, oldest first. It draws nothing.
//
// File blocks (little-endian, through the stream's raw primitives):
// - environment: u8 KidokuSkip, u32 AutoWait, u32 BackLogMax;
// - save slot: u32 record count, then each record (message and talker sections,
//   the extra strings), oldest first; the cursor and the settings are not stored;
// - read-mark file: ".ksv", u32 count, the ids (u32 each) in the order of marking.

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/api/backlog_record.h"
#include "engine/api/io_stream.h"
#include "engine/api/text_manager.h"

namespace nsTamskLib::nsTextManager {

class TextManager : public ITextManager {
 public:
  TextManager();
  TextManager(const TextManager&) = delete;
  TextManager& operator=(const TextManager&) = delete;
  ~TextManager() override;

  bool IsSkip() override;
  void SetSkip(bool skip) override;
  bool IsKidokuSkip() override;
  void SetKidokuSkip(bool skip) override;
  bool IsAuto() override;
  void SetAuto(bool autoMode) override;
  std::uint32_t GetAutoWait() override;
  void SetAutoWait(std::uint32_t wait) override;
  std::uint32_t GetBackLogMax() override;
  // A smaller maximum takes effect at the next AddRecord.
  void SetBackLogMax(std::uint32_t max) override;
  void MarkRead(std::uint32_t id) override;
  bool IsRead(std::uint32_t id) override;
  // Moves the cursor by delta (positive is older), kept within 1 and the record
  // count; 0 when there is no record.
  void MoveBackLogCursor(std::int32_t delta) override;
  std::uint32_t GetBackLogCursor() override;
  // Sets the cursor, kept within 1 and the record count; 0 when there is no record.
  void SetBackLogCursor(std::uint32_t cursor) override;
  // Removes every record; the cursor is left as it is.
  void ClearBackLog() override;
  bool IsBackLogEmpty() override;
  // The record under the cursor (1 = newest). Without records, or with a cursor
  // outside 1 to the record count, a fatal error "TextManager::GetRecordData()".
  BackLogRecord* GetRecordData() override;
  // Appends a copy, then drops the oldest records while more than the maximum.
  void AddRecord(const BackLogRecord& record) override;

  // A new game: skip and auto off, the cursor to 1, the backlog emptied, through
  // the virtual operations. The read marks and the settings stay.
  void Reset();

  // The environment block. A setting cut off by the end of the file keeps its value.
  void SaveEnvironment(nsIOStream::IIOStream* stream);
  void LoadEnvironment(nsIOStream::IIOStream* stream);

  // The save-slot block. Loading turns skip and auto off and replaces the backlog;
  // it stops at the first record the stream could not read completely.
  void SaveLocal(nsIOStream::IIOStream* stream);
  void LoadLocal(nsIOStream::IIOStream* stream);

  // The whole read-mark file. False when the file cannot be opened or closed, and
  // for a wrong magic (the marks stay as they were). A file that ends early keeps
  // the complete ids read before its end and gives false.
  bool SaveKidoku(const std::string& file, nsIOStream::IIOStream* stream);
  bool LoadKidoku(const std::string& file, nsIOStream::IIOStream* stream);

  // The read marks in the order of marking.
  const std::vector<std::uint32_t>& GetReadMarks() const { return ReadMarks; }
  std::uint32_t GetRecordCount() const { return static_cast<std::uint32_t>(BackLog.size()); }

 private:
  void AppendReadMark(std::uint32_t id);

  bool Skip;
  bool KidokuSkip;
  bool Auto;
  std::uint32_t AutoWait;
  std::uint32_t BackLogMax;
  std::vector<std::uint32_t> ReadMarks;
  // The same ids as ReadMarks, for the lookups of the text command.
  std::unordered_set<std::uint32_t> ReadMarkSet;
  std::uint32_t BackLogCursor;
  std::deque<BackLogRecord> BackLog;
};

}  // namespace nsTamskLib::nsTextManager
