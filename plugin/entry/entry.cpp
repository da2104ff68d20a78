// The library's exports: the marker by which the host's loader recognises a
// plug-in, and the attach and detach entries the loader calls. The host's
// functions are looked up among the program's own exports only.

#include <string>

#include "engine/api/plugin_api.h"
#include "platform/library/library.h"
#include "plugin/entry/attach.h"

namespace {

// An address inside this library, to find the library's own file.
constinit const char kOwnAddress = 0;

std::string OwnFileName() {
  const std::string path = platform::GetLibraryPathOf(&kOwnAddress);
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

extern "C" {

int GetTamskLibDllVersion(void) { return nsWendrick::kWendrickVersion; }

int TamskLibAttach(void) {
  return nsWendrick::AttachWendrick(platform::FindProgramOwnSymbol, OwnFileName()) ? 1 : 0;
}

void TamskLibDetach(void) { nsWendrick::DetachWendrick(); }

}  // extern "C"
