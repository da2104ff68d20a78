#pragma once
// Sound files the sound tests make for themselves: WAVE files built byte by byte,
// Ogg Vorbis tones encoded with libvorbisenc, and Vorbis streams whose headers
// are written bit by bit.

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "platform/audio/pcm_format.h"

namespace vesk_test {

struct WavChunk {
  std::string tag;
  std::string payload;
};

struct WavLayout {
  std::uint32_t formatChunkSize = 16;  // 18 adds a zero extension size
  std::vector<WavChunk> chunksBeforeData{};
  // When set, the "data" chunk claims this size whatever the payload holds.
  bool overrideDataSize = false;
  std::uint32_t dataSize = 0;
  bool withDataChunk = true;
  std::uint32_t emptyChunksBeforeData = 0;  // "JUNK" chunks of no payload, before the others
};

std::string MakeWav(const platform::PcmFormat& format, const std::string& data, const WavLayout& layout = {});

// 16-bit stereo frames whose left sample is RampValue(f) and right -RampValue(f).
std::string RampFrames(std::uint32_t frames);
inline std::int16_t RampValue(std::uint32_t frame) { return static_cast<std::int16_t>(frame % 30000 + 1); }

// A sine tone of the given length, encoded as Ogg Vorbis.
std::string MakeOggTone(int channels, long rate, std::uint32_t frames);

// Reshaped Ogg files of one logical stream whose headers end on a page of their
// own, as encoders write them (checksums made anew). Every page moved to another
// serial number, so that the file can follow another as a link of a chain.
std::string WithOggSerial(const std::string& ogg, std::uint32_t serial);
// The comment header replaced by one of `bytes` bytes, spread over many pages.
std::string WithLongComment(const std::string& ogg, std::size_t bytes);
// The comment header replaced by the packet given, whole.
std::string WithCommentHeader(const std::string& ogg, const std::string& comment);
// The page of a logical stream that is not Vorbis, begun and ended on it, holding
// one packet of the body given: placed before a file, it is the first stream of
// the file's first link.
std::string ForeignOggPage(std::uint32_t serial, const std::string& body = "not a vorbis stream");

// A Vorbis stream of `channels` channels whose setup header holds `books` codebooks
// of `entries` entries each (a power of two, every codeword of one length, written
// in the ordered form: a dozen bytes a book however many entries it holds), then
// `silentPackets` audio packets that decode to silence, of short blocks (256
// samples) or long ones (2048). With `dimensions` above 0 every book has that
// dimension, and unless `vectors` is false also vectors of that many values built
// from one column of values. Its serial number is `serial`.
//
// The rest of the header: `residues` residues of type 0 over the first
// `residueEnd` samples (none by default) in partitions of `residuePartition`, each
// classified by book 0 into `residueClasses` classes (book 0 must name every
// combination of them) of `residueStages` stages coded with book 0, one floor of type 1 or, with `lspOrder` above 0, of type 0 of that order
// over 65,535 bark bands and coded with book 0 (then every packet states a curve,
// with as few bits as book 0 allows), and a mapping of `couplingSteps` coupling
// steps between the two channels of a stereo stream. With `usedFloor` every packet
// of a floor 1 uses it (a flat curve), so that the residue is decoded. No page states more than
// `statedSamples`: with fewer than the packets hold, the file plays on past its length.
struct CodebookStream {
  int channels = 1;
  int books = 1;
  std::uint32_t entries = 16;
  int dimensions = 0;
  bool vectors = true;
  int silentPackets = 64;
  bool longBlocks = false;
  int residues = 1;
  int residueClasses = 1;
  std::uint32_t residueEnd = 0;
  std::uint32_t residuePartition = 1;
  int residueStages = 0;
  bool usedFloor = false;
  int lspOrder = 0;
  int couplingSteps = 0;
  std::uint32_t serial = 1;
  std::int64_t statedSamples = std::numeric_limits<std::int64_t>::max();
};
std::string MakeOggWithCodebooks(const CodebookStream& stream);

// The first `count` pages of the file.
std::string FirstOggPages(const std::string& ogg, std::size_t count);
// The last page of the file.
std::string LastOggPage(const std::string& ogg);
// The file with the granule position of its last page replaced, or of the page
// that many pages before it.
std::string WithLastGranule(const std::string& ogg, std::int64_t granule, std::size_t pagesBefore = 0);

}  // namespace vesk_test
