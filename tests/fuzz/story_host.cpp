#include "tests/fuzz/story_host.h"

#include <filesystem>

#include "engine/core/error_report.h"
#include "engine/plugin/plugin_loader.h"
#include "platform/clock/clock.h"
#include "platform/message_box/message_box.h"
#include "tests/fuzz/fuzz_support.h"
#include "tools/script_compiler/script_compiler.h"

namespace vesk_fuzz {

void StartStoryHost() {
  static const bool started = [] {
    EnterScratchFolder();
    platform::SetMessageBoxHandler([](std::string_view, std::string_view, platform::MessageBoxButtons buttons,
                                      platform::MessageBoxIcon) {
      return buttons == platform::MessageBoxButtons::YesNo ? platform::MessageBoxAnswer::No
                                                           : platform::MessageBoxAnswer::Ok;
    });
    nsTamskLib::nsCore::SetFatalHandler([](const std::string& text) { throw Rejected(text); });
    platform::UseVirtualClock(1000);
    std::filesystem::create_directories("plugins");
    std::filesystem::copy_file(WENDRICK_LIBRARY, "plugins/Wendrick.so",
                               std::filesystem::copy_options::overwrite_existing);
    nsTamskLib::nsPlugin::LoadPlugins(std::filesystem::absolute("plugins").string());
    return true;
  }();
  (void)started;
}

bool CompileScript(const std::string& source, const std::string& file, bool object) {
  try {
    nsScriptCompiler::ScriptCompiler compiler(object);
    return compiler.Compile(source) && compiler.Write(file);
  } catch (const Rejected&) {
    return false;
  }
}

void RunFrames(vesk_test::TestPlayer& player, int frames) {
  try {
    for (int i = 0; i < frames && player.quitCalls == 0; ++i) player.Run();
  } catch (const Rejected&) {
  }
}

}  // namespace vesk_fuzz
