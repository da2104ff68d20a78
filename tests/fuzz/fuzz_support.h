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

}  // namespace vesk_fuzz
