// script_compiler: compiles a story script into a compiled script or object with
// the parsers of the real plug-ins.
//
//   script_compiler [-c] [-p plug-in folder] source.txt output.dat
//
// The source is UTF-8 and is converted to Shift-JIS before compiling. -c writes an
// object (".obj") for loadobject. The plug-ins are taken from the given folder, by
// default the folder the game's plug-in is built into. Errors go to the standard
// error stream and the exit status is 1.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/plugin/plugin_loader.h"
#include "platform/text/cp932.h"
#include "tools/script_compiler/script_compiler.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: script_compiler [-c] [-p plugin-folder] source output\n");
  return 2;
}

bool ReadFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
  bool object = false;
  std::string plugins = VESK_DEFAULT_PLUGIN_DIR;
  std::string files[2];
  int fileCount = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "-c") {
      object = true;
    } else if (arg == "-p" && i + 1 < argc) {
      plugins = argv[++i];
    } else if (fileCount < 2 && !arg.empty() && arg[0] != '-') {
      files[fileCount++] = arg;
    } else {
      return Usage();
    }
  }
  if (fileCount != 2) return Usage();

  std::string source;
  if (!ReadFile(files[0], source)) {
    std::fprintf(stderr, "%s: cannot read\n", files[0].c_str());
    return 1;
  }
  nsTamskLib::nsPlugin::LoadPlugins(plugins);
  if (nsTamskLib::nsPlugin::GetLoadedPluginCount() == 0) {
    std::fprintf(stderr, "%s: no plug-in with script parsers\n", plugins.c_str());
    return 1;
  }
  int status = 0;
  {
    nsScriptCompiler::ScriptCompiler compiler(object);
    if (!compiler.Compile(platform::Utf8ToCp932(source))) {
      std::fprintf(stderr, "%s", platform::Cp932ToUtf8(compiler.Errors()).c_str());
      status = 1;
    } else if (!compiler.Write(files[1])) {
      std::fprintf(stderr, "%s: cannot write\n", files[1].c_str());
      status = 1;
    }
  }
  nsTamskLib::nsPlugin::UnloadPlugins();
  return status;
}
