#include "tests/fuzz/fuzz_support.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace vesk_fuzz {
namespace {

std::filesystem::path& ScratchFolder() {
  static std::filesystem::path folder;
  return folder;
}

// The process that made the folder. The fuzzer's fork server runs the inputs in
// processes forked from one that made it at its start (the story harnesses): they
// share the folder, and one ending must leave it to the others.
pid_t g_ScratchOwner = 0;

void RemoveScratchFolder() {
  if (::getpid() != g_ScratchOwner) return;
  std::error_code ignored;
  std::filesystem::remove_all(ScratchFolder(), ignored);
}

// The budget of the input being run when it was accepted; a harness may run its
// reader on a thread of its own.
std::atomic<std::size_t> g_AcceptedPeakBytes{0};
std::atomic<std::uint64_t> g_AcceptedExtraCpuNs{0};

}  // namespace

void NoteAccepted(std::size_t peakBytes, std::uint64_t extraCpuNs) {
  std::size_t noted = g_AcceptedPeakBytes.load();
  // Accepted twice in one input (under two names, say): the larger budget holds.
  while (noted < peakBytes && !g_AcceptedPeakBytes.compare_exchange_weak(noted, peakBytes)) {
  }
  g_AcceptedExtraCpuNs += extraCpuNs;  // and the time of both
}

std::size_t TakeAcceptedPeakBytes() { return g_AcceptedPeakBytes.exchange(0); }
std::uint64_t TakeAcceptedExtraCpuNs() { return g_AcceptedExtraCpuNs.exchange(0); }

void EnterScratchFolder() {
  if (!ScratchFolder().empty()) return;
  ScratchFolder() = std::filesystem::temp_directory_path() /
                    ("vesk-fuzz-" + std::to_string(static_cast<long>(::getpid())));
  std::filesystem::create_directories(ScratchFolder());
  std::filesystem::current_path(ScratchFolder());
  g_ScratchOwner = ::getpid();
  std::atexit(RemoveScratchFolder);
}

void WriteScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (size != 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);
}

}  // namespace vesk_fuzz
