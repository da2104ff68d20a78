// INI text: parsed, loaded by the parameter manager, queried, converted to the
// converted form and read back, which must give the same file.

#include <cstdlib>

#include "framework/param/param_manager.h"
#include "platform/ini/ini_profile.h"
#include "tests/fuzz/fuzz_support.h"

using nsZarn::nsFile::nsFileReader::CFileReader;
using nsZarn::nsFile::nsFileWriter::CFileWriter;
using nsZarn::nsFramework::nsParam::ParamFile;
using nsZarn::nsFramework::nsParam::ParamManager;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vesk_fuzz::EnterScratchFolder();
  platform::ParseIniText(std::string_view(reinterpret_cast<const char*>(data), size));
  vesk_fuzz::WriteScratchFile("Common.ini", data, size);
  ParamManager params(new CFileReader, new CFileWriter);
  if (!params.LoadParamINIFile("Common.ini", true)) return 0;
  params.GetInt("Common.ini", "Common", "Width", 0);
  params.GetString("Common.ini", "Common", "Title", "");
  const ParamFile* text = params.FindFile("Common.ini");
  if (text == nullptr || !params.SaveParamDATFile("Common.ini", "Common.INIcDAT")) return 0;

  ParamManager converted(new CFileReader, nullptr);
  if (!converted.LoadParamDATFile("Common.INIcDAT", true)) std::abort();
  const ParamFile* back = converted.FindFile("Common.INIcDAT");
  // Every section, key and value survives the conversion unchanged.
  if (back == nullptr || back->rootFileName != text->rootFileName || back->sections != text->sections) {
    std::abort();
  }
  return 0;
}
