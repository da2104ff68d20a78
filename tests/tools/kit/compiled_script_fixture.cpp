#include "tests/tools/kit/compiled_script_fixture.h"

#include <algorithm>
#include <filesystem>

#include "engine/api/text_stream.h"
#include "engine/plugin/plugin_loader.h"
#include "platform/clock/clock.h"
#include "platform/text/cp932.h"

namespace vesk_test {

LoadedWendrick::LoadedWendrick() {
  std::filesystem::copy_file(WENDRICK_LIBRARY, m_Folder.path() / "Wendrick.so");
  nsTamskLib::nsPlugin::LoadPlugins(m_Folder.path().string());
}

LoadedWendrick::~LoadedWendrick() { nsTamskLib::nsPlugin::UnloadPlugins(); }

CompiledScriptTest::CompiledScriptTest() {
  platform::UseVirtualClock(1000);
  player.UseLeavingScenes();
}

CompiledScriptTest::~CompiledScriptTest() {
  // The compiled commands come from the plug-in: they go before it unloads.
  compiler.reset();
  platform::UseRealClock();
}

bool CompiledScriptTest::Compile(const std::string& source, bool object) {
  compiler = std::make_unique<nsScriptCompiler::ScriptCompiler>(object);
  const bool ok = compiler->Compile(source);
  errors = compiler->Errors();
  return ok;
}

void CompiledScriptTest::CompileTo(const std::string& source, const std::string& file,
                                   bool object) {
  ASSERT_TRUE(Compile(source, object)) << platform::Cp932ToUtf8(errors);
  ASSERT_TRUE(compiler->Write(file));
}

void CompiledScriptTest::Load(const std::string& source) {
  CompileTo(source, "scenario.dat");
  ASSERT_TRUE(player.LoadScript("scenario.dat", player.GetIOStream()));
}

void CompiledScriptTest::Run(int frames) {
  for (int i = 0; i < frames; ++i) player.Run();
}

int CompiledScriptTest::RunToEnd(int maxFrames) {
  int frames = 0;
  while (player.quitCalls == 0 && frames < maxFrames) {
    player.Run();
    ++frames;
  }
  EXPECT_GT(player.quitCalls, 0) << "the script did not end in " << maxFrames << " frames";
  return frames;
}

void CompiledScriptTest::ClickFrame(TestPlayer& on, int frame) {
  const auto& settings = on.draw.Settings();
  int y = 272;
  if (settings.SelectState >= 0 && !settings.SelectItems.empty()) {
    const auto count = static_cast<std::int64_t>(settings.SelectItems.size());
    const std::int64_t height =
        settings.SelectWindowIsImage
            ? settings.SelectSrcRect[0].bottom - settings.SelectSrcRect[0].top
            : settings.SelectItemHeight + 2 * settings.SelectMargin;
    const std::int64_t gap = std::max<std::int64_t>(
        (on.draw.screenHeight - count * height - settings.SelectBottomMargin) / (count + 1), 0);
    y = static_cast<int>(gap + height / 2);
  }
  on.input.MoveTo(400, y);
  if (frame % 3 == 0) {
    on.input.PushLeft();
  } else if (frame % 3 == 1) {
    on.input.ReleaseLeft();
  } else {
    on.input.IdleLeft();
  }
  platform::AdvanceVirtualClock(50);
  on.Run();
}

std::string CompiledScriptTest::PlayToEnd(const std::string& source, int maxFrames) {
  if (!Compile(source)) {
    std::string text = platform::Cp932ToUtf8(errors);
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return "is refused: " + text;
  }
  if (!compiler->Write("play.dat")) return "was not written";
  TestPlayer own;
  own.UseLeavingScenes();
  try {
    if (!own.LoadScript("play.dat", own.GetIOStream())) return "was not loaded";
    for (int frame = 0; frame < maxFrames && own.quitCalls == 0; ++frame) {
      ClickFrame(own, frame);
      // A suspend hands control to the game, whose scene gives it back.
      using namespace nsTamskLib::nsCore;
      if (own.GetState() == kStateSuspended) own.SetState(kStateNormal);
    }
  } catch (const FatalError& error) {
    return "ran into: " + platform::Cp932ToUtf8(error.what());
  }
  return own.quitCalls > 0 ? "" : "did not end in " + std::to_string(maxFrames) + " frames";
}

std::int32_t CompiledScriptTest::Local(const char* name) {
  EXPECT_TRUE(player.GetLocalHeap()->Exists(name)) << name;
  return player.GetLocalHeap()->Get(name);
}

std::vector<std::uint32_t> CompiledScriptTest::CompiledTypes() const {
  std::vector<std::uint32_t> types;
  if (compiler != nullptr) {
    for (nsTamskLib::ICmd_Base* command : compiler->Commands()) types.push_back(command->GetID());
  }
  return types;
}

std::string CompiledScriptTest::CompiledDump() const {
  nsScriptCompiler::ErrorText out;
  if (compiler != nullptr) {
    for (nsTamskLib::ICmd_Base* command : compiler->Commands()) command->Dump(&out);
  }
  return out.Text();
}

}  // namespace vesk_test
