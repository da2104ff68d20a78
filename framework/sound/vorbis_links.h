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
// The device plays one format for the whole file: every link must have the first
// link's channels and rate, and the mixer must be able to play that format.

#include <vorbis/vorbisfile.h>

#include <cstdint>

namespace nsZarn::nsSound::nsISoundReader {

enum class VorbisLinks {
  kPlayable,
  kUndecodable,       // a link whose decoder cannot be set up
  kUnplayableFormat,  // links that differ, or a format the mixer refuses
};

VorbisLinks CheckVorbisLinks(OggVorbis_File& file);

enum class VorbisLength {
  kMeasured,
  kUnmeasurable,
  kLongerThanStated,  // decodes more than two long blocks past its stated length
};

// The track's length in samples: the stated length, unless it is shorter than one
// long block of the first link, when the samples decoding delivers are counted (a
// click shorter than a block plays whole; a file whose last granule position is
// wrong would otherwise loop after every few samples). That decoding stops two
// long blocks past the stated length, so that it never costs more than an honest
// file of that length, whatever the file holds: a file that delivers more states
// its length wrong. Leaves the file at its start (where the library, after opening
// a chain whose first link fits one page, is not).
VorbisLength MeasureVorbisLength(OggVorbis_File& file, std::int64_t& samples);

}  // namespace nsZarn::nsSound::nsISoundReader
