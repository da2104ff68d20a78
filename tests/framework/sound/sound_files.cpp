#include "tests/framework/sound/sound_files.h"

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <stdexcept>

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

}  // namespace vesk_test
