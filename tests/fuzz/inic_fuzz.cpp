// The converted parameter form: loaded through the manager's reader and queried,
// following its root file.

#include "framework/param/param_manager.h"
#include "tests/fuzz/fuzz_support.h"

using nsZarn::nsFile::nsFileReader::CFileReader;
using nsZarn::nsFramework::nsParam::ParamFile;
using nsZarn::nsFramework::nsParam::ParamManager;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vesk_fuzz::EnterScratchFolder();
  vesk_fuzz::WriteScratchFile("Common.INIcDAT", data, size);
  ParamManager params(new CFileReader, nullptr);
  if (!params.LoadParamDATFile("Common.INIcDAT", true)) return 0;
  const ParamFile* file = params.FindFile("Common.INIcDAT");
  if (file == nullptr) return 0;
  for (const auto& [section, keys] : file->sections) {
    for (const auto& entry : keys) {
      params.GetInt("Common.INIcDAT", section, entry.first, 0);
      params.GetString("Common.INIcDAT", section, entry.first, "");
    }
  }
  params.GetString("Common.INIcDAT", "Common", "missing", "");  // walks the root files
  return 0;
}
