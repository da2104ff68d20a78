// The game's scenes read their parameters at every use, several times per frame,
// so a lookup must cost far less than a frame: a key found in the file itself, one
// found down the root chain, and one that falls through to the default.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "framework/file/file_reader.h"
#include "framework/file/file_writer.h"
#include "framework/param/param_manager.h"

namespace {

using nsZarn::nsFramework::nsParam::ParamManager;

struct ParamFixture {
  ParamFixture() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vesk-bench-XXXXXX").string();
    folder = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::filesystem::temp_directory_path().string();
    std::ofstream(folder + "/Base.ini") << "[Scene]\nBaseKey=7\n";
    std::ofstream(folder + "/Scene.ini") << "[Root]\nRootFile=\"" << folder << "/Base.ini\"\n"
                                         << "[Scene]\nX=120\nTitle=\"Vesk\"\n";
  }
  ~ParamFixture() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
  std::string folder;
  ParamManager params{new nsZarn::nsFile::nsFileReader::CFileReader, new nsZarn::nsFile::nsFileWriter::CFileWriter};
};

ParamFixture& Fixture() {
  static ParamFixture fixture;
  return fixture;
}

void BM_GetIntInTheFile(benchmark::State& state) {
  auto& f = Fixture();
  const std::string file = f.folder + "/Scene.ini";
  for (auto _ : state) benchmark::DoNotOptimize(f.params.GetInt(file, "Scene", "X", 0));
}
BENCHMARK(BM_GetIntInTheFile);

void BM_GetIntFromTheRootFile(benchmark::State& state) {
  auto& f = Fixture();
  const std::string file = f.folder + "/Scene.ini";
  for (auto _ : state) benchmark::DoNotOptimize(f.params.GetInt(file, "Scene", "BaseKey", 0));
}
BENCHMARK(BM_GetIntFromTheRootFile);

void BM_GetStringFallsToTheDefault(benchmark::State& state) {
  auto& f = Fixture();
  const std::string file = f.folder + "/Scene.ini";
  for (auto _ : state) benchmark::DoNotOptimize(f.params.GetString(file, "Scene", "Missing", "d"));
}
BENCHMARK(BM_GetStringFallsToTheDefault);

}  // namespace
