#pragma once
// Makes the Ogg pages of a mutated input whole again. libogg drops every page whose
// checksum or length does not match, so without this a byte mutation almost never
// reaches the Vorbis headers and packets behind the page checks. Each page, found
// from the start at its capture pattern "OggS", gets its body length fitted to the
// bytes up to the next capture pattern (through its last lacing value, where that
// value can take the difference) and a fresh checksum. Intact files stay as they are.

#include <string>

namespace vesk_fuzz {

void RepairOggPages(std::string& bytes);

}  // namespace vesk_fuzz
