// A test main for binaries whose code under test keeps process-wide state (the
// game's global scene objects, the engine's registries, loaded plug-ins). Run whole,
// the binary starts itself once per selected test, so every test sees a fresh
// process, as it does under CTest; --gtest_filter chooses the tests and
// --gtest_repeat repeats the whole selection. A run that selects a single test, a
// listing, and every child run execute in this process, so a debugger attached to
// one test works as usual.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr const char* kChildMarker = "VESK_ISOLATED_TEST_CHILD";

std::string SelfPath() {
  std::vector<char> buffer(4096);
  const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (length <= 0) return {};
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

// Runs the binary again with the given arguments; returns its exit status, or -1
// when it could not be started or did not end normally.
int RunSelf(const std::string& self, const std::vector<std::string>& args, std::string* output) {
  int pipeEnds[2] = {-1, -1};
  if (output != nullptr && pipe(pipeEnds) != 0) return -1;
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    if (output != nullptr) {
      dup2(pipeEnds[1], STDOUT_FILENO);
      close(pipeEnds[0]);
      close(pipeEnds[1]);
    }
    setenv(kChildMarker, "1", 1);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(self.c_str()));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(self.c_str(), argv.data());
    _exit(127);
  }
  if (output != nullptr) {
    close(pipeEnds[1]);
    char chunk[4096];
    ssize_t got = 0;
    while ((got = read(pipeEnds[0], chunk, sizeof chunk)) > 0) output->append(chunk, static_cast<std::size_t>(got));
    close(pipeEnds[0]);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// The full names of the tests the filter selects, read from the binary's own listing:
// a suite line ends with '.', each test below it is indented.
std::vector<std::string> SelectedTests(const std::string& self, const std::string& filter) {
  std::string listing;
  if (RunSelf(self, {"--gtest_list_tests", "--gtest_filter=" + filter}, &listing) != 0) return {};
  std::vector<std::string> names;
  std::string suite;
  std::size_t start = 0;
  while (start < listing.size()) {
    std::size_t end = listing.find('\n', start);
    if (end == std::string::npos) end = listing.size();
    std::string line = listing.substr(start, end - start);
    start = end + 1;
    const std::size_t comment = line.find("  #");
    if (comment != std::string::npos) line.resize(comment);
    if (line.empty()) continue;
    if (line[0] != ' ') {
      suite = line;
    } else {
      std::string name = suite + line.substr(line.find_first_not_of(' '));
      if (name.find("DISABLED_") == std::string::npos || GTEST_FLAG_GET(also_run_disabled_tests)) {
        names.push_back(std::move(name));
      }
    }
  }
  return names;
}

int RunIsolated(const std::string& self, const std::vector<std::string>& names, int repeat) {
  std::vector<std::string> failed;
  int runs = 0;
  for (int round = 0; repeat < 0 || round < repeat; ++round) {
    for (const std::string& name : names) {
      ++runs;
      std::vector<std::string> args{"--gtest_filter=" + name};
      if (GTEST_FLAG_GET(also_run_disabled_tests)) args.emplace_back("--gtest_also_run_disabled_tests");
      if (RunSelf(self, args, nullptr) != 0) failed.push_back(name);
    }
  }
  std::printf("[==========] %d tests ran, each in a process of its own.\n", runs);
  std::printf("[  PASSED  ] %d tests.\n", runs - static_cast<int>(failed.size()));
  if (!failed.empty()) {
    std::printf("[  FAILED  ] %d tests, listed below:\n", static_cast<int>(failed.size()));
    for (const std::string& name : failed) std::printf("[  FAILED  ] %s\n", name.c_str());
  }
  return failed.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (std::getenv(kChildMarker) != nullptr || GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  const std::string self = SelfPath();
  if (self.empty()) return RUN_ALL_TESTS();
  const std::vector<std::string> names = SelectedTests(self, GTEST_FLAG_GET(filter));
  if (names.size() <= 1) return RUN_ALL_TESTS();
  return RunIsolated(self, names, GTEST_FLAG_GET(repeat));
}
