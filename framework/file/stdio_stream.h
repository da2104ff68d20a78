#pragma once
// The operations on a C stream that the file reader and the file writer share:
// both wrap one FILE* and give positions as 64-bit values. A null stream is a
// file that is not open.

#include <cstdint>
#include <cstdio>

namespace nsZarn::nsFile {

// Closes the stream and forgets it. The C library releases the stream even when
// closing fails (a final write that could not be flushed), so the handle is never
// kept for a second close; the failure is still reported. True when nothing was
// open.
bool CloseStream(std::FILE*& file);

// The position, or -1 when nothing is open.
std::int64_t StreamPosition(std::FILE* file);
bool SeekStream(std::FILE* file, std::int64_t offset, int origin);
// The position as a value for SetStreamPosition; false when nothing is open.
bool GetStreamPosition(std::FILE* file, std::int64_t& position);
// Moves to a position from the start; a negative one is refused.
bool SetStreamPosition(std::FILE* file, std::int64_t position);
// True past the end of the file, and when nothing is open.
bool StreamAtEnd(std::FILE* file);
int StreamError(std::FILE* file);

// The size of what a reader or writer reaches, measured through its own ftell
// and fseek (so that a reader confined to part of a file reports that part's
// size); the position is left where it was.
template <typename File>
std::int64_t MeasureSize(File& file) {
  if (!file.IsOpen()) return 0;
  const std::int64_t position = file.ftell();
  file.fseek(0, SEEK_END);
  const std::int64_t size = file.ftell();
  file.fseek(position, SEEK_SET);
  return size;
}

}  // namespace nsZarn::nsFile
