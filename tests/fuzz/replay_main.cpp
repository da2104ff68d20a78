// Runs a harness over files and folders of inputs, one call per file, so that the
// checked-in corpora replay under the normal build's sanitizers. An input that
// takes longer than VESK_REPLAY_SECONDS_PER_INPUT seconds of processor time fails
// the replay: the game would freeze on such a file. An input the reader accepted
// is a file the game would go on to use: it fails the replay already when it takes
// longer than VESK_REPLAY_SECONDS_PER_ACCEPTED_INPUT (and the extra time its harness
// allowed), or holds more memory at once than its harness allowed.

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/peak_memory.h"

namespace {

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& argument) {
  std::vector<std::filesystem::path> files;
  if (std::filesystem::is_directory(argument)) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(argument)) {
      if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
  } else {
    files.push_back(argument);
  }
  return files;
}

}  // namespace

// A harness's one-time set-up, where it has one; the fuzzing driver calls it too.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

int main(int argc, char** argv) {
  // Every path is made absolute before the first input runs: a harness may change
  // the current folder.
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    for (const auto& file : InputsOf(std::filesystem::absolute(argv[i]))) files.push_back(file);
  }
  if (LLVMFuzzerInitialize != nullptr) LLVMFuzzerInitialize(&argc, &argv);
  int slow = 0;
  int costly = 0;
  for (const std::filesystem::path& file : files) {
    // Read whole at once: a large input read byte by byte would take seconds.
    std::vector<char> bytes(std::filesystem::file_size(file));
    std::ifstream(file, std::ios::binary).read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::fprintf(stderr, "%s\n", file.c_str());
    (void)vesk_fuzz::TakeAcceptedPeakBytes();
    (void)vesk_fuzz::TakeAcceptedExtraCpuNs();
    vesk_fuzz::ResetPeakMemory();
    const std::clock_t start = std::clock();
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    const std::size_t peakBytes = vesk_fuzz::PeakMemorySinceReset();
    const std::size_t acceptedPeakBytes = vesk_fuzz::TakeAcceptedPeakBytes();
    const bool accepted = acceptedPeakBytes != 0;
    const double limit = accepted ? VESK_REPLAY_SECONDS_PER_ACCEPTED_INPUT +
                                        static_cast<double>(vesk_fuzz::TakeAcceptedExtraCpuNs()) / 1e9
                                  : VESK_REPLAY_SECONDS_PER_INPUT;
    if (seconds > limit) {
      std::fprintf(stderr, "too slow: %s%s took %.1f s (the limit is %.1f s)\n", accepted ? "accepted " : "",
                   file.c_str(), seconds, limit);
      ++slow;
    }
    if (accepted && peakBytes > acceptedPeakBytes) {
      std::fprintf(stderr, "too costly: accepted %s held %zu KiB at once (the limit is %zu KiB)\n", file.c_str(),
                   peakBytes >> 10, acceptedPeakBytes >> 10);
      ++costly;
    }
  }
  std::printf("replayed %zu inputs, %d too slow, %d too costly\n", files.size(), slow, costly);
  return files.empty() || slow != 0 || costly != 0 ? 1 : 0;
}
