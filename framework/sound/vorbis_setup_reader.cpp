#include "framework/sound/vorbis_setup_reader.h"

#include <ogg/ogg.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace nsZarn::nsSound::nsISoundReader {
namespace {

constexpr long kCodebookSync = 0x564342;  // "BCV"
constexpr int kMaxFloorPosts = 63;         // besides the two ends

// The number of bits needed to write v: 0 for 0.
int BitsFor(std::uint64_t v) {
  int bits = 0;
  for (; v != 0; v >>= 1) ++bits;
  return bits;
}

// The greatest v for which v to the power dim is at most entries: the number of
// distinct values of a book whose vectors are built from one column of values.
std::uint64_t ColumnValues(std::uint64_t entries, std::uint64_t dim) {
  if (entries == 0 || dim == 0) return 0;
  auto fits = [&](std::uint64_t v) {
    std::uint64_t power = 1;
    for (std::uint64_t d = 0; d < dim; ++d) {
      if (power > entries / v) return false;
      power *= v;
    }
    return true;
  };
  std::uint64_t low = 1;  // 1 always fits
  std::uint64_t high = entries;
  while (low < high) {
    const std::uint64_t middle = low + (high - low + 1) / 2;
    if (fits(middle)) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  return low;
}

class SetupReader {
 public:
  SetupReader(const unsigned char* packet, long bytes, int channels, SetupTally& tally, VorbisSetupShape& shape)
      : m_Bytes(bytes), m_Channels(channels), m_Tally(tally), m_Shape(shape) {
    oggpack_readinit(&m_Bits, const_cast<unsigned char*>(packet), static_cast<int>(bytes));
  }
  SetupReader(const SetupReader&) = delete;
  SetupReader& operator=(const SetupReader&) = delete;

  VorbisHeaderCheck Read() {
    if (m_Bytes < 7 || Bits(8) != 5) return VorbisHeaderCheck::kUnreadable;
    for (const char letter : {'v', 'o', 'r', 'b', 'i', 's'}) {
      if (Bits(8) != letter) return VorbisHeaderCheck::kUnreadable;
    }
    const long books = Bits(8) + 1;
    if (books <= 0) return VorbisHeaderCheck::kUnreadable;
    for (long i = 0; i < books; ++i) {
      const VorbisHeaderCheck book = ReadCodebook();
      if (book != VorbisHeaderCheck::kReadable) return book;
    }
    return ReadAfterCodebooks() ? VorbisHeaderCheck::kReadable : VorbisHeaderCheck::kUnreadable;
  }

 private:
  // The next `count` bits; -1 past the end of the packet (and from then on).
  long Bits(int count) { return oggpack_read(&m_Bits, count); }
  long BytesLeft() const { return m_Bytes - oggpack_bytes(const_cast<oggpack_buffer*>(&m_Bits)); }

  VorbisHeaderCheck ReadCodebook() {
    if (Bits(24) != kCodebookSync) return VorbisHeaderCheck::kUnreadable;
    const long dim = Bits(16);
    const long entries = Bits(24);
    if (dim < 0 || entries < 0) return VorbisHeaderCheck::kUnreadable;
    if (BitsFor(static_cast<std::uint64_t>(dim)) + BitsFor(static_cast<std::uint64_t>(entries)) > 24) {
      return VorbisHeaderCheck::kUnreadable;
    }
    VorbisSetupShape::Codebook book;
    book.dim = static_cast<std::uint32_t>(dim);
    book.entries = static_cast<std::uint32_t>(entries);
    // The bounds hold before a single entry is read.
    if (++m_Tally.codebooks > kMaxFileCodebooks) return VorbisHeaderCheck::kTooManyCodebooks;
    const VorbisHeaderCheck counted = Count(book.entries, kMaxCodebookEntries, m_Tally.entries, kMaxFileCodebookEntries);
    if (counted != VorbisHeaderCheck::kReadable) return counted;
    const long used = ReadCodewordLengths(entries);
    if (used < 0) return VorbisHeaderCheck::kUnreadable;
    book.used = static_cast<std::uint32_t>(used);

    const long lookup = Bits(4);
    if (lookup == 1 || lookup == 2) {
      Bits(32);  // the least value
      Bits(32);  // the step between values
      const long valueBits = Bits(4) + 1;
      if (Bits(1) < 0) return VorbisHeaderCheck::kUnreadable;  // the sequence flag
      const std::uint64_t entryCount = book.entries;
      const std::uint64_t dimension = book.dim;
      // The vector of every entry is built when the decoder is set up.
      const VorbisHeaderCheck vectors =
          Count(entryCount * dimension, kMaxCodebookValues, m_Tally.values, kMaxFileCodebookValues);
      if (vectors != VorbisHeaderCheck::kReadable) return vectors;
      const std::uint64_t values = lookup == 1 ? ColumnValues(entryCount, dimension) : entryCount * dimension;
      if ((values * static_cast<std::uint64_t>(valueBits) + 7) / 8 > static_cast<std::uint64_t>(BytesLeft())) {
        return VorbisHeaderCheck::kUnreadable;
      }
      long last = 0;
      for (std::uint64_t i = 0; i < values; ++i) last = Bits(static_cast<int>(valueBits));
      if (last < 0) return VorbisHeaderCheck::kUnreadable;
      book.storedValues = std::max<std::uint64_t>(values, 1);
    } else if (lookup != 0) {
      return VorbisHeaderCheck::kUnreadable;
    }
    m_Shape.codebooks.push_back(book);
    return VorbisHeaderCheck::kReadable;
  }

  // Checks a book's entries or values against the bound of a book, and adds them
  // to the file's, checked against the bound of a file.
  static VorbisHeaderCheck Count(std::uint64_t items, std::uint64_t bookBound, std::uint64_t& fileItems,
                                 std::uint64_t fileBound) {
    if (items > bookBound) return VorbisHeaderCheck::kCodebookTooLarge;
    fileItems += items;
    return fileItems > fileBound ? VorbisHeaderCheck::kTooManyCodebookEntries : VorbisHeaderCheck::kReadable;
  }

  // The entries that have a codeword; -1 when the lengths cannot be read.
  long ReadCodewordLengths(long entries) {
    const long ordered = Bits(1);
    if (ordered == 0) {
      const long sparse = Bits(1);
      if (sparse < 0) return -1;
      if ((entries * (sparse != 0 ? 1 : 5) + 7) / 8 > BytesLeft()) return -1;
      long used = 0;
      for (long i = 0; i < entries; ++i) {
        if (sparse != 0) {
          const long flag = Bits(1);
          if (flag < 0) return -1;
          if (flag == 0) continue;
        }
        if (Bits(5) < 0) return -1;
        ++used;
      }
      return used;
    }
    if (ordered != 1) return -1;
    // Runs of codewords of one length, each length one more than the last.
    long length = Bits(5) + 1;
    if (length == 0) return -1;
    for (long i = 0; i < entries; ++length) {
      const long run = Bits(BitsFor(static_cast<std::uint64_t>(entries - i)));
      if (run < 0 || length > 32 || run > entries - i || (run > 0 && ((run - 1) >> (length - 1)) > 1)) return -1;
      i += run;
    }
    return entries;
  }

  bool ReadAfterCodebooks() {
    const long times = Bits(6) + 1;
    if (times <= 0) return false;
    for (long i = 0; i < times; ++i) {
      if (Bits(16) != 0) return false;  // the only time type
    }
    m_Floors = Bits(6) + 1;
    if (m_Floors <= 0) return false;
    for (long i = 0; i < m_Floors; ++i) {
      const long type = Bits(16);
      if (type == 0 ? !ReadFloor0() : type == 1 ? !ReadFloor1() : true) return false;
    }
    m_Residues = Bits(6) + 1;
    if (m_Residues <= 0) return false;
    for (long i = 0; i < m_Residues; ++i) {
      const long type = Bits(16);
      if (type < 0 || type > 2 || !ReadResidue(type)) return false;
    }
    m_Mappings = Bits(6) + 1;
    if (m_Mappings <= 0) return false;
    for (long i = 0; i < m_Mappings; ++i) {
      if (Bits(16) != 0 || !ReadMapping()) return false;  // the only mapping type
    }
    const long modes = Bits(6) + 1;
    if (modes <= 0) return false;
    for (long i = 0; i < modes; ++i) {
      const long longBlock = Bits(1);
      const long window = Bits(16);
      const long transform = Bits(16);
      const long mapping = Bits(8);
      if (window != 0 || transform != 0 || mapping < 0 || mapping >= m_Mappings) return false;
      m_Shape.modes.push_back({longBlock == 1, static_cast<std::uint32_t>(mapping)});
    }
    return Bits(1) == 1;  // the framing bit
  }

  bool IsBook(long index) const { return index >= 0 && index < static_cast<long>(m_Shape.codebooks.size()); }
  const VorbisSetupShape::Codebook& Book(long index) const { return m_Shape.codebooks[static_cast<std::size_t>(index)]; }
  bool IsValueBook(long index) const { return IsBook(index) && Book(index).storedValues != 0; }

  bool ReadFloor0() {
    const long order = Bits(8);
    const long rate = Bits(16);
    const long barkMap = Bits(16);
    Bits(6);  // amplitude bits
    Bits(8);  // amplitude offset
    const long books = Bits(4) + 1;
    if (order < 1 || rate < 1 || barkMap < 1 || books < 1) return false;
    for (long i = 0; i < books; ++i) {
      const long book = Bits(8);
      if (!IsValueBook(book) || Book(book).dim < 1) return false;
    }
    m_Shape.floors.push_back({.lsp = true,
                              .order = static_cast<std::uint32_t>(order),
                              .bands = static_cast<std::uint32_t>(barkMap)});
    return true;
  }

  bool ReadFloor1() {
    const long partitions = Bits(5);
    std::vector<long> partitionClass;
    long classes = 0;
    for (long i = 0; i < partitions; ++i) {
      const long c = Bits(4);
      if (c < 0) return false;
      partitionClass.push_back(c);
      classes = std::max(classes, c + 1);
    }
    std::vector<long> classDim;
    for (long c = 0; c < classes; ++c) {
      classDim.push_back(Bits(3) + 1);
      const long subclassBits = Bits(2);
      if (subclassBits < 0) return false;
      if (subclassBits != 0 && !IsBook(Bits(8))) return false;
      for (long k = 0; k < (1L << subclassBits); ++k) {
        const long book = Bits(8) - 1;
        if (book != -1 && !IsBook(book)) return false;
      }
    }
    Bits(2);  // the multiplier
    const long rangeBits = Bits(4);
    if (rangeBits < 0) return false;
    std::vector<long> posts{0, 1L << rangeBits};
    for (const long c : partitionClass) {
      for (long k = 0; k < classDim[static_cast<std::size_t>(c)]; ++k) {
        if (static_cast<long>(posts.size()) - 2 >= kMaxFloorPosts) return false;
        const long x = Bits(static_cast<int>(rangeBits));
        if (x < 0 || x >= (1L << rangeBits)) return false;
        posts.push_back(x);
      }
    }
    m_Shape.floors.push_back({.posts = static_cast<std::uint32_t>(posts.size())});
    // Two posts at one place would make a segment of no length.
    std::sort(posts.begin(), posts.end());
    return std::adjacent_find(posts.begin(), posts.end()) == posts.end();
  }

  bool ReadResidue(long type) {
    const long begin = Bits(24);
    const long end = Bits(24);
    const long grouping = Bits(24) + 1;
    const long partitions = Bits(6) + 1;
    const long classBook = Bits(8);
    if (classBook < 0) return false;
    long stages = 0;
    int highestStage = 0;
    for (long i = 0; i < partitions; ++i) {
      long cascade = Bits(3);
      const long more = Bits(1);
      if (more < 0) return false;
      if (more != 0) {
        const long high = Bits(5);
        if (high < 0) return false;
        cascade |= high << 3;
      }
      stages += __builtin_popcountl(static_cast<unsigned long>(cascade));
      highestStage = std::max(highestStage, BitsFor(static_cast<std::uint64_t>(cascade)));
    }
    std::vector<long> stageBooks;
    for (long i = 0; i < stages; ++i) {
      const long book = Bits(8);
      if (book < 0) return false;
      stageBooks.push_back(book);
    }
    if (!IsBook(classBook)) return false;
    // The library decodes a partition of a stage as whole vectors of its book: a
    // partition that holds none, or a part of one, is a shape no encoder writes,
    // and one whose work the library does not bound by the partition.
    bool wholeVectors = true;
    for (const long book : stageBooks) {
      if (!IsValueBook(book)) return false;
      wholeVectors = wholeVectors && Book(book).dim != 0 && grouping % Book(book).dim == 0;
    }
    // The class book must be able to name every combination of partition classes.
    const VorbisSetupShape::Codebook& classes = Book(classBook);
    if (classes.dim < 1) return false;
    std::uint64_t combinations = 1;
    for (std::uint32_t d = 0; d < classes.dim; ++d) {
      combinations *= static_cast<std::uint64_t>(partitions);
      if (combinations > classes.entries) return false;
    }
    m_Shape.residues.push_back({.type = static_cast<int>(type),
                                .begin = static_cast<std::uint32_t>(begin),
                                .end = static_cast<std::uint32_t>(end),
                                .grouping = static_cast<std::uint32_t>(grouping),
                                .classes = static_cast<std::uint32_t>(partitions),
                                .classBook = static_cast<std::uint32_t>(classBook),
                                .stages = highestStage,
                                .wholeVectors = wholeVectors});
    return true;
  }

  bool ReadMapping() {
    if (m_Channels <= 0) return false;
    VorbisSetupShape::Mapping& mapping = m_Shape.mappings.emplace_back();
    mapping.channelSubmap.assign(static_cast<std::size_t>(m_Channels), 0);
    long submaps = 1;
    const long hasSubmaps = Bits(1);
    if (hasSubmaps < 0) return false;
    if (hasSubmaps != 0) submaps = Bits(4) + 1;
    if (submaps <= 0) return false;
    const long coupled = Bits(1);
    if (coupled < 0) return false;
    if (coupled != 0) {
      const long steps = Bits(8) + 1;
      if (steps <= 0) return false;
      mapping.couplingSteps = static_cast<std::uint32_t>(steps);
      const int channelBits = BitsFor(static_cast<std::uint64_t>(m_Channels - 1));
      for (long i = 0; i < steps; ++i) {
        const long magnitude = Bits(channelBits);
        const long angle = Bits(channelBits);
        if (magnitude < 0 || angle < 0 || magnitude == angle || magnitude >= m_Channels || angle >= m_Channels) {
          return false;
        }
      }
    }
    if (Bits(2) != 0) return false;  // reserved
    if (submaps > 1) {
      for (int c = 0; c < m_Channels; ++c) {
        const long submap = Bits(4);
        if (submap < 0 || submap >= submaps) return false;
        mapping.channelSubmap[static_cast<std::size_t>(c)] = static_cast<std::uint32_t>(submap);
      }
    }
    for (long i = 0; i < submaps; ++i) {
      Bits(8);  // unused time submap
      const long floor = Bits(8);
      if (floor < 0 || floor >= m_Floors) return false;
      const long residue = Bits(8);
      if (residue < 0 || residue >= m_Residues) return false;
      mapping.submaps.push_back({static_cast<std::uint32_t>(floor), static_cast<std::uint32_t>(residue)});
    }
    return true;
  }

  oggpack_buffer m_Bits{};
  long m_Bytes;
  int m_Channels;
  SetupTally& m_Tally;
  VorbisSetupShape& m_Shape;
  long m_Floors = 0;
  long m_Residues = 0;
  long m_Mappings = 0;
};

}  // namespace

VorbisHeaderCheck ReadVorbisSetup(const unsigned char* packet, long bytes, int channels, SetupTally& tally,
                                  VorbisSetupShape& shape) {
  shape = {};
  if (packet == nullptr || bytes <= 0 || bytes > INT_MAX) return VorbisHeaderCheck::kUnreadable;
  return SetupReader(packet, bytes, channels, tally, shape).Read();
}

}  // namespace nsZarn::nsSound::nsISoundReader
