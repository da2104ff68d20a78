#pragma once
// What the story-screen tests share: a fresh working folder, the fatal trap, Yes/No
// boxes answered from a script, the test commands, and a player over recording back
// ends with its own story screens, running a script that stays on a command that
// accepts system input. The mouse is driven frame by frame.

#include <deque>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/plugin/plugin_registry.h"
#include "platform/message_box/message_box.h"
#include "tests/engine/fakes/script_writer.h"
#include "tests/engine/fakes/test_commands.h"
#include "tests/engine/fakes/test_player.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/support/temp_dir.h"

namespace vesk_test {

// Records every box; a Yes/No question takes the next queued answer, and one asked
// with no answer queued fails the test and is answered No.
class AnsweredBoxes {
 public:
  struct Box {
    std::string caption;
    std::string text;
    bool question;
    platform::MessageBoxIcon icon;
  };

  AnsweredBoxes() {
    platform::SetMessageBoxHandler([this](std::string_view caption, std::string_view text,
                                          platform::MessageBoxButtons buttons, platform::MessageBoxIcon icon) {
      const bool question = buttons == platform::MessageBoxButtons::YesNo;
      boxes.push_back(Box{std::string(caption), std::string(text), question, icon});
      if (!question) return platform::MessageBoxAnswer::Ok;
      if (answers.empty()) {
        ADD_FAILURE() << "unexpected question";
        return platform::MessageBoxAnswer::No;
      }
      const bool yes = answers.front();
      answers.pop_front();
      return yes ? platform::MessageBoxAnswer::Yes : platform::MessageBoxAnswer::No;
    });
  }
  AnsweredBoxes(const AnsweredBoxes&) = delete;
  AnsweredBoxes& operator=(const AnsweredBoxes&) = delete;
  ~AnsweredBoxes() { platform::SetMessageBoxHandler(nullptr); }

  std::vector<Box> boxes;
  std::deque<bool> answers;
};

class ScreenTest : public testing::Test {
 protected:
  using States = std::vector<std::int32_t>;

  ScreenTest() {
    RegisterTestCommands();
    CommandLog().Clear();
  }
  ~ScreenTest() override { nsTamskLib::nsPlugin::ClearRegistries(); }

  // Loads a script that stays on its first command (one that accepts system input).
  void StartStory() {
    ScriptWriter script;
    script.Label("@start").Stay(-1);
    ASSERT_TRUE(script.WriteScript("scenario.dat"));
    ASSERT_TRUE(player.LoadScript("scenario.dat", player.GetIOStream()));
  }

  // n frames with the mouse as it is.
  void Frames(int n = 1) {
    for (int i = 0; i < n; ++i) player.Run();
  }
  // A left click at (x, y): a frame with the button going down, one with it going up.
  void Click(int x, int y) {
    player.input.MoveTo(x, y);
    player.input.PushLeft();
    player.Run();
    player.input.ReleaseLeft();
    player.Run();
    player.input.IdleLeft();
  }
  // One frame with the right button going down: the close key of every screen.
  void PressClose() {
    player.input.right = {true, true, false};
    player.Run();
    player.input.right = {};
  }

  FatalTrap trap;
  AnsweredBoxes boxes;
  ScopedWorkingDir dir;
  TestPlayer player;
};

}  // namespace vesk_test
