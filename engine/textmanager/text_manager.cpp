#include "engine/textmanager/text_manager.h"

#include <cstring>

#include "engine/api/plugin_api.h"
#include "engine/api/stream_words.h"

namespace nsTamskLib::nsTextManager {
namespace {

using nsIOStream::IIOStream;

constexpr char kKidokuMagic[4] = {'.', 'k', 's', 'v'};

// Keeps a cursor within 1 and the record count (0 when there is no record).
std::uint32_t ClampCursor(std::int64_t cursor, std::size_t count) {
  if (cursor < 1) cursor = 1;
  if (cursor > static_cast<std::int64_t>(count)) cursor = static_cast<std::int64_t>(count);
  return static_cast<std::uint32_t>(cursor);
}

}  // namespace

TextManager::TextManager()
    : Skip(false),
      KidokuSkip(false),
      Auto(false),
      AutoWait(1500),
      BackLogMax(256),
      BackLogCursor(1) {
  SetSkip(false);
  SetAuto(false);
  SetBackLogCursor(1);
  ClearBackLog();
}

TextManager::~TextManager() = default;

bool TextManager::IsSkip() { return Skip; }
void TextManager::SetSkip(bool skip) { Skip = skip; }
bool TextManager::IsKidokuSkip() { return KidokuSkip; }
void TextManager::SetKidokuSkip(bool skip) { KidokuSkip = skip; }
bool TextManager::IsAuto() { return Auto; }
void TextManager::SetAuto(bool autoMode) { Auto = autoMode; }
std::uint32_t TextManager::GetAutoWait() { return AutoWait; }
void TextManager::SetAutoWait(std::uint32_t wait) { AutoWait = wait; }
std::uint32_t TextManager::GetBackLogMax() { return BackLogMax; }
void TextManager::SetBackLogMax(std::uint32_t max) { BackLogMax = max; }

void TextManager::AppendReadMark(std::uint32_t id) {
  ReadMarks.push_back(id);
  ReadMarkSet.insert(id);
}

void TextManager::MarkRead(std::uint32_t id) {
  if (!IsRead(id)) AppendReadMark(id);
}

bool TextManager::IsRead(std::uint32_t id) { return ReadMarkSet.count(id) != 0; }

// Signed 64-bit arithmetic: a large negative delta reaches the newest record
// instead of wrapping round to the oldest.
void TextManager::MoveBackLogCursor(std::int32_t delta) {
  BackLogCursor = ClampCursor(static_cast<std::int64_t>(BackLogCursor) + delta, BackLog.size());
}

std::uint32_t TextManager::GetBackLogCursor() { return BackLogCursor; }

void TextManager::SetBackLogCursor(std::uint32_t cursor) {
  BackLogCursor = ClampCursor(cursor, BackLog.size());
}

void TextManager::ClearBackLog() { BackLog.clear(); }

bool TextManager::IsBackLogEmpty() { return BackLog.empty(); }

BackLogRecord* TextManager::GetRecordData() {
  const std::size_t count = BackLog.size();
  if (count == 0 || BackLogCursor < 1 || BackLogCursor > count) {
    RuntimeError(nullptr, "TextManager::GetRecordData()");
  }
  return &BackLog[count - BackLogCursor];
}

void TextManager::AddRecord(const BackLogRecord& record) {
  BackLog.push_back(record);
  while (BackLog.size() > BackLogMax) BackLog.pop_front();
}

void TextManager::Reset() {
  SetSkip(false);
  SetAuto(false);
  SetBackLogCursor(1);
  ClearBackLog();
}

void TextManager::SaveEnvironment(IIOStream* stream) {
  WriteU8(*stream, KidokuSkip ? 1 : 0);
  WriteU32(*stream, AutoWait);
  WriteU32(*stream, BackLogMax);
}

// A setting that the file does not hold completely keeps its value: a cut file
// would otherwise set the backlog's maximum and the auto wait to 0 for good.
void TextManager::LoadEnvironment(IIOStream* stream) {
  const bool kidokuSkip = ReadU8(*stream) != 0;
  if (!stream->HasReadFailed()) KidokuSkip = kidokuSkip;
  const std::uint32_t autoWait = ReadU32(*stream);
  if (!stream->HasReadFailed()) AutoWait = autoWait;
  const std::uint32_t backLogMax = ReadU32(*stream);
  if (!stream->HasReadFailed()) BackLogMax = backLogMax;
}

void TextManager::SaveLocal(IIOStream* stream) {
  WriteU32(*stream, static_cast<std::uint32_t>(BackLog.size()));
  for (const BackLogRecord& record : BackLog) {
    RequireOpen(*stream);
    stream->SaveRecord(record);
  }
}

// The count comes from the file: the loop ends with the file, and a record cut off
// by the end is not kept.
void TextManager::LoadLocal(IIOStream* stream) {
  SetSkip(false);
  SetAuto(false);
  ClearBackLog();
  const std::uint32_t count = ReadU32(*stream);
  for (std::uint32_t i = 0; i < count && !stream->HasReadFailed(); ++i) {
    BackLog.emplace_back();
    RequireOpen(*stream);
    stream->LoadRecord(BackLog.back());
    if (stream->HasReadFailed()) BackLog.pop_back();
  }
}

bool TextManager::SaveKidoku(const std::string& file, IIOStream* stream) {
  if (!stream->Open(file.c_str(), "wb")) return false;
  RequireOpen(*stream);
  stream->SavePrimitive(kKidokuMagic, 4);
  WriteU32(*stream, static_cast<std::uint32_t>(ReadMarks.size()));
  for (const std::uint32_t id : ReadMarks) WriteU32(*stream, id);
  return stream->Close();
}

bool TextManager::LoadKidoku(const std::string& file, IIOStream* stream) {
  if (!stream->Open(file.c_str(), "rb")) return false;
  char magic[4] = {0, 0, 0, 0};
  RequireOpen(*stream);
  stream->LoadPrimitive(magic, 4);
  if (std::memcmp(magic, kKidokuMagic, 4) != 0) {
    stream->Close();
    return false;
  }
  const auto count = static_cast<std::int32_t>(ReadU32(*stream));
  for (std::int32_t i = 0; i < count && !stream->HasReadFailed(); ++i) {
    const std::uint32_t id = ReadU32(*stream);
    if (!stream->HasReadFailed()) AppendReadMark(id);
  }
  const bool complete = !stream->HasReadFailed();
  const bool closed = stream->Close();
  return complete && closed;
}

}  // namespace nsTamskLib::nsTextManager
