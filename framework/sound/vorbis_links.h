#pragma once
// What an open Ogg Vorbis file must show before a sound plays it.
//
// The decoding library's headers check lets a codebook through whose code lengths
// do not make a complete code; the decoder's setup then fails when decoding starts
// and leaves the decoding tables half built, and the next start (after a seek)
// decodes with an empty codebook and divides by zero. So the decoder is set up
// once here for every link the file holds, exactly as vorbisfile found them
// (whatever pages of other streams come first, however long the headers), and a
// link whose setup fails refuses the file. The codebooks built then stay for
// decoding; the decoder's other tables are built again when playback reaches the
// link, which the set-up budget of the header walk keeps cheap.
//
// Playback sets a link's decoder up again every time it enters the link, also at
// every loop of the music: a link before the last must be at least one long block
// long, so that a chain of links of a few samples cannot make it do so hundreds of
// times a second.
//
// The device plays one format for the whole file: every link must have the first
// link's channels and rate, and the mixer must be able to play that format.

#include <vorbis/vorbisfile.h>

#include <cstdint>
#include <vector>

#include "framework/sound/vorbis_header_walk.h"

namespace nsZarn::nsSound::nsISoundReader {

// The length of every link in samples, as the library states it; but where the
// last page of a link's stream states no position (the library then takes the
// link's length for 0), up to the last position its pages state. `ends` is what
// the header walk found; where it found other links than the library, the
// library's lengths stand.
std::vector<std::int64_t> VorbisLinkLengths(OggVorbis_File& file, const std::vector<VorbisStreamEnd>& ends);

enum class VorbisLinks {
  kPlayable,
  kUndecodable,       // a link whose decoder cannot be set up
  kUnplayableFormat,  // links that differ, or a format the mixer refuses
  kLinkTooShort,      // a link before the last shorter than its long block
};

VorbisLinks CheckVorbisLinks(OggVorbis_File& file, const std::vector<std::int64_t>& lengths);

enum class VorbisLength {
  kMeasured,
  kUnmeasurable,
  kLongerThanStated,  // decodes more than two long blocks past its stated length
  kStopped,           // the load's work meter stopped the measure
};

// The track's length in samples: the stated length (the links' lengths together),
// unless it is shorter than one long block of the first link, when the samples
// decoding delivers are counted (a click shorter than a block plays whole; a file
// whose last granule position is wrong would otherwise loop after every few
// samples). That decoding stops two long blocks past the stated length, so that it
// never costs more than an honest file of that length, whatever the file holds: a
// file that delivers more states its length wrong. It asks the thread's load
// meter between packets. Leaves the file at its start (where the library, after
// opening a chain whose first link fits one page, is not).
VorbisLength MeasureVorbisLength(OggVorbis_File& file, const std::vector<std::int64_t>& lengths,
                                 std::int64_t& samples);

}  // namespace nsZarn::nsSound::nsISoundReader
