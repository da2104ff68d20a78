#pragma once
// What the fuzzing harnesses share: the libFuzzer entry every harness defines, a
// private working folder for the files a reader opens by name, and the rejection
// that the engine's "エラー！" errors become, so that a specified refusal of
// damaged input counts as handled and only crashes, hangs and sanitizer reports
// are findings.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace vesk_fuzz {

// An error the program reports with its error box and then ends on.
struct Rejected : std::runtime_error {
  explicit Rejected(const std::string& text) : std::runtime_error(text) {}
};

// Makes a private folder (removed when the process ends) the current folder, once.
void EnterScratchFolder();

// Writes the bytes to a file of that name in the current folder.
void WriteScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size);

// The most memory an accepted input may hold at once, unless its harness says
// otherwise: what the game may spend on one sound.
inline constexpr std::size_t kAcceptedPeakBytes = std::size_t{200} << 20;

// Tells the replay that the reader accepted the input being run (it decoded the
// picture, opened the sound). The game goes on to use such a file, so it must cost
// what an honest file may: the replay fails an accepted input that takes longer
// than its budget of processor time (and `extraCpuNs` more, the work the game
// allows such a file beyond one load) or holds more than `peakBytes` of memory at
// once. Refused inputs are held only to the time limit of every input.
void NoteAccepted(std::size_t peakBytes = kAcceptedPeakBytes, std::uint64_t extraCpuNs = 0);

// The memory budget of the input run last when it was accepted, else 0; clears it.
std::size_t TakeAcceptedPeakBytes();
// The extra processor time of the input run last; clears it.
std::uint64_t TakeAcceptedExtraCpuNs();

}  // namespace vesk_fuzz
