#include "framework/sound/vorbis_setup_cost.h"

#include <algorithm>
#include <cstdint>

namespace nsZarn::nsSound::nsISoundReader {
namespace {

// Steps of the work of decoding (see the header).
constexpr std::uint64_t kTransformStepsPerSample = 35;
constexpr std::uint64_t kLineFloorStepsPerLine = 5;
constexpr std::uint64_t kLineFloorStepsPerPost = 25;
constexpr std::uint64_t kLspStepsPerBand = 115;
constexpr std::uint64_t kLspStepsPerBandOrder = 3;
constexpr std::uint64_t kLspStepsPerCoefficient = 50;
constexpr std::uint64_t kStageStepsPerValue = 40;
constexpr std::uint64_t kStageStepsPerPartition = 5;
constexpr std::uint64_t kCouplingStepsPerLine = 4;

// The bytes the memory allocator takes for a block of `bytes`.
std::uint64_t Allocated(std::uint64_t bytes) { return std::max<std::uint64_t>(32, (bytes + 8 + 15) / 16 * 16); }

// The decoding tables of a codebook, and the book as its header was read, which
// lives until they are built.
std::uint64_t BookBytes(const VorbisSetupShape::Codebook& book) {
  const std::uint64_t used = book.used;
  std::uint64_t firstTable = 2;
  if (used > 1) {
    int bits = 0;
    for (std::uint64_t v = used; v != 0; v >>= 1) ++bits;
    firstTable = std::uint64_t{1} << std::clamp(bits - 4, 5, 8);
  }
  const std::uint64_t tables = Allocated(used * 4) * 2 + Allocated(used) + Allocated(4 * firstTable) +
                               (book.storedValues != 0 ? Allocated(4 * used * book.dim) : 0);
  const std::uint64_t read = Allocated(book.entries) + (book.storedValues != 0 ? Allocated(8 * book.storedValues) : 0);
  return tables + read + 128;
}

std::uint64_t DecodeMapEntries(const VorbisSetupShape& setup, const VorbisSetupShape::Residue& residue) {
  std::uint64_t entries = 1;
  for (std::uint32_t d = 0; d < setup.codebooks[residue.classBook].dim; ++d) entries *= residue.classes;
  return entries;
}

std::uint64_t DecoderBytes(const VorbisStreamFormat& format, const VorbisSetupShape& setup) {
  const std::uint64_t channels = static_cast<std::uint64_t>(format.channels);
  const std::uint64_t blocks = std::uint64_t{format.shortBlock} + format.longBlock;
  // The channels' buffers, those of a block being decoded, the transforms.
  std::uint64_t bytes = 8 * channels * Allocated(4 * std::uint64_t{format.longBlock}) + 6 * blocks + 4096;
  for (const VorbisSetupShape::Floor& floor : setup.floors) bytes += floor.lsp ? 2 * blocks + 256 : 1408;
  for (const VorbisSetupShape::Residue& residue : setup.residues) {
    const std::uint64_t maps = DecodeMapEntries(setup, residue);
    const std::uint64_t dim = setup.codebooks[residue.classBook].dim;
    bytes += 256 + Allocated(8 * residue.classes) + residue.classes * Allocated(8 * 8) + Allocated(8 * maps) +
             maps * Allocated(4 * dim);
  }
  return bytes;
}

// The work of a floor over one channel of a packet of `lines` frequency lines.
std::uint64_t FloorWork(const VorbisSetupShape::Floor& floor, std::uint64_t lines) {
  if (!floor.lsp) return lines * kLineFloorStepsPerLine + floor.posts * kLineFloorStepsPerPost;
  const std::uint64_t bands = std::min<std::uint64_t>(lines, floor.bands);
  return bands * (kLspStepsPerBand + floor.order * kLspStepsPerBandOrder) + floor.order * kLspStepsPerCoefficient;
}

// The work of a residue over `channels` channels of a packet of `lines` lines.
std::uint64_t ResidueWork(const VorbisSetupShape::Residue& residue, std::uint64_t lines, std::uint64_t channels) {
  if (channels == 0) return 0;
  // Type 2 codes the channels interleaved as one vector.
  const std::uint64_t vectors = residue.type == 2 ? 1 : channels;
  const std::uint64_t length = residue.type == 2 ? lines * channels : lines;
  const std::uint64_t end = std::min<std::uint64_t>(residue.end, length);
  if (end <= residue.begin) return 0;
  const std::uint64_t covered = end - residue.begin;
  const std::uint64_t perStage = covered * kStageStepsPerValue + covered / residue.grouping * kStageStepsPerPartition;
  return vectors * static_cast<std::uint64_t>(residue.stages) * perStage;
}

// The work of a packet of the mode.
std::uint64_t PacketWork(const VorbisStreamFormat& format, const VorbisSetupShape& setup,
                         const VorbisSetupShape::Mode& mode) {
  const std::uint64_t block = mode.longBlock ? format.longBlock : format.shortBlock;
  const std::uint64_t lines = block / 2;
  const std::uint64_t channels = static_cast<std::uint64_t>(format.channels);
  const VorbisSetupShape::Mapping& mapping = setup.mappings[mode.mapping];
  std::uint64_t work = channels * lines * kTransformStepsPerSample + mapping.couplingSteps * lines * kCouplingStepsPerLine;
  std::vector<std::uint64_t> submapChannels(mapping.submaps.size());
  for (const std::uint32_t submap : mapping.channelSubmap) {
    work += FloorWork(setup.floors[mapping.submaps[submap].floor], lines);
    ++submapChannels[submap];
  }
  for (std::size_t i = 0; i < mapping.submaps.size(); ++i) {
    work += ResidueWork(setup.residues[mapping.submaps[i].residue], lines, submapChannels[i]);
  }
  return work;
}

// The work of a packet of the mode over the samples it yields at least.
std::uint64_t SampleWork(const VorbisStreamFormat& format, std::uint64_t packetWork, const VorbisSetupShape::Mode& mode) {
  const std::uint64_t block = mode.longBlock ? format.longBlock : format.shortBlock;
  const std::uint64_t channels = static_cast<std::uint64_t>(format.channels);
  const std::uint64_t samples = (block + format.shortBlock) / 4;
  return (packetWork + channels * samples - 1) / (channels * samples);
}

}  // namespace

VorbisLinkCost CostOfVorbisLink(const VorbisStreamFormat& format, const VorbisSetupShape& setup) {
  VorbisLinkCost cost;
  std::uint64_t largestBook = 0;
  for (const VorbisSetupShape::Codebook& book : setup.codebooks) {
    cost.bookBytes += BookBytes(book);
    largestBook = std::max<std::uint64_t>(largestBook, book.used);
  }
  // Building a book's tables sorts its codewords through two arrays of their own.
  cost.bookBytes += 16 * largestBook;
  cost.decoderBytes = DecoderBytes(format, setup);
  for (const VorbisSetupShape::Mode& mode : setup.modes) {
    const std::uint64_t packet = PacketWork(format, setup, mode);
    cost.packetWork = std::max(cost.packetWork, packet);
    cost.sampleWork = std::max(cost.sampleWork, SampleWork(format, packet, mode));
  }
  // A residue whose partitions are not whole vectors costs the library work that
  // no count of the partition's values bounds.
  for (const VorbisSetupShape::Residue& residue : setup.residues) {
    if (!residue.wholeVectors) cost.packetWork = UINT64_MAX;
  }
  return cost;
}

}  // namespace nsZarn::nsSound::nsISoundReader
