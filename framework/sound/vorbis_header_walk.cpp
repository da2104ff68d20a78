#include "framework/sound/vorbis_header_walk.h"

#include <ogg/ogg.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "framework/sound/vorbis_setup_cost.h"
#include "platform/work/work_meter.h"

namespace nsZarn::nsSound::nsISoundReader {
namespace {

using nsFile::nsFileReader::IFileReader;

constexpr long kChunkBytes = 1L << 16;
constexpr char kCapture[] = "OggS";
constexpr std::size_t kCaptureBytes = 4;
constexpr long kMaxPageBytes = 27 + 255 + 255 * 255;
// Capture patterns that begin no page are rare in real files: one inside a page in
// some thousands of files of several megabytes, one more for each damaged page.
// Each one inside a page is checked by reading a page's length there; the sync
// checks each one outside (a checksum over up to a page's length).
constexpr std::size_t kMaxMisfitCaptures = 16;
// The bytes a string of a header is passed over by at a time.
constexpr long kSkipStep = 1L << 20;

enum HeaderType : unsigned char { kIdentification = 1, kComment = 3, kSetup = 5 };

bool IsHeader(const ogg_packet& packet, HeaderType type) {
  return packet.bytes >= 7 && packet.packet[0] == type && std::memcmp(packet.packet + 1, "vorbis", 6) == 0;
}

// The channels and block sizes of a valid identification header, as the library
// reads it; no channels for a header the library refuses.
VorbisStreamFormat FormatOf(const ogg_packet& packet) {
  oggpack_buffer bits;
  oggpack_readinit(&bits, packet.packet, static_cast<int>(std::min<long>(packet.bytes, 64)));
  oggpack_adv(&bits, 7 * 8);
  const long version = oggpack_read(&bits, 32);
  const long channels = oggpack_read(&bits, 8);
  const long rate = oggpack_read(&bits, 32);
  for (int i = 0; i < 3; ++i) oggpack_read(&bits, 32);  // bit rates
  const long shortBlock = oggpack_read(&bits, 4);
  const long longBlock = oggpack_read(&bits, 4);
  const bool valid = version == 0 && channels >= 1 && rate >= 1 && shortBlock >= 6 && longBlock >= shortBlock &&
                     longBlock <= 13 && oggpack_read(&bits, 1) == 1;
  if (!valid) return {};
  return {static_cast<int>(channels), 1u << shortBlock, 1u << longBlock};
}

// Whether the library reads the comment header to its end, by its own tests: the
// vendor string and every comment within the packet, then the framing bit. The
// strings are passed over in steps, as the bit reader counts in int bits.
bool IsReadableComment(const ogg_packet& packet) {
  oggpack_buffer bits;
  oggpack_readinit(&bits, packet.packet, static_cast<int>(packet.bytes));
  const long storage = bits.storage;
  const auto skip = [&bits](long bytes) {
    for (; bytes > 0; bytes -= kSkipStep) oggpack_adv(&bits, static_cast<int>(std::min(bytes, kSkipStep) * 8));
  };
  skip(7);  // the type and "vorbis"
  const long vendor = oggpack_read(&bits, 32);
  if (vendor < 0 || vendor > storage - 8) return false;
  skip(vendor);
  const long comments = oggpack_read(&bits, 32);
  if (comments < 0 || comments > (storage - oggpack_bytes(&bits)) / 4) return false;
  for (long i = 0; i < comments; ++i) {
    const long length = oggpack_read(&bits, 32);
    if (length < 0 || length > storage - oggpack_bytes(&bits)) return false;
    skip(length);
  }
  return oggpack_read(&bits, 1) == 1;
}

// A Vorbis stream whose headers are still being read.
struct PendingStream {
  ogg_stream_state state{};
  int headers = 0;  // headers read
  VorbisStreamFormat format;
};

class HeaderWalk {
 public:
  explicit HeaderWalk(IFileReader& file) : m_File(file) { ogg_sync_init(&m_Sync); }
  HeaderWalk(const HeaderWalk&) = delete;
  HeaderWalk& operator=(const HeaderWalk&) = delete;
  ~HeaderWalk() {
    for (auto& entry : m_Streams) ogg_stream_clear(&entry.second.state);
    ogg_sync_clear(&m_Sync);
  }

  VorbisHeaderCheck Run() {
    if (!m_File.fseek(0, SEEK_SET)) return VorbisHeaderCheck::kUnreadable;
    for (;;) {
      char* buffer = ogg_sync_buffer(&m_Sync, kChunkBytes);
      if (buffer == nullptr) return VorbisHeaderCheck::kUnreadable;
      if (platform::CheckLoadWork() != platform::WorkVerdict::kGoOn) return VorbisHeaderCheck::kStopped;
      const std::size_t got = m_File.fread(buffer, 1, kChunkBytes);
      if (got == 0) break;
      NoteCaptures(reinterpret_cast<const unsigned char*>(buffer), got);
      ogg_sync_wrote(&m_Sync, static_cast<long>(got));
      const VorbisHeaderCheck pages = TakePages();
      if (pages != VorbisHeaderCheck::kReadable) return pages;
    }
    // Past the last whole page only the start of one cut short may lie.
    PassCaptures(m_SyncAt, m_ReadAt, true);
    if (m_Misfits > kMaxMisfitCaptures) return VorbisHeaderCheck::kUnreadable;
    if (!m_Streams.empty()) return VorbisHeaderCheck::kUnreadable;  // headers cut short
    if (m_InLinkStart && !m_LinkHasVorbis) return VorbisHeaderCheck::kUnreadable;
    for (const std::int64_t at : m_Strays) {
      if (IsPageAt(at)) return VorbisHeaderCheck::kUnreadable;
    }
    return VorbisHeaderCheck::kReadable;
  }

  std::vector<VorbisStreamEnd>& Ends() { return m_Ends; }

 private:
  // Notes where the capture pattern begins in the bytes just read, also across the
  // end of the bytes read before.
  void NoteCaptures(const unsigned char* bytes, std::size_t count) {
    std::vector<unsigned char> seam(m_Tail.begin(), m_Tail.end());
    seam.insert(seam.end(), bytes, bytes + std::min(count, kCaptureBytes - 1));
    for (std::size_t i = 0; i + kCaptureBytes <= seam.size() && i < m_Tail.size(); ++i) {
      if (std::memcmp(&seam[i], kCapture, kCaptureBytes) == 0) {
        m_Captures.push_back(m_ReadAt - static_cast<std::int64_t>(m_Tail.size() - i));
      }
    }
    for (std::size_t i = 0; i + kCaptureBytes <= count; ++i) {
      const void* found = std::memchr(bytes + i, 'O', count - i - (kCaptureBytes - 1));
      if (found == nullptr) break;
      i = static_cast<std::size_t>(static_cast<const unsigned char*>(found) - bytes);
      if (std::memcmp(bytes + i, kCapture, kCaptureBytes) == 0) {
        m_Captures.push_back(m_ReadAt + static_cast<std::int64_t>(i));
      }
    }
    m_Tail.insert(m_Tail.end(), bytes + count - std::min(count, kCaptureBytes - 1), bytes + count);
    if (m_Tail.size() > kCaptureBytes - 1) m_Tail.erase(m_Tail.begin(), m_Tail.end() - (kCaptureBytes - 1));
    m_ReadAt += static_cast<std::int64_t>(count);
  }

  // The sync has examined [from, to), a page when `page`, else bytes it skipped: a
  // capture pattern at `from` begins the page, or was refused by the sync; any
  // other one lies inside the page, where the sync never looked.
  void PassCaptures(std::int64_t from, std::int64_t to, bool page) {
    while (!m_Captures.empty() && m_Captures.front() < to) {
      const std::int64_t at = m_Captures.front();
      m_Captures.pop_front();
      if (at == from && page) continue;
      ++m_Misfits;
      if (at != from) m_Strays.push_back(at);
    }
  }

  VorbisHeaderCheck TakePages() {
    for (;;) {
      ogg_page page;
      const long taken = ogg_sync_pageseek(&m_Sync, &page);
      if (taken == 0) return VorbisHeaderCheck::kReadable;
      const std::int64_t length = taken < 0 ? -static_cast<std::int64_t>(taken) : taken;
      PassCaptures(m_SyncAt, m_SyncAt + length, taken > 0);
      m_SyncAt += length;
      if (m_Misfits > kMaxMisfitCaptures) return VorbisHeaderCheck::kUnreadable;
      if (taken > 0) {
        const VorbisHeaderCheck check = OnPage(page);
        if (check != VorbisHeaderCheck::kReadable) return check;
      }
    }
  }

  VorbisHeaderCheck OnPage(ogg_page& page) {
    const long serial = ogg_page_serialno(&page);
    auto pending = m_Streams.find(serial);
    const bool begins = ogg_page_bos(&page) != 0;
    // The pages that begin streams, one after another, begin a link; the library
    // fails to open a file with a link that holds no Vorbis stream.
    if (begins && !m_InLinkStart) {
      // The library finds where a link's samples begin from the first page of its
      // Vorbis stream after the headers that states a position; a link followed by
      // another without one makes it read into the next link and fail to open the
      // file (a link of no audio is shorter than any link may be).
      if (m_LinkHasVorbis && !m_LinkAudioPlaced) return VorbisHeaderCheck::kLinkTooShort;
      m_LinkHasVorbis = false;
      m_LinkAudioPlaced = false;
      m_LinkSerials.clear();
      m_LinkPositions.clear();
      m_LinkEnds.clear();
    }
    if (!begins && m_InLinkStart && !m_LinkHasVorbis) return VorbisHeaderCheck::kUnreadable;
    m_InLinkStart = begins;
    // The library tells the links apart by their streams' serial numbers: it would
    // take a page of no stream of the current link for the start of another link.
    if (!begins && !m_LinkSerials.contains(serial)) return VorbisHeaderCheck::kUnreadable;
    const std::int64_t position = ogg_page_granulepos(&page);
    if (!IsInOrder(serial, position)) return VorbisHeaderCheck::kPositionsOutOfOrder;
    if (const auto end = m_LinkEnds.find(serial); end != m_LinkEnds.end()) {
      VorbisStreamEnd& stated = m_Ends[end->second];
      stated.endsUnstated = position == -1;
      if (position != -1) stated.lastPosition = position;
    }
    if (begins) {
      m_LinkSerials.insert(serial);
      // A stream begun again under the number of one still reading its headers.
      if (pending != m_Streams.end()) return VorbisHeaderCheck::kUnreadable;
      // Reset as the library resets its stream: a first page of any sequence
      // number then yields its packet, with no gap before it.
      ogg_stream_state state;
      ogg_stream_init(&state, static_cast<int>(serial));
      ogg_stream_reset(&state);
      ogg_stream_pagein(&state, &page);
      ogg_packet first;
      // The library takes a stream as Vorbis only when its first page holds a
      // whole identification header.
      if (ogg_stream_packetout(&state, &first) != 1 || !IsHeader(first, kIdentification)) {
        ogg_stream_clear(&state);
        return VorbisHeaderCheck::kReadable;
      }
      const VorbisStreamFormat format = FormatOf(first);
      if (format.channels == 0) {
        ogg_stream_clear(&state);
        return VorbisHeaderCheck::kUnreadable;
      }
      if (!m_LinkHasVorbis) m_LinkVorbis = serial;
      m_LinkHasVorbis = true;
      if (++m_Links > kMaxVorbisLinks) {
        ogg_stream_clear(&state);
        return VorbisHeaderCheck::kTooManyLinks;
      }
      pending = m_Streams.emplace(serial, PendingStream{state, 1, format}).first;
      m_LinkEnds.emplace(serial, m_Ends.size());
      m_Ends.emplace_back();
    } else {
      if (pending == m_Streams.end()) {  // not Vorbis, or past its headers
        if (serial == m_LinkVorbis && position >= 0) m_LinkAudioPlaced = true;
        return VorbisHeaderCheck::kReadable;
      }
      ogg_stream_pagein(&pending->second.state, &page);
    }
    return ReadHeaders(pending);
  }

  VorbisHeaderCheck ReadHeaders(std::map<long, PendingStream>::iterator pending) {
    PendingStream& stream = pending->second;
    ogg_packet packet;
    for (int got; (got = ogg_stream_packetout(&stream.state, &packet)) != 0;) {
      if (got < 0) return VorbisHeaderCheck::kUnreadable;  // a page missing inside the headers
      if (++stream.headers == 2) {
        if (!IsHeader(packet, kComment) || !IsReadableComment(packet)) return VorbisHeaderCheck::kUnreadable;
        continue;
      }
      if (!IsHeader(packet, kSetup)) return VorbisHeaderCheck::kUnreadable;
      VorbisSetupShape shape;
      VorbisHeaderCheck setup = ReadVorbisSetup(packet.packet, packet.bytes, stream.format.channels, m_Tally, shape);
      if (setup == VorbisHeaderCheck::kReadable) setup = Budget(CostOfVorbisLink(stream.format, shape));
      ogg_stream_clear(&stream.state);
      m_Streams.erase(pending);
      return setup;
    }
    return VorbisHeaderCheck::kReadable;
  }

  // The library finds a sample by bisecting a link's pages on their granule
  // positions, and loops for ever on positions that go back. A stream's positions
  // never do (-1 marks a page on which no packet ends); none is negative.
  bool IsInOrder(long serial, std::int64_t position) {
    if (position == -1) return true;
    if (position < 0) return false;
    const auto [last, first] = m_LinkPositions.try_emplace(serial, position);
    if (first) return true;
    if (position < last->second) return false;
    last->second = position;
    return true;
  }

  // Adds a link's set-up to the file's, against the budgets.
  VorbisHeaderCheck Budget(const VorbisLinkCost& link) {
    m_SetupBytes += link.bookBytes + link.decoderBytes;
    if (link.packetWork > kMaxPacketWork) return VorbisHeaderCheck::kPacketTooCostly;
    const bool within = link.sampleWork <= kMaxSampleWork && link.decoderBytes <= kMaxLinkDecoderBytes &&
                        m_SetupBytes <= kMaxFileSetupBytes;
    return within ? VorbisHeaderCheck::kReadable : VorbisHeaderCheck::kSetupTooCostly;
  }

  // Whether a whole page with a good checksum begins at the offset.
  bool IsPageAt(std::int64_t at) {
    if (!m_File.fseek(at, SEEK_SET)) return true;
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* buffer = ogg_sync_buffer(&sync, kMaxPageBytes);
    const std::size_t got = buffer != nullptr ? m_File.fread(buffer, 1, kMaxPageBytes) : 0;
    ogg_sync_wrote(&sync, static_cast<long>(got));
    ogg_page page;
    const bool whole = ogg_sync_pageseek(&sync, &page) > 0;
    ogg_sync_clear(&sync);
    return whole;
  }

  IFileReader& m_File;
  ogg_sync_state m_Sync{};
  std::map<long, PendingStream> m_Streams;
  std::uint32_t m_Links = 0;
  bool m_InLinkStart = false;    // the last page began a stream
  bool m_LinkHasVorbis = false;  // a Vorbis stream begins in the current link
  long m_LinkVorbis = 0;         // the first of them, which the library decodes
  bool m_LinkAudioPlaced = false;  // a page of it after its headers states a position
  std::set<long> m_LinkSerials;  // the streams the current link began
  std::map<long, std::int64_t> m_LinkPositions;  // the last granule position of each
  std::map<long, std::size_t> m_LinkEnds;        // the Vorbis streams it began, by their index in m_Ends
  std::vector<VorbisStreamEnd> m_Ends;
  SetupTally m_Tally;
  std::uint64_t m_SetupBytes = 0;  // of every link's tables
  std::int64_t m_ReadAt = 0;  // bytes read from the file
  std::int64_t m_SyncAt = 0;  // bytes the sync has examined
  std::vector<unsigned char> m_Tail;      // the last bytes read, for a pattern across reads
  std::deque<std::int64_t> m_Captures;    // capture patterns the sync has not reached yet
  std::vector<std::int64_t> m_Strays;     // capture patterns inside pages or after the last
  std::size_t m_Misfits = 0;              // capture patterns that begin no page
};

}  // namespace

VorbisHeaderCheck WalkVorbisHeaders(IFileReader& file, std::vector<VorbisStreamEnd>* ends) {
  HeaderWalk walk(file);
  const VorbisHeaderCheck check = walk.Run();
  if (ends != nullptr) *ends = std::move(walk.Ends());
  return check;
}

}  // namespace nsZarn::nsSound::nsISoundReader
