#pragma once
// What an open Ogg Vorbis file must show before a sound plays it.
//
// The decoding library's headers check lets a codebook through whose code lengths
// do not make a complete code; the decoder's setup then fails when decoding starts
// and leaves the decoding tables half built, and the next start (after a seek)
// decodes with an empty codebook and divides by zero. So the decoder is set up
// once here for every link the file holds, exactly as vorbisfile found them
// (whatever pages of other streams come first, however long the headers), and a
// link whose setup fails refuses the file.
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

// The track's length in samples: the stated length, unless it is shorter than one
// block of the first link decodes, when the samples decoding delivers are counted
// (a file whose last granule position is wrong would otherwise loop after every
// few samples). Leaves the file at its start; negative when it cannot be measured.
std::int64_t MeasureVorbisLength(OggVorbis_File& file);

}  // namespace nsZarn::nsSound::nsISoundReader
