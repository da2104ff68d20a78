// Writes the sound inputs too large for the fuzzer (it makes none over 1 MB, and its
// driver reads only the first megabyte of a corpus file) into a folder, for the
// Ogg, WAVE, music and effect harnesses to replay whole:
//  - a chain of as many links as a file may have, each with a comment of 160 KB
//    (cover art), that plays;
//  - a chain of 1,000 small links, refused after as many as a file may have;
//  - the chain of many links whose last link is cut short in its headers;
//  - 600,000 packets of silence whose last page states 100 samples, refused after
//    decoding no more than an honest file of that length;
//  - a WAVE file of 12.5 million empty chunks before its samples (100 MB), refused
//    after as many chunks as a file may have.
//   large_sound_inputs <folder>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/sound/vorbis_setup_reader.h"
#include "tests/framework/sound/sound_files.h"

namespace {

constexpr std::size_t kAflLargest = 1 << 20;

bool Write(const std::filesystem::path& path, const std::string& bytes) {
  if (bytes.size() <= kAflLargest) {
    std::fprintf(stderr, "%s: %zu bytes, not larger than the fuzzer's inputs\n", path.c_str(), bytes.size());
    return false;
  }
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: large_sound_inputs <folder>\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  using nsZarn::nsSound::nsISoundReader::kMaxVorbisLinks;

  const std::string tone = vesk_test::WithLongComment(vesk_test::MakeOggTone(2, 44100, 4410), 160000);
  std::string links;
  for (std::uint32_t serial = 1; serial <= kMaxVorbisLinks; ++serial) links += vesk_test::WithOggSerial(tone, serial);
  const std::string cut = links.substr(0, links.size() - tone.size()) +
                          vesk_test::FirstOggPages(vesk_test::WithOggSerial(tone, kMaxVorbisLinks + 1), 1);

  std::string small;
  for (std::uint32_t serial = 1; serial <= 1000; ++serial) {
    small += vesk_test::MakeOggWithCodebooks({.silentPackets = 1000, .serial = serial});
  }
  const std::string tiny = vesk_test::MakeOggWithCodebooks({.silentPackets = 600000, .statedSamples = 100});
  const std::string chunks = vesk_test::MakeWav(platform::MakePcmFormat(2, 44100, 16), vesk_test::RampFrames(4410),
                                                {.emptyChunksBeforeData = 12'500'000});
  const bool written = Write(folder / "chain-of-links-with-cover-art.ogg", links) &&
                       Write(folder / "chain-of-1000-links.ogg", small) &&
                       Write(folder / "chain-of-links-cut-in-the-last-headers.ogg", cut) &&
                       Write(folder / "tiny-packets-far-past-a-short-stated-length.ogg", tiny) &&
                       Write(folder / "wave-of-12.5-million-empty-chunks.wav", chunks);
  return written ? 0 : 1;
}
