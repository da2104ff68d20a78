#include "tests/framework/sound/sound_files.h"

#include <ogg/ogg.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <stdexcept>
#include <utility>

namespace vesk_test {
namespace {

void PutU16(std::string& s, std::uint32_t v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void PutU32(std::string& s, std::uint32_t v) {
  PutU16(s, v & 0xFFFF);
  PutU16(s, v >> 16);
}

void AppendPage(std::string& out, const ogg_page& page) {
  out.append(reinterpret_cast<const char*>(page.header), static_cast<std::size_t>(page.header_len));
  out.append(reinterpret_cast<const char*>(page.body), static_cast<std::size_t>(page.body_len));
}

// A page's bytes as libogg's view of them.
ogg_page View(std::string& page) {
  ogg_page view;
  view.header = reinterpret_cast<unsigned char*>(page.data());
  view.header_len = 27 + static_cast<unsigned char>(page[26]);
  view.body = view.header + view.header_len;
  view.body_len = static_cast<long>(page.size()) - view.header_len;
  return view;
}

std::vector<std::string> PagesOf(const std::string& ogg) {
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  std::copy(ogg.begin(), ogg.end(), ogg_sync_buffer(&sync, static_cast<long>(ogg.size())));
  ogg_sync_wrote(&sync, static_cast<long>(ogg.size()));
  std::vector<std::string> pages;
  ogg_page page;
  while (ogg_sync_pageout(&sync, &page) == 1) AppendPage(pages.emplace_back(), page);
  ogg_sync_clear(&sync);
  return pages;
}

// Rewrites header bytes of the page from `at` (little-endian) and its checksum.
constexpr std::size_t kGranuleAt = 6;
constexpr std::size_t kSerialAt = 14;
constexpr std::size_t kSequenceAt = 18;
void Patch(std::string& page, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) page[at + i] = static_cast<char>(value >> (8 * i));
  ogg_page view = View(page);
  ogg_page_checksum_set(&view);
}

// Writes Vorbis packets bit by bit, least significant bit first: a header after
// its type and "vorbis".
class BitWriter {
 public:
  BitWriter() { oggpack_writeinit(&m_Bits); }
  explicit BitWriter(unsigned char type) : BitWriter() {
    Put(type, 8);
    for (const char letter : {'v', 'o', 'r', 'b', 'i', 's'}) Put(static_cast<unsigned char>(letter), 8);
  }
  BitWriter(const BitWriter&) = delete;
  BitWriter& operator=(const BitWriter&) = delete;
  ~BitWriter() { oggpack_writeclear(&m_Bits); }

  void Put(unsigned long value, int bits) {
    if (bits > 0) oggpack_write(&m_Bits, value, bits);
  }
  void Put(std::initializer_list<std::pair<unsigned long, int>> fields) {
    for (const auto& [value, bits] : fields) Put(value, bits);
  }
  std::string Bytes() {
    return {reinterpret_cast<const char*>(oggpack_get_buffer(&m_Bits)),
            static_cast<std::size_t>(oggpack_bytes(&m_Bits))};
  }

 private:
  oggpack_buffer m_Bits{};
};

int BitsFor(std::uint32_t v) {
  int bits = 0;
  for (; v != 0; v >>= 1) ++bits;
  return bits;
}

// The greatest v whose power `dim` is at most `entries`.
std::uint32_t ColumnValues(std::uint32_t entries, int dim) {
  for (std::uint32_t v = 1;; ++v) {
    std::uint64_t power = 1;
    for (int d = 0; d < dim && power <= entries; ++d) power *= v + 1;
    if (power > entries) return v;
  }
}

std::string SetupWithCodebooks(const CodebookStream& stream) {
  BitWriter setup(5);
  setup.Put(static_cast<unsigned long>(stream.books - 1), 8);
  const int dim = std::max(stream.dimensions, 1);
  for (int i = 0; i < stream.books; ++i) {
    setup.Put(0x564342, 24);
    setup.Put(static_cast<unsigned long>(dim), 16);
    setup.Put(stream.entries, 24);
    setup.Put(1, 1);  // ordered: one run of every entry at the one length
    setup.Put(static_cast<unsigned long>(BitsFor(stream.entries) - 2), 5);
    setup.Put(stream.entries, BitsFor(stream.entries));
    const bool vectors = stream.dimensions > 0 && stream.vectors;
    setup.Put(vectors ? 1 : 0, 4);
    if (vectors) {
      setup.Put(0, 32);  // least value
      setup.Put(0, 32);  // step
      setup.Put(0, 4);   // one bit a value
      setup.Put(0, 1);
      for (std::uint32_t v = ColumnValues(stream.entries, dim); v > 0; --v) setup.Put(0, 1);
    }
  }
  // What follows the books, as (value, bits): one time entry of type 0.
  setup.Put({{0, 6}, {0, 16}});
  // One floor: of type 0 (its order, rate, bark bands, amplitude bits and offset,
  // one book: book 0), or of type 1 with no partitions and posts 4 bits wide.
  if (stream.lspOrder > 0) {
    setup.Put({{0, 6}, {0, 16}, {static_cast<unsigned long>(stream.lspOrder), 8}, {22050, 16}, {65535, 16}, {6, 6},
               {100, 8}, {0, 4}, {0, 8}});
  } else {
    setup.Put({{0, 6}, {1, 16}, {0, 5}, {0, 2}, {4, 4}});
  }
  // Residues of type 0 classified by book 0, every class's stages coded with book 0.
  setup.Put(static_cast<unsigned long>(stream.residues - 1), 6);
  const unsigned long cascade = (1ul << stream.residueStages) - 1;
  for (int i = 0; i < stream.residues; ++i) {
    setup.Put({{0, 16}, {0, 24}, {stream.residueEnd, 24}, {stream.residuePartition - 1, 24},
               {static_cast<unsigned long>(stream.residueClasses - 1), 6}, {0, 8}});
    for (int c = 0; c < stream.residueClasses; ++c) {
      setup.Put({{cascade & 7, 3}, {cascade > 7 ? 1u : 0u, 1}});
      if (cascade > 7) setup.Put(cascade >> 3, 5);
    }
    for (int c = 0; c < stream.residueClasses; ++c) {
      for (int stage = 0; stage < stream.residueStages; ++stage) setup.Put(0, 8);
    }
  }
  // One mapping of one submap (floor 0, residue 0), coupled when asked.
  setup.Put({{0, 6}, {0, 16}, {0, 1}, {stream.couplingSteps > 0 ? 1u : 0u, 1}});
  if (stream.couplingSteps > 0) {
    setup.Put(static_cast<unsigned long>(stream.couplingSteps - 1), 8);
    for (int i = 0; i < stream.couplingSteps; ++i) setup.Put({{0, 1}, {1, 1}});  // magnitude 0, angle 1
  }
  setup.Put({{0, 2}, {0, 8}, {0, 8}, {0, 8}});
  // One mode; the framing bit.
  setup.Put({{0, 6}, {stream.longBlocks ? 1u : 0u, 1}, {0, 16}, {0, 16}, {0, 8}, {1, 1}});
  return setup.Bytes();
}

// An audio packet of the stream's one mode: silence, every channel's floor unused
// (or, when asked, a flat floor 1 and the residue's first class words), or with a
// floor 0 a curve of book 0's first entry.
std::string SilentPacket(const CodebookStream& stream) {
  BitWriter packet;
  packet.Put(0, 1);  // audio
  if (stream.longBlocks) packet.Put({{1, 1}, {1, 1}});  // long windows on both sides
  for (int c = 0; c < stream.channels; ++c) {
    if (stream.lspOrder == 0) {
      // Unused, or a flat curve of the floor's two posts.
      if (stream.usedFloor) {
        packet.Put({{1, 1}, {0, 8}, {0, 8}});
      } else {
        packet.Put(0, 1);
      }
      continue;
    }
    packet.Put({{63, 6}, {0, 1}});  // the amplitude, book 0
    const int dim = std::max(stream.dimensions, 1);
    for (int i = 0; i < (stream.lspOrder + dim - 1) / dim; ++i) packet.Put(0, BitsFor(stream.entries) - 1);
  }
  // The residue's first class word of each channel: book 0's first entry.
  if (stream.usedFloor) {
    for (int c = 0; c < stream.channels; ++c) packet.Put(0, BitsFor(stream.entries) - 1);
  }
  std::string bytes = packet.Bytes();
  if (bytes.empty()) bytes.push_back('\0');
  return bytes;
}

}  // namespace

std::string MakeWav(const platform::PcmFormat& format, const std::string& data, const WavLayout& layout) {
  std::string body = "WAVE";
  body += "fmt ";
  PutU32(body, layout.formatChunkSize);
  PutU16(body, format.formatTag);
  PutU16(body, format.channels);
  PutU32(body, format.samplesPerSec);
  PutU32(body, format.avgBytesPerSec);
  PutU16(body, format.blockAlign);
  PutU16(body, format.bitsPerSample);
  body.append(layout.formatChunkSize - 16, '\0');
  for (std::uint32_t i = 0; i < layout.emptyChunksBeforeData; ++i) body.append("JUNK\0\0\0\0", 8);
  for (const WavChunk& chunk : layout.chunksBeforeData) {
    body += chunk.tag;
    PutU32(body, static_cast<std::uint32_t>(chunk.payload.size()));
    body += chunk.payload;
    if (chunk.payload.size() % 2 != 0) body.push_back('\0');
  }
  if (layout.withDataChunk) {
    body += "data";
    PutU32(body, layout.overrideDataSize ? layout.dataSize : static_cast<std::uint32_t>(data.size()));
    body += data;
  }
  std::string file = "RIFF";
  PutU32(file, static_cast<std::uint32_t>(body.size()));
  return file + body;
}

std::string RampFrames(std::uint32_t frames) {
  std::string data;
  for (std::uint32_t f = 0; f < frames; ++f) {
    const std::int16_t v = RampValue(f);
    PutU16(data, static_cast<std::uint16_t>(v));
    PutU16(data, static_cast<std::uint16_t>(-v));
  }
  return data;
}

std::string MakeOggTone(int channels, long rate, std::uint32_t frames) {
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, channels, rate, 0.3f) != 0) throw std::runtime_error("vorbis_encode_init_vbr");
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block block;
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 20261209);

  std::string out;
  ogg_packet header;
  ogg_packet headerComment;
  ogg_packet headerCode;
  vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &headerComment);
  ogg_stream_packetin(&stream, &headerCode);
  ogg_page page;
  while (ogg_stream_flush(&stream, &page) != 0) AppendPage(out, page);

  auto drain = [&] {
    ogg_packet packet;
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
        ogg_stream_packetin(&stream, &packet);
        while (ogg_stream_pageout(&stream, &page) != 0) AppendPage(out, page);
      }
    }
  };
  std::uint32_t written = 0;
  while (written < frames) {
    const int n = static_cast<int>(std::min<std::uint32_t>(1024, frames - written));
    float** buffer = vorbis_analysis_buffer(&dsp, n);
    for (int i = 0; i < n; ++i) {
      const double t = static_cast<double>(written + static_cast<std::uint32_t>(i)) / static_cast<double>(rate);
      const auto v = static_cast<float>(0.5 * std::sin(2.0 * M_PI * 440.0 * t));
      for (int c = 0; c < channels; ++c) buffer[c][i] = v;
    }
    vorbis_analysis_wrote(&dsp, n);
    written += static_cast<std::uint32_t>(n);
    drain();
  }
  vorbis_analysis_wrote(&dsp, 0);
  drain();
  while (ogg_stream_flush(&stream, &page) != 0) AppendPage(out, page);

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}

std::string WithOggSerial(const std::string& ogg, std::uint32_t serial) {
  std::string out;
  for (std::string& page : PagesOf(ogg)) {
    Patch(page, kSerialAt, serial);
    out += page;
  }
  return out;
}

std::string WithLongComment(const std::string& ogg, std::size_t bytes) {
  // Type 3, "vorbis", a vendor, one comment of the rest, the framing bit.
  std::string comment = "\x03vorbis";
  PutU32(comment, 0);
  PutU32(comment, 1);
  PutU32(comment, static_cast<std::uint32_t>(bytes - 20));
  comment += "C=" + std::string(bytes - 22, 'x') + "\x01";
  return WithCommentHeader(ogg, comment);
}

std::string WithCommentHeader(const std::string& ogg, const std::string& comment) {
  std::vector<std::string> pages = PagesOf(ogg);
  ogg_page page = View(pages.at(0));
  ogg_stream_state stream;
  ogg_stream_init(&stream, ogg_page_serialno(&page));
  // The header pages are those before the first page with a granule position.
  std::size_t headerPages = 0;
  std::vector<std::string> headers;
  for (; ogg_page_granulepos(&page) == 0; page = View(pages.at(++headerPages))) {
    ogg_stream_pagein(&stream, &page);
    for (ogg_packet packet; ogg_stream_packetout(&stream, &packet) == 1;) {
      headers.emplace_back(reinterpret_cast<const char*>(packet.packet), static_cast<std::size_t>(packet.bytes));
    }
  }
  headers.at(1) = comment;
  ogg_stream_reset(&stream);
  std::string out;
  for (std::string& header : headers) {
    ogg_packet packet{};
    packet.packet = reinterpret_cast<unsigned char*>(header.data());
    packet.bytes = static_cast<long>(header.size());
    packet.b_o_s = &header == &headers.front() ? 1 : 0;
    ogg_stream_packetin(&stream, &packet);
    while (ogg_stream_flush(&stream, &page) != 0) AppendPage(out, page);
  }
  // The audio pages, numbered on from the new header pages.
  auto sequence = static_cast<std::uint32_t>(stream.pageno);
  ogg_stream_clear(&stream);
  for (std::size_t i = headerPages; i < pages.size(); ++i) {
    Patch(pages[i], kSequenceAt, sequence++);
    out += pages[i];
  }
  return out;
}

std::string ForeignOggPage(std::uint32_t serial, const std::string& body) {
  // Version 0, first and last page of its stream, the body's segments.
  std::string page("OggS\0\x06", 6);
  page.append(20, '\0');
  std::string lacing(body.size() / 255, '\xFF');
  lacing.push_back(static_cast<char>(body.size() % 255));
  page += static_cast<char>(lacing.size());
  page += lacing + body;
  Patch(page, kSerialAt, serial);
  return page;
}

}  // namespace vesk_test

namespace vesk_test {

std::string MakeOggWithCodebooks(const CodebookStream& stream) {
  BitWriter identification(1);
  identification.Put(0, 32);
  identification.Put(static_cast<unsigned long>(stream.channels), 8);
  identification.Put(22050, 32);
  for (int i = 0; i < 3; ++i) identification.Put(0, 32);
  identification.Put(8, 4);   // short blocks of 256 samples
  identification.Put(11, 4);  // long blocks of 2048
  identification.Put(1, 1);
  BitWriter comment(3);
  comment.Put(0, 32);  // no vendor
  comment.Put(0, 32);  // no comments
  comment.Put(1, 1);
  std::string headers[] = {identification.Bytes(), comment.Bytes(), SetupWithCodebooks(stream)};

  ogg_stream_state out;
  ogg_stream_init(&out, static_cast<int>(stream.serial));
  std::string file;
  ogg_page page;
  ogg_packet packet{};
  for (std::string& header : headers) {
    packet.packet = reinterpret_cast<unsigned char*>(header.data());
    packet.bytes = static_cast<long>(header.size());
    packet.b_o_s = packet.packetno == 0 ? 1 : 0;
    ogg_stream_packetin(&out, &packet);
    if (packet.packetno == 0 || packet.packetno == 2) {
      while (ogg_stream_flush(&out, &page) != 0) AppendPage(file, page);
    }
    ++packet.packetno;
  }
  // Each packet yields a half block after the first.
  std::string silence = SilentPacket(stream);
  const std::int64_t samples = stream.longBlocks ? 1024 : 128;
  for (int i = 0; i < stream.silentPackets; ++i) {
    packet.packet = reinterpret_cast<unsigned char*>(silence.data());
    packet.bytes = static_cast<long>(silence.size());
    packet.b_o_s = 0;
    packet.e_o_s = i + 1 == stream.silentPackets ? 1 : 0;
    packet.granulepos = std::min(samples * i, stream.statedSamples);
    ogg_stream_packetin(&out, &packet);
    ++packet.packetno;
    while (ogg_stream_pageout(&out, &page) != 0) AppendPage(file, page);
  }
  while (ogg_stream_flush(&out, &page) != 0) AppendPage(file, page);
  ogg_stream_clear(&out);
  return file;
}

std::string FirstOggPages(const std::string& ogg, std::size_t count) {
  std::string out;
  const std::vector<std::string> pages = PagesOf(ogg);
  for (std::size_t i = 0; i < count && i < pages.size(); ++i) out += pages[i];
  return out;
}

std::string LastOggPage(const std::string& ogg) { return PagesOf(ogg).back(); }

std::string WithLastGranule(const std::string& ogg, std::int64_t granule, std::size_t pagesBefore) {
  std::vector<std::string> pages = PagesOf(ogg);
  std::string& last = pages.at(pages.size() - 1 - pagesBefore);
  Patch(last, kGranuleAt, static_cast<std::uint32_t>(granule));
  Patch(last, kGranuleAt + 4, static_cast<std::uint32_t>(static_cast<std::uint64_t>(granule) >> 32));
  std::string out;
  for (const std::string& page : pages) out += page;
  return out;
}

}  // namespace vesk_test
