// A small plug-in for the loader's tests, built several times under different
// names. It binds the program's exports by name, as a real plug-in does, and writes
// what happens to it (load, attach, detach, unload) to the file named by the
// environment variable VESK_TEST_PLUGIN_LOG.
//
//   TEST_PLUGIN_NAME      its name in the log
//   TEST_PLUGIN_KIND      0 not a plug-in (no marker), 1 a plug-in, 2 one that refuses
//   TEST_PLUGIN_ID_BASE   added to the command type to form a command's GetID()

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

#include "engine/api/command.h"
#include "engine/api/plugin_api.h"

namespace {

void Log(const char* event) {
  const char* path = std::getenv("VESK_TEST_PLUGIN_LOG");
  if (path == nullptr) return;
  std::FILE* file = std::fopen(path, "a");
  if (file == nullptr) return;
  std::fprintf(file, "%s %s\n", event, TEST_PLUGIN_NAME);
  std::fclose(file);
}

__attribute__((constructor)) void OnLoad() { Log("load"); }
__attribute__((destructor)) void OnUnload() { Log("unload"); }

#if TEST_PLUGIN_KIND != 0

template <typename F>
F Bind(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_DEFAULT, name));
}

class TestCommand final : public nsTamskLib::ICmd_Base {
 public:
  explicit TestCommand(std::uint32_t type) : m_Type(type) {}
  void Reset() override {}
  void Destroy() override { delete this; }
  int Execute() override { return 0; }
  void SetEngine(nsTamskLib::nsCore::INovelEngine* /*engine*/) override {}
  void Setup(const nsTamskLib::CommandParam& /*param*/) override {}
  std::uint32_t GetID() override { return TEST_PLUGIN_ID_BASE + m_Type; }
  void Dump(nsTamskLib::nsTextStream::ITextStream* /*out*/) override {}
  void Save(nsTamskLib::nsIOStream::IIOStream* /*stream*/) override {}
  void Load(nsTamskLib::nsIOStream::IIOStream* /*stream*/) override {}

 private:
  std::uint32_t m_Type;
};

nsTamskLib::ICmd_Base* MakeSeven() { return new TestCommand(7); }
nsTamskLib::ICmd_Base* MakeOwn() { return new TestCommand(TEST_PLUGIN_ID_BASE / 100); }
void SaveBlock(nsTamskLib::nsCore::INovelEngine* /*engine*/, nsTamskLib::nsIOStream::IIOStream* /*s*/) {}

#endif

}  // namespace

#if TEST_PLUGIN_KIND != 0

extern "C" {

int GetTamskLibDllVersion(void) { return nsTamskLib::kTamskLibVersion; }

int TamskLibAttach(void) {
  Log("attach");
  using VersionFunc = int (*)();
  using FactoryFunc = void (*)(unsigned, nsTamskLib::CmdFactory);
  using DataFuncRegister = void (*)(const char*, nsTamskLib::DataFunc);
  const auto version = Bind<VersionFunc>("GetTamskLibVersion");
  const auto registerFactory = Bind<FactoryFunc>("RegisterPFactory");
  const auto registerSave = Bind<DataFuncRegister>("RegisterPSaveLocalDataFunc");
  if (version == nullptr || version() < nsTamskLib::kTamskLibVersion || registerFactory == nullptr ||
      registerSave == nullptr) {
    return 0;
  }
  // Every kind registers command type 7 and one type of its own (its ID base / 100).
  registerFactory(7, MakeSeven);
  registerFactory(TEST_PLUGIN_ID_BASE / 100, MakeOwn);
  registerSave(TEST_PLUGIN_NAME, SaveBlock);
  return TEST_PLUGIN_KIND == 2 ? 0 : 1;
}

void TamskLibDetach(void) { Log("detach"); }

}  // extern "C"

#endif
