#pragma once
// A game scene driven on the program's scene stack, frame by frame under the
// virtual clock, with scripted mouse input, captured frames and fixed glyphs. The
// stack's factory builds the real scenes for the ids a test names and a stub for
// every other id, so that a test sees which scene was asked for without running
// it; a stub does nothing and counts its resets.

#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "game/app/scene_factory.h"
#include "game/core/program_objects.h"
#include "platform/clock/clock.h"
#include "tests/game/support/game_scene_fixture.h"
#include "tests/platform/image/test_images.h"
#include "tests/platform/support/fake_glyph_source.h"
#include "tests/support/temp_dir.h"

namespace vesk_test {

// A PNG of one colour (0xAARRGGBB) at path.
inline void WriteSolidImage(const std::string& path, int width, int height, std::uint32_t argb) {
  WriteFile(path, MakePngRgba(width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width * height), argb)));
}

class StubScene : public nsZarn::nsFramework::nsScene::IScene {
 public:
  explicit StubScene(std::int32_t id) : m_Id(id) {}
  void Release() override { delete this; }
  void Reset() override { ++resets; }
  void PreUpdate() override {}
  void Update() override {}
  void Draw(bool) override {}
  void CheckNextScene() override {}
  std::int32_t GetStatus() override { return m_Id; }

  int resets = 0;

 private:
  std::int32_t m_Id;
};

class StubbingSceneFactory : public nsZarn::nsFramework::nsScene::ISceneFactory {
 public:
  explicit StubbingSceneFactory(std::set<int> realIds) : m_RealIds(std::move(realIds)) {}
  void Release() override { delete this; }
  nsZarn::nsFramework::nsScene::IScene* CreateScene(int id) override {
    if (m_RealIds.count(id) != 0) return m_Real.CreateScene(id);
    return new (std::nothrow) StubScene(id);
  }

 private:
  std::set<int> m_RealIds;
  nsVesk::nsCore::cSceneFactory m_Real;
};

class SceneStackFixture : public GameSceneFixture {
 protected:
  static constexpr std::uint32_t kStart = 1000;  // the virtual clock when the first scene is made

  void SetUp() override {
    GameSceneFixture::SetUp();
    platform::SetGlyphSourceForTest(&m_Glyphs);
  }
  void TearDown() override {
    platform::SetGlyphSourceForTest(nullptr);
    GameSceneFixture::TearDown();
  }

  // Packs the test's data, then puts the scene `id` on the stack (under it a stub
  // of `underId` when that is not negative) with the real scenes `realIds`.
  void Start(int id, std::set<int> realIds, int underId = -1) {
    PackData();
    platform::SetVirtualClock(kStart);
    realIds.insert(id);
    nsVesk::g_SceneManager.SetSceneFactory(new StubbingSceneFactory(std::move(realIds)));
    if (underId >= 0) nsVesk::g_SceneManager.CreateScene(underId);
    nsVesk::g_SceneManager.CreateScene(id);
    Hold(5, 5, false);
  }

  // One frame of the stack at time t after the start.
  void FrameAt(std::uint32_t t) {
    platform::SetVirtualClock(kStart + t);
    nsVesk::g_SceneManager.Run();
  }
  // Frames every `step` ms from `from` to `to` (both included).
  void FramesFromTo(std::uint32_t from, std::uint32_t to, std::uint32_t step = 16) {
    for (std::uint32_t t = from; t <= to; t += step) FrameAt(t);
  }
  // A press at (x, y) in the frame at t and its release in the frame at t + 16.
  void ClickAt(std::uint32_t t, int x, int y) {
    Hold(x, y, true);
    FrameAt(t);
    Hold(x, y, false);
    FrameAt(t + 16);
  }

  static std::int32_t TopStatus() { return nsVesk::g_SceneManager.GetTopScene()->GetStatus(); }
  template <typename Scene>
  static Scene* Top() {
    return dynamic_cast<Scene*>(nsVesk::g_SceneManager.GetTopScene());
  }
  static StubScene* StubAt(int depth) { return dynamic_cast<StubScene*>(nsVesk::g_SceneManager.GetScene(depth)); }
  // The stub on top asks to be popped; the scene under it runs from the next frame.
  void PopStubAt(std::uint32_t t) {
    nsVesk::g_SceneManager.PopScene();
    FrameAt(t);
  }

  // A solid image file of the test's data.
  static void WriteImage(const std::string& path, int width, int height, std::uint32_t argb) {
    WriteSolidImage(path, width, height, argb);
  }

  std::uint32_t Pixel(int x, int y) const { return m_Back.Pixel(x, y) & 0xFFFFFFu; }

  vesk_test::FakeGlyphSource m_Glyphs;
};


}  // namespace vesk_test
