#pragma once
// The check an Ogg file passes before the decoding library reads any of it: every
// page of the file is walked from the start, every Vorbis stream in it (each link
// of a chained file) is found as the library finds it (a stream whose first page
// holds a whole Vorbis identification header), and its three headers are read to
// their end, its setup header by ReadVorbisSetup under the file's bounds; what its
// set-up and decoding would cost the library must be within the budgets of
// vorbis_setup_cost.h, for the link and for the file. Every link (the streams
// begun by pages that follow one another) must hold one, every other page must
// belong to a stream of the link it lies in, the granule positions of each
// stream's pages must never go back, and a link followed by another must hold an
// audio page that states one.
//
// The library also looks for pages from places of its own choosing (it bisects a
// chained file, and reads its end backwards). A page can hide inside the body of
// another, where a walk from the start never meets it; so every capture pattern
// "OggS" inside a page, or behind the last page, that begins a whole page refuses
// the file: then no place the library may start from shows it a page the walk
// has not read. A file with more than a few capture patterns that begin no page
// (inside pages, or damaged) is refused too.

#include <cstdint>
#include <vector>

#include "framework/file/file_reader.h"
#include "framework/sound/vorbis_setup_reader.h"

namespace nsZarn::nsSound::nsISoundReader {

// Where a Vorbis stream ends as its pages state it: the last granule position a
// page of it states, and whether a page after that states none (-1, a page on
// which no packet ends: the last page of a file cut short).
struct VorbisStreamEnd {
  std::int64_t lastPosition = 0;
  bool endsUnstated = false;
};

// Reads the open file from its start to its end; the position is left anywhere.
// A file without any Vorbis stream is readable here (the library refuses it).
// `ends` (when given) receives the end of every Vorbis stream, in the file's order.
// The walk runs as part of a load: it asks the thread's load meter between its
// reads, and stops when the meter says so.
VorbisHeaderCheck WalkVorbisHeaders(nsFile::nsFileReader::IFileReader& file,
                                    std::vector<VorbisStreamEnd>* ends = nullptr);

}  // namespace nsZarn::nsSound::nsISoundReader
