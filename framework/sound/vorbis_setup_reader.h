#pragma once
// Reads a Vorbis setup header (the third header of a Vorbis stream) bit by bit the
// way the decoding library reads it, to learn what it would ask the library to
// build before the library sees it: its codebooks, and how many entries and vector
// values each holds. The decoding library allocates for every entry while it reads
// the header and builds its decoding tables on the stack when the decoder is set
// up, so a header of a few bytes can state millions of entries; nothing here is
// allocated per entry, and a bound is checked before any entry is read.
//
// Only a header read to its last bit, by every rule the library applies, passes:
// where this reader and the library could disagree, the header is refused.

#include <cstdint>

#include "framework/sound/vorbis_setup_shape.h"

namespace nsZarn::nsSound::nsISoundReader {

// Bounds on what the Vorbis headers of one file may ask for. Encoders write one
// stream (link) of at most 45 codebooks: in oggenc's files of every quality, rate
// and channel count, and in Debian's sound themes, a book has at most 6,561
// entries and 52,488 vector values, a stream at most 11,813 entries and 61,254
// values. Setting up the decoder costs about 28 bytes of memory and 0.15
// microseconds for each entry (12 of those bytes on the stack, for the book being
// set up), up to 12 bytes for each value, and up to some 600 KB for a link's other
// tables (64 floors, residues and mappings at most): at these bounds a file costs
// at most some 15 MB and a few hundredths of a second, and a chain of eight links
// of the largest streams above still plays.
inline constexpr std::uint32_t kMaxCodebookEntries = 1u << 16;      // of one book
inline constexpr std::uint64_t kMaxCodebookValues = 1u << 18;       // of one book
inline constexpr std::uint64_t kMaxFileCodebookEntries = 1u << 17;  // of every book of the file
inline constexpr std::uint64_t kMaxFileCodebookValues = 1u << 19;   // of every book of the file
inline constexpr std::uint32_t kMaxFileCodebooks = 1024;            // books of every link
inline constexpr std::uint32_t kMaxVorbisLinks = 8;                 // Vorbis streams in the file

enum class VorbisHeaderCheck {
  kReadable,
  kUnreadable,           // cut short, damaged, or read otherwise than the library reads it
  kTooManyLinks,         // more Vorbis streams than kMaxVorbisLinks
  kCodebookTooLarge,        // a book of more entries or values than a book may have
  kTooManyCodebooks,        // more than kMaxFileCodebooks books
  kTooManyCodebookEntries,  // more entries or values than a file may have
  kSetupTooCostly,          // a link or the file over a budget of vorbis_setup_cost.h
  kPositionsOutOfOrder,     // a stream's granule position that goes back, or is negative
  kPacketTooCostly,         // a packet whose work is over kMaxPacketWork, or not bounded at all
  kLinkTooShort,            // a link followed by another with no audio page of a stated position
  kStopped,                 // the load's work meter stopped the walk
};

// What the setup headers of a file have stated so far.
struct SetupTally {
  std::uint32_t codebooks = 0;
  std::uint64_t entries = 0;
  std::uint64_t values = 0;  // of the vectors of the books that have them
};

// Reads one setup header packet (its type byte and "vorbis" first) of a stream of
// `channels` channels, adding its books to the tally and checking the bounds, and
// describes what it states in `shape`.
VorbisHeaderCheck ReadVorbisSetup(const unsigned char* packet, long bytes, int channels, SetupTally& tally,
                                  VorbisSetupShape& shape);

}  // namespace nsZarn::nsSound::nsISoundReader
