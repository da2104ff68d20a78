#pragma once
// Drives a sound reader the way the streamed music does: the whole stream read in
// blocks, a seek back to the loop start, and a second read.

#include <cstdint>
#include <vector>

#include "framework/sound/sound_reader.h"

namespace vesk_fuzz {

inline void PlayThrough(nsZarn::nsSound::nsISoundReader::ISoundReader& reader) {
  if (!reader.IsOpen()) return;
  reader.GetFormat();
  const std::uint32_t length = reader.GetLength();
  std::vector<char> block(8192);
  for (int pass = 0; pass < 2; ++pass) {
    std::uint32_t got = 0;
    // A stream that delivers nothing ends the pass even when it never reports its end.
    for (int blocks = 0; blocks < 4096 && !reader.IsEnd(); ++blocks) {
      if (!reader.Read(block.data(), static_cast<std::uint32_t>(block.size()), &got) || got == 0) break;
    }
    reader.Tell();
    reader.Seek(pass == 0 ? 0 : length);
  }
  reader.Seek(length / 2);
}

}  // namespace vesk_fuzz
