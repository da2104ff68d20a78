#pragma once
// Test doubles for the battle's effects and characters: an engine whose sound
// manager records what is played (and answers "playing" as the test says) over a
// real table of global variables, pictures that record how they are drawn, and a
// fixture with the virtual clock, the graphics test back end and a data archive.

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "engine/api/sound_manager.h"
#include "engine/heap/single_heap.h"
#include "framework/graphics/draw2d.h"
#include "game/battle/battle_engine.h"
#include "game/managers/image_table.h"
#include "platform/clock/clock.h"
#include "tests/game/managers/shell_fixture.h"
#include "tests/support/temp_dir.h"

namespace nsVesk::nsGame::nsMine::nsTest {

// Records every PlaySE; IsPlayingSE answers from `playing`.
class RecordingSoundManager final : public nsTamskLib::nsSoundManager::ISoundManager {
 public:
  bool PlaySE(const char* name) override {
    played.push_back(name);
    return true;
  }
  bool IsPlayingSE(const char* name) override { return playing.count(name) != 0; }
  int Count(const std::string& name) const {
    int n = 0;
    for (const auto& entry : played) n += entry == name ? 1 : 0;
    return n;
  }

  std::vector<std::string> played;
  std::set<std::string> playing;

  int GetSEVolume() override { return 0; }
  int GetBGMVolume() override { return 0; }
  int GetVoiceVolume() override { return 0; }
  void SetSEVolume(int) override {}
  void SetBGMVolume(int) override {}
  void SetVoiceVolume(int) override {}
  void ApplySEVolume(int) override {}
  void ApplyBGMVolume(int) override {}
  void ApplyVoiceVolume(int) override {}
  int GetDefaultSEVolume() override { return 0; }
  int GetDefaultBGMVolume() override { return 0; }
  int GetDefaultVoiceVolume() override { return 0; }
  void SetDefaultSEVolume(unsigned) override {}
  void SetDefaultBGMVolume(unsigned) override {}
  void SetDefaultVoiceVolume(unsigned) override {}
  bool IsSEVolumeInvalid() override { return false; }
  bool IsBGMVolumeInvalid() override { return false; }
  bool IsVoiceVolumeInvalid() override { return false; }
  bool StopAllSE() override { return true; }
  bool ReleaseAllSE() override { return true; }
  bool StopSE(const char*) override { return true; }
  bool LoadSE(const char*) override { return true; }
  bool ReleaseSE(const char*) override { return true; }
  bool StopBGM() override { return true; }
  bool PlayBGM(const char*) override { return true; }
  bool PlayBGMOnce(const char*) override { return true; }
  bool StopAllVoice() override { return true; }
  bool ReleaseAllVoice() override { return true; }
  bool PlayVoice(const char*) override { return true; }
  bool StopVoice(const char*) override { return true; }
  bool LoadVoice(const char*) override { return true; }
  bool ReleaseVoice(const char*) override { return true; }
  bool IsBGMPlaying(const char*) override { return false; }
  bool IsPlayingVoice(const char*) override { return false; }
};

class FakeBattleEngine final : public IBattleEngine {
 public:
  nsTamskLib::nsSoundManager::ISoundManager* GetSoundManager() override { return &sound; }
  nsTamskLib::nsSimulatedHeap::ISingleHeap* GetGlobalHeap() override { return &globals; }

  RecordingSoundManager sound;
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
  RecordingSoundManager& Sound() { return m_Engine.sound; }
};

}  // namespace nsVesk::nsGame::nsMine::nsTest
