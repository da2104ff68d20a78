#pragma once
// CompiledScriptTest: compiles Shift-JIS script text with the script compiler host
// over the real Wendrick.so (loaded by the engine's loader) and runs it with the
// engine's script player on recording back ends and the virtual clock.
//
//   Load("@start: local x = 1; end;");
//   RunToEnd();
//   EXPECT_EQ(Local("x"), 1);

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/engine/fakes/test_player.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/support/temp_dir.h"
#include "tools/script_compiler/script_compiler.h"

namespace vesk_test {

// The real plug-in, copied into a folder of its own and loaded by the engine's
// loader while it lives.
class LoadedWendrick {
 public:
  LoadedWendrick();
  LoadedWendrick(const LoadedWendrick&) = delete;
  LoadedWendrick& operator=(const LoadedWendrick&) = delete;
  ~LoadedWendrick();

 private:
  TempDir m_Folder;
};

class CompiledScriptTest : public testing::Test {
 protected:
  CompiledScriptTest();
  ~CompiledScriptTest() override;

  // Compiles the source; the compiler (with its commands) is kept, errors go to
  // errors. False when the compiler reported an error.
  bool Compile(const std::string& source, bool object = false);
  // Compiles and writes the file; fails the test on an error.
  void CompileTo(const std::string& source, const std::string& file, bool object = false);
  // Compiles the source to "scenario.dat" and loads it into the player.
  void Load(const std::string& source);

  void Run(int frames);
  // Runs until the script ends the program (at most maxFrames); the frames run.
  int RunToEnd(int maxFrames = 1000);
  // One frame of a player that clicks every third frame (pushed, released, idle),
  // 50 ms after the last: where a choice is open on its first choice (its box as the
  // draw manager places it), else in the middle of the screen, where a click
  // advances the text.
  static void ClickFrame(TestPlayer& on, int frame);
  // Compiles the source and plays it in a player of its own with ClickFrame until
  // it ends the program: "" when it did within maxFrames, else (in UTF-8) "is
  // refused: " and the compiler's errors, "ran into: " and the fatal error, or that
  // it did not end. A suspend is given back at once, as the game's scene does.
  std::string PlayToEnd(const std::string& source, int maxFrames = 200);

  std::int32_t Local(const char* name);
  std::int32_t Position() { return player.Commands().GetIterator(); }
  // Command types of the last compile, in order.
  std::vector<std::uint32_t> CompiledTypes() const;
  // The last compile's commands dumped one after another.
  std::string CompiledDump() const;

  std::unique_ptr<nsScriptCompiler::ScriptCompiler> compiler;
  std::string errors;

  FatalTrap trap;
  ScopedWorkingDir dir;
  LoadedWendrick plugin;
  TestPlayer player;
};

}  // namespace vesk_test
