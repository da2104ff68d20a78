#pragma once
// Test doubles for the battle's effects and characters: an engine whose sound
// manager records what is played over a real table of global variables, pictures that record how they are drawn, and a
// fixture with the virtual clock, the graphics test back end and a data archive.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/heap/single_heap.h"
#include "framework/graphics/draw2d.h"
#include "game/battle/battle_engine.h"
#include "game/managers/image_table.h"
#include "platform/clock/clock.h"
#include "tests/engine/fakes/recording_sound_manager.h"
#include "tests/game/managers/shell_fixture.h"
#include "tests/support/temp_dir.h"

namespace nsVesk::nsGame::nsMine::nsTest {

class FakeBattleEngine final : public IBattleEngine {
 public:
  nsTamskLib::nsSoundManager::ISoundManager* GetSoundManager() override { return &sound; }
  nsTamskLib::nsSimulatedHeap::ISingleHeap* GetGlobalHeap() override { return &globals; }

  // The effect sounds played, in order ("_PlaySE(name)"), and how often one was.
  std::vector<std::string> Played() const { return sound.Calls("_PlaySE"); }
  int Plays(const std::string& name) const { return static_cast<int>(sound.Calls("_PlaySE(" + name + ")").size()); }

  // A played effect sound plays until the test finishes it.
  vesk_test::RecordingSoundManager sound;
  nsTamskLib::nsSimulatedHeap::SingleHeap globals;
};

struct PictureDraw {
  int x, y;
  std::uint8_t alpha;
  nsZarn::nsGraphics::Rect source;
  float scale;
};

// A picture that records its draws instead of drawing.
class RecordingPicture final : public nsZarn::nsGraphics::nsIDraw2D::CDraw2D {
 public:
  explicit RecordingPicture(std::vector<PictureDraw>* log) : CDraw2D(nullptr, nullptr), m_Log(log) {}
  void Draw(int x, int y, std::uint8_t alpha, const nsZarn::nsGraphics::Rect* source, float scaleX, float,
            float) override {
    m_Log->push_back({x, y, alpha, source != nullptr ? *source : nsZarn::nsGraphics::Rect{0, 0, 0, 0}, scaleX});
  }

 private:
  std::vector<PictureDraw>* m_Log;
};

// Puts a recording picture under the name in place of whatever the table held.
inline void Record(cImageTable& table, const std::string& name, std::vector<PictureDraw>* log) {
  table.Release(name);
  table.Insert(name, new RecordingPicture(log));
}

// The virtual clock (starting at 1000 ms), a graphics window on the test back end,
// an installed fake engine, and the data archive packed from the files a test
// writes under "Data/" (PackData).
class BattleFixture : public vesk_test::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    InstallBattleEngine(&m_Engine);
  }
  void TearDown() override {
    InstallBattleEngine(nullptr);
    ShellFixture::TearDown();
  }
  static void Advance(std::uint32_t ms) { platform::AdvanceVirtualClock(ms); }
  // An animation file of `frames` frames, each 10 x 10 of a picture that is not there.
  static void WriteAnimation(const std::string& file, int frames) {
    std::string text = "[Animations]\nAnimationNum=" + std::to_string(frames) + "\n";
    for (int i = 0; i < frames; ++i) {
      text += "[Animation" + std::to_string(i) + "]\nAnimationFileName=\"Data/Effect/none.png\"\n" +
              "AnimationSrcRect_Right=10\nAnimationSrcRect_Bottom=10\n";
    }
    vesk_test::WriteFile(file, text);
  }

  FakeBattleEngine m_Engine;
  vesk_test::RecordingSoundManager& Sound() { return m_Engine.sound; }
};

}  // namespace nsVesk::nsGame::nsMine::nsTest
