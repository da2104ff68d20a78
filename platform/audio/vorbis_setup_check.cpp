#include "platform/audio/vorbis_setup_check.h"

#include <ogg/ogg.h>

#include <cstdint>
#include <cstring>

namespace platform {
namespace {

// Stops looking for the setup header after this much of the file.
constexpr std::size_t kMaxBytesRead = 4u << 20;
constexpr int kSetupPacketIndex = 2;  // identification, comment, setup

int BitsToStore(std::uint32_t value) {
  int bits = 0;
  for (; value != 0; value >>= 1) ++bits;
  return bits;
}

// The greatest r with r^dimensions <= entries.
std::int64_t Lookup1Values(std::int64_t entries, std::int64_t dimensions) {
  std::int64_t r = 0;
  for (;;) {
    std::int64_t power = 1;
    for (std::int64_t i = 0; i < dimensions && power <= entries; ++i) power *= r + 1;
    if (power > entries) return r;
    ++r;
  }
}

enum class Codebook { kFine, kUndecodable, kUnreadable };

// The code lengths of a codebook's entries must make a complete prefix code (the
// sum of 2^-length over the used entries is 1), the library's own later test;
// a single used entry of length 1 is the one exception it allows.
class CodeLengths {
 public:
  void Add(long length, long count) {
    m_Used += count;
    m_Last = length;
    m_Sum += static_cast<std::uint64_t>(count) << (32 - length);
  }
  bool MakeACode() const {
    if (m_Used == 0) return true;
    if (m_Used == 1) return m_Last == 1;
    return m_Sum == kWhole;
  }

 private:
  static constexpr std::uint64_t kWhole = std::uint64_t{1} << 32;
  std::uint64_t m_Sum = 0;
  long m_Used = 0;
  long m_Last = 0;
};

// Reads one codebook; its bits are skipped so that the next one can be read.
Codebook ReadCodebook(oggpack_buffer& bits) {
  if (oggpack_read(&bits, 24) != 0x564342) return Codebook::kUnreadable;
  const long dimensions = oggpack_read(&bits, 16);
  const long entries = oggpack_read(&bits, 24);
  if (dimensions < 0 || entries < 0) return Codebook::kUnreadable;
  if (dimensions == 0) return Codebook::kUndecodable;
  CodeLengths lengths;
  const long ordered = oggpack_read(&bits, 1);
  if (ordered == 0) {
    const long sparse = oggpack_read(&bits, 1);
    for (long i = 0; i < entries; ++i) {
      const long used = sparse == 1 ? oggpack_read(&bits, 1) : 1;
      if (used == 0) continue;
      const long length = oggpack_read(&bits, 5);
      if (used < 0 || length < 0) return Codebook::kUnreadable;
      lengths.Add(length + 1, 1);
    }
  } else if (ordered == 1) {
    long length = oggpack_read(&bits, 5) + 1;
    if (length == 0) return Codebook::kUnreadable;
    for (long current = 0; current < entries; ++length) {
      const long number =
          oggpack_read(&bits, BitsToStore(static_cast<std::uint32_t>(entries - current)));
      if (number < 0 || length > 32 || current + number > entries) return Codebook::kUnreadable;
      lengths.Add(length, number);
      current += number;
    }
  } else {
    return Codebook::kUnreadable;
  }
  if (!lengths.MakeACode()) return Codebook::kUndecodable;
  const long lookupType = oggpack_read(&bits, 4);
  if (lookupType == 0) return Codebook::kFine;
  if (lookupType != 1 && lookupType != 2) return Codebook::kUnreadable;
  oggpack_read(&bits, 32);
  oggpack_read(&bits, 32);
  const long valueBits = oggpack_read(&bits, 4) + 1;
  if (oggpack_read(&bits, 1) < 0) return Codebook::kUnreadable;
  const std::int64_t values =
      lookupType == 1 ? Lookup1Values(entries, dimensions) : std::int64_t{entries} * dimensions;
  const std::int64_t skip = values * valueBits;
  const std::int64_t left = (std::int64_t{bits.storage} - oggpack_bytes(&bits)) * 8;
  if (skip > left) return Codebook::kUnreadable;
  oggpack_adv(&bits, static_cast<int>(skip));
  return Codebook::kFine;
}

bool SetupPacketIsDecodable(ogg_packet& packet) {
  oggpack_buffer bits;
  oggpack_readinit(&bits, packet.packet, static_cast<int>(packet.bytes));
  char tag[7] = {};
  for (char& c : tag) c = static_cast<char>(oggpack_read(&bits, 8));
  if (tag[0] != 5 || std::memcmp(tag + 1, "vorbis", 6) != 0) return true;
  const long count = oggpack_read(&bits, 8) + 1;
  for (long i = 0; i < count; ++i) {
    const Codebook book = ReadCodebook(bits);
    if (book == Codebook::kUndecodable) return false;
    if (book == Codebook::kUnreadable) return true;
  }
  return true;
}

class OggPackets {
 public:
  OggPackets() { ogg_sync_init(&m_Sync); }
  ~OggPackets() {
    if (m_HasStream) ogg_stream_clear(&m_Stream);
    ogg_sync_clear(&m_Sync);
  }
  OggPackets(const OggPackets&) = delete;
  OggPackets& operator=(const OggPackets&) = delete;

  // The first logical stream's packet of that index; false when the file ends first.
  bool Find(int index, const std::function<std::size_t(void*, std::size_t)>& read, ogg_packet& found) {
    int seen = 0;
    std::size_t total = 0;
    while (total < kMaxBytesRead) {
      ogg_page page;
      while (ogg_sync_pageout(&m_Sync, &page) == 1) {
        if (!m_HasStream) {
          ogg_stream_init(&m_Stream, ogg_page_serialno(&page));
          m_HasStream = true;
        }
        if (ogg_stream_pagein(&m_Stream, &page) != 0) continue;
        int got = 0;
        while ((got = ogg_stream_packetout(&m_Stream, &found)) != 0) {
          if (got < 0) continue;  // a gap in the stream
          if (seen++ == index) return true;
        }
      }
      constexpr std::size_t kChunk = 4096;
      char* buffer = ogg_sync_buffer(&m_Sync, static_cast<long>(kChunk));
      if (buffer == nullptr) return false;
      const std::size_t n = read(buffer, kChunk);
      if (n == 0 || n > kChunk) return false;
      ogg_sync_wrote(&m_Sync, static_cast<long>(n));
      total += n;
    }
    return false;
  }

 private:
  ogg_sync_state m_Sync{};
  ogg_stream_state m_Stream{};
  bool m_HasStream = false;
};

}  // namespace

bool VorbisCodebooksAreDecodable(const std::function<std::size_t(void* buffer, std::size_t bytes)>& read) {
  OggPackets packets;
  ogg_packet setup;
  if (!packets.Find(kSetupPacketIndex, read, setup)) return true;
  return SetupPacketIsDecodable(setup);
}

}  // namespace platform
