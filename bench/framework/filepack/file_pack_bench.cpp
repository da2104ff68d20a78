// Packing a data folder of many small files against `tar cf` of the same folder
// followed by an fsync of the tar file, in the same run and on the same disk, both
// reading from a warm cache. Each size is packed five times, alternating with tar;
// the figures are medians: wall time (what the player waits for), processor time
// (the figure that holds on a shared machine) and the ratio of each to tar's.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "framework/file/file_reader.h"
#include "framework/file/file_writer.h"
#include "framework/filepack/file_pack_manager.h"
#include "framework/param/param_manager.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using nsZarn::nsFile::nsFileReader::CFileReader;
using nsZarn::nsFile::nsFileWriter::CFileWriter;
using nsZarn::nsFramework::nsFilePack::FilePackManager;
using nsZarn::nsFramework::nsParam::ParamManager;

constexpr int kRuns = 5;

struct Cost {
  double wallMs = 0;
  double cpuMs = 0;
};

double WallMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double CpuMs(int who) {
  rusage usage{};
  getrusage(who, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// files small files of 100 to 8,000 bytes, twenty to a sub-folder.
void MakeFolder(const fs::path& folder, int files) {
  fs::remove_all(folder);
  std::uint32_t seed = 12345;
  std::string bytes;
  for (int i = 0; i < files; ++i) {
    const fs::path sub = folder / ("part" + std::to_string(i / 20));
    fs::create_directories(sub);
    seed = seed * 1103515245u + 12345u;
    bytes.resize(100 + (seed >> 8) % 7900);
    for (char& b : bytes) b = static_cast<char>(seed = seed * 1664525u + 1013904223u, seed >> 24);
    std::ofstream(sub / ("file" + std::to_string(i) + ".bin"), std::ios::binary) << bytes;
  }
}

Cost Pack(const fs::path& folder) {
  // The packing opens an archive already there instead of packing again.
  fs::remove(folder.string() + ".dat");
  FilePackManager packer(new CFileReader, new CFileWriter);
  ParamManager params(new CFileReader, new CFileWriter);
  const double wall = WallMs();
  const double cpu = CpuMs(RUSAGE_SELF);
  const bool ok = packer.ConvertToFilePack(folder.string(), &params);
  Cost cost{WallMs() - wall, CpuMs(RUSAGE_SELF) - cpu};
  if (!ok) cost.wallMs = -1;
  return cost;
}

Cost TarAndSync(const fs::path& folder, const fs::path& tarFile) {
  const std::string out = tarFile.string();
  const std::string parent = folder.parent_path().string();
  const std::string name = folder.filename().string();
  const char* argv[] = {"tar", "cf", out.c_str(), "-C", parent.c_str(), name.c_str(), nullptr};
  const double wall = WallMs();
  const double cpu = CpuMs(RUSAGE_CHILDREN) + CpuMs(RUSAGE_SELF);
  pid_t pid = 0;
  int status = -1;
  const bool started = posix_spawnp(&pid, "tar", nullptr, nullptr, const_cast<char**>(argv), environ) == 0;
  if (started) waitpid(pid, &status, 0);
  const int fd = ::open(out.c_str(), O_RDONLY);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
  Cost cost{WallMs() - wall, CpuMs(RUSAGE_CHILDREN) + CpuMs(RUSAGE_SELF) - cpu};
  if (!started || status != 0 || fd < 0) cost.wallMs = -1;
  return cost;
}

void BM_PackSmallFiles(benchmark::State& state) {
  const int files = static_cast<int>(state.range(0));
  const fs::path root = fs::temp_directory_path() / ("vesk_pack_bench_" + std::to_string(::getpid()));
  const fs::path folder = root / "Data";
  MakeFolder(folder, files);
  std::vector<double> packWall, packCpu, tarWall, tarCpu;
  for (auto _ : state) {
    for (int run = 0; run < kRuns; ++run) {
      const Cost pack = Pack(folder);
      const Cost tar = TarAndSync(folder, root / "Data.tar");
      if (pack.wallMs < 0 || tar.wallMs < 0) {
        state.SkipWithError(pack.wallMs < 0 ? "packing failed" : "tar failed");
        break;
      }
      packWall.push_back(pack.wallMs);
      packCpu.push_back(pack.cpuMs);
      tarWall.push_back(tar.wallMs);
      tarCpu.push_back(tar.cpuMs);
    }
    state.SetIterationTime(packWall.empty() ? 0 : Median(packWall) / 1e3);
  }
  fs::remove_all(root);
  if (packWall.empty()) return;
  state.counters["pack_ms"] = Median(packWall);
  state.counters["tar_ms"] = Median(tarWall);
  state.counters["x_tar_wall"] = Median(packWall) / Median(tarWall);
  state.counters["pack_cpu_ms"] = Median(packCpu);
  state.counters["tar_cpu_ms"] = Median(tarCpu);
  state.counters["x_tar_cpu"] = Median(packCpu) / Median(tarCpu);
}
BENCHMARK(BM_PackSmallFiles)->Arg(1000)->Arg(10000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
