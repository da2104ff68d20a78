#pragma once
// What a Vorbis stream (one link of a file) costs the decoding library, worked
// out from its headers before the library reads them: the memory of the tables
// it builds when its decoder is set up, and the work of decoding each sample.
//
// The library builds, for a link:
//  - once, kept while the file is open: each codebook's decoding tables (its
//    codewords, their lengths, their entries' numbers, a first lookup table of up
//    to 256 slots, and the vector values of each used entry), from the book as
//    the header states it (its lengths, and its values as longs);
//  - at every set-up of its decoder (the check of every link at open, then each
//    time playback starts the link, from the start, a loop or a seek): the sample
//    buffers of a long block for every channel, the transforms of both block
//    sizes, a floor 0's maps of the frequency lines of both block sizes to its
//    bark bands, and for each residue a decode map of one small allocation for
//    every combination of partition classes its class book names: classes to the
//    power of the book's dimension, up to 65,536 maps of up to 16 values;
//  - for each packet, besides the inverse transform of every channel: the floor
//    curve of every channel (a floor 1 draws lines between at most 65 posts; a
//    floor 0 evaluates, for every bark band a frequency line falls in, a product
//    over its order, and takes a cosine of each coefficient), every stage of the
//    residue over every partition it covers, and every coupling step over half
//    the block.
//
// The work of a sample is counted in steps of about a fifth of a nanosecond (on
// the AMD EPYC core it was measured on, with streams made to exercise each part
// alone and decoded as the game decodes them): the transform, windowing and
// output 35 steps a sample of a channel; a floor 1 5 steps a frequency line and
// 25 a post; a floor 0 115 steps and 3 more for each order for every band, 50
// for every coefficient; a residue stage 40 steps a value (a value book of one
// dimension decodes each value alone) and 5 a partition; a coupling step 4 a
// line. A packet yields at least a quarter of its block and a quarter of a short
// block: the work of a mode is its packet's work over those samples, the link's
// the work of its costliest mode.
//
// The budgets. oggenc's files of every quality (-q -1 to 10), of 8,000 to 96,000
// samples a second, of one and two channels, and Debian's sound themes (the
// freedesktop, Oxygen, Deepin, Yaru and Lomiri sounds) all have floors of type 1
// of at most 29 posts, one coupling step, residues of at most 3 stages over
// partitions of 16 samples or more whose decode maps have at most 100 entries
// (10 classes, books of dimension 2), and blocks of 256 to 4,096 samples: a link
// builds at most 107 KB of codebook tables and 306 KB of decoder tables, and costs
// at most 291 steps a sample. Measured, the costliest of them (-q 10, stereo)
// decodes in 35 ns a sample of a channel, a -q 3 file in 13, silence in 7.
//  - A sample may cost 512 steps, 1.75 times the most an encoder's costs. Streams
//    made to cost just under it (a floor 0 of order 110, 230 coupling steps, or
//    residues of 8 stages over partitions of one sample) decode in at most
//    100 ns a sample of a channel: 3 times the costliest encoder's file of their
//    length. A floor 0, which no current encoder writes, may so have an order of
//    about 45 to 118, as its blocks are mixed or all long.
//  - A link's decoder tables may take 2 MiB, 7 times the most an encoder's take:
//    they are built again every time playback starts the link (1.5 ms a megabyte
//    measured), so a link's decode maps may have some 24,000 entries of 16
//    values, where one class book can name 65,536 and 64 residues 350 MB.
//  - A file's tables, every link's codebooks and decoder together, may take
//    16 MiB: every link is set up when the file opens, twice, and the codebooks
//    stay. The bounds on codebook entries and values keep the books of a file
//    under 10 MB, so this bounds the decoders of a chain above all.
//  - A packet may cost 125 million steps, some 25 ms: the decoder's work meter
//    (ogg_reader.h) acts between packets, and holds four times that in store. An
//    encoder's costliest packet takes under a million; only a stream of far more
//    channels than the game plays comes near the bound.
//
// What the model does not see, the work meter does: the residue shape the model
// would miss (a stage book of more values than a partition holds, which the library
// turns through whole for every partition) is refused by the setup reader, which
// leaves every packet's work bounded, and so the meter can stop a decode in time.

#include <cstdint>

#include "framework/sound/vorbis_setup_shape.h"

namespace nsZarn::nsSound::nsISoundReader {

inline constexpr std::uint64_t kMaxSampleWork = 512;                   // steps a sample of a channel
inline constexpr std::uint64_t kMaxLinkDecoderBytes = 2u << 20;        // of one link's set-up
inline constexpr std::uint64_t kMaxFileSetupBytes = 16u << 20;         // of every link's tables
inline constexpr std::uint64_t kMaxPacketWork = 125'000'000;           // steps of one packet

struct VorbisLinkCost {
  std::uint64_t bookBytes = 0;     // the codebooks' tables, built once and kept
  std::uint64_t decoderBytes = 0;  // the decoder's other tables, built at every set-up
  std::uint64_t sampleWork = 0;    // steps for each sample of each channel, at the costliest mode
  std::uint64_t packetWork = 0;    // steps of a packet of the costliest mode
};

// The cost of a link whose headers have been read whole and found valid (every
// index in the shape names an entry of it).
VorbisLinkCost CostOfVorbisLink(const VorbisStreamFormat& format, const VorbisSetupShape& setup);

}  // namespace nsZarn::nsSound::nsISoundReader
