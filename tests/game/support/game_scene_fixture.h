#pragma once
// The program-wide objects a game scene or button uses, over the test platform: the
// shell fixture (captured frames, virtual clock, archive from the test's "Data"),
// scripted mouse input behind the program-wide input manager, a script player
// whose sound manager records what is played, and the scene stack, emptied at the
// end.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/textstream/file_text_stream.h"
#include "game/managers/draw_manager_fd.h"
#include "game/managers/input_manager_fd.h"
#include "game/shell/shell_objects.h"
#include "platform/input/input_devices.h"
#include "tests/engine/fakes/recording_sound_manager.h"
#include "tests/game/managers/shell_fixture.h"
#include "tests/platform/support/scripted_input.h"

namespace vesk_test {

class GameSceneFixture : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    platform::NotifyInputFocus(true);
    ASSERT_TRUE(nsVesk::g_Input.Init(nullptr, nullptr));
    m_Sound = new RecordingSoundManager;
    nsVesk::g_NovelPlayer =
        new nsVesk::nsCore::NovelPlayerfD(new nsTamskLib::nsTextStream::FileTextStream,
                                          new nsVesk::nsInputManager::InputManagerfD, m_Sound,
                                          new nsVesk::nsDrawManagerfD::DrawManagerfD, true);
  }
  void TearDown() override {
    ReleaseSceneStack();
    ReleasePlayer();
    ReleaseInput();
    ShellFixture::TearDown();
  }

  // Holds the mouse at (x, y) with the left button down or up, and polls the
  // program-wide input manager once, as a scene does at the start of its frame.
  void Poll(int x, int y, bool leftDown) {
    Hold(x, y, leftDown);
    nsVesk::g_InputManager.Update();
  }
  // Only holds the mouse; the next scene frame polls it.
  void Hold(int x, int y, bool leftDown) {
    m_Mouse.cursor = {x, y};
    m_Mouse.buttons[0] = leftDown;
  }

  std::vector<std::string> Played() const { return m_Sound->Calls("_PlaySE"); }
  std::vector<std::string> Stopped() const { return m_Sound->Calls("_StopSE"); }

  // Installed for the test; the input object's devices are released before it.
  ScriptedInput m_Mouse;
  RecordingSoundManager* m_Sound = nullptr;  // owned by the player
};

}  // namespace vesk_test
