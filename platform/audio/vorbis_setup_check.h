#pragma once
// A check of an Ogg Vorbis stream's setup header that the decoding library makes
// too late: a codebook whose code lengths do not make a complete code passes the
// header checks, then fails when decoding starts and leaves the library's
// decoding tables half built; the next start (after a seek) decodes with an empty
// codebook and divides by zero. Checking before the file is opened turns such a
// file into a failed load instead of a crash.

#include <cstddef>
#include <functional>

namespace platform {

// Reads the start of an Ogg file through `read` (which fills the buffer and
// returns the bytes read, 0 at the end) and looks at the codebooks of its first
// logical stream's setup header. False when one of them cannot be decoded (an
// incomplete or over-full code, or dimension 0). True
// otherwise, also when no setup header is found: the decoder then refuses the
// file itself.
bool VorbisCodebooksAreDecodable(const std::function<std::size_t(void* buffer, std::size_t bytes)>& read);

}  // namespace platform
