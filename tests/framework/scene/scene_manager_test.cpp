#include "framework/scene/scene_manager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/support/debug_capture.h"

using nsZarn::nsFramework::nsScene::CSceneManager;
using nsZarn::nsFramework::nsScene::IScene;
using nsZarn::nsFramework::nsScene::ISceneFactory;

namespace {

using Log = std::vector<std::string>;

// A scene that records its calls as "<id>:<call>" and runs an optional action
// from CheckNextScene or Reset.
class RecordingScene : public IScene {
 public:
  RecordingScene(int id, Log& log) : m_Id(id), m_Log(log) {}
  void Release() override {
    Record("Release");
    delete this;
  }
  void Reset() override {
    Record("Reset");
    if (onReset) onReset();
  }
  void PreUpdate() override { Record("PreUpdate"); }
  void Update() override { Record("Update"); }
  void Draw(bool present) override { Record(present ? "Draw" : "Draw(false)"); }
  void CheckNextScene() override {
    Record("Check");
    if (onCheck) onCheck();
  }
  std::int32_t GetStatus() override { return status; }

  std::function<void()> onCheck;
  std::function<void()> onReset;
  std::int32_t status = 0;

 private:
  void Record(const char* call) { m_Log.push_back(std::to_string(m_Id) + ":" + call); }
  int m_Id;
  Log& m_Log;
};

class RecordingFactory : public ISceneFactory {
 public:
  explicit RecordingFactory(Log& log) : m_Log(log) {}
  void Release() override {
    m_Log.push_back("factory:Release");
    delete this;
  }
  IScene* CreateScene(int id) override {
    m_Log.push_back("create " + std::to_string(id));
    if (id == 99) return nullptr;
    auto* scene = new RecordingScene(id, m_Log);
    scenes[id] = scene;
    return scene;
  }
  std::map<int, RecordingScene*> scenes;

 private:
  Log& m_Log;
};

class SceneManagerTest : public ::testing::Test {
 protected:
  SceneManagerTest() : m_Factory(new RecordingFactory(m_Log)), m_Manager(nullptr, -1) {
    m_Manager.SetSceneFactory(m_Factory);
  }
  RecordingScene* Scene(int id) { return m_Factory->scenes.at(id); }

  Log m_Log;
  RecordingFactory* m_Factory;
  CSceneManager m_Manager;
};

TEST_F(SceneManagerTest, RequestsRunAfterTheFrameInOrder) {
  m_Manager.CreateScene(1);
  Scene(1)->onCheck = [this] {
    m_Manager.PushScene(2);
    m_Manager.PushScene(3);
  };
  m_Manager.PushScene(4);  // queued before the frame: also waits for its end
  EXPECT_EQ(m_Manager.GetTopScene(), Scene(1));
  m_Log.clear();
  m_Manager.Run();
  EXPECT_EQ(m_Log, (Log{"1:PreUpdate", "1:Update", "1:Draw", "1:Check", "create 4", "create 2", "create 3"}));
  EXPECT_EQ(m_Manager.GetTopScene(), Scene(3));
  EXPECT_EQ(m_Manager.GetScene(3), Scene(1));
  EXPECT_EQ(m_Manager.GetScene(5), nullptr) << "beyond the stack";
}

TEST_F(SceneManagerTest, ChangeAndPopInOneFrame) {
  m_Manager.CreateScene(1);
  m_Manager.CreateScene(2);
  Scene(2)->onCheck = [this] {
    m_Manager.ChangeScene(5);
    m_Manager.PopScene();
  };
  m_Log.clear();
  m_Manager.Run();
  EXPECT_EQ(m_Log, (Log{"2:PreUpdate", "2:Update", "2:Draw", "2:Check", "2:Release", "create 5", "5:Release"}));
  EXPECT_EQ(m_Manager.GetTopScene(), Scene(1));
}

TEST_F(SceneManagerTest, ResetAndPushResetsTheSceneBeneathOnce) {
  m_Manager.CreateScene(1);
  Scene(1)->onCheck = [this] { m_Manager.ResetAndPushScene(2); };
  m_Manager.Run();
  Scene(1)->onCheck = nullptr;
  EXPECT_EQ(m_Manager.GetTopScene(), Scene(2));
  Scene(2)->onCheck = [this] { m_Manager.PopScene(); };
  m_Manager.Run();
  EXPECT_EQ(m_Manager.GetTopScene(), Scene(1));
  EXPECT_EQ(std::count(m_Log.begin(), m_Log.end(), "1:Reset"), 1);
}

TEST_F(SceneManagerTest, ARequestQueuedWhileTheQueueRunsRunsInTheSamePass) {
  m_Manager.CreateScene(1);
  Scene(1)->onReset = [this] { m_Manager.PushScene(3); };
  Scene(1)->onCheck = [this] { m_Manager.ResetAndPushScene(2); };
  m_Log.clear();
  m_Manager.Run();
  EXPECT_EQ(m_Log, (Log{"1:PreUpdate", "1:Update", "1:Draw", "1:Check", "1:Reset", "create 2", "create 3"}));
  EXPECT_EQ(m_Manager.GetTopScene(), Scene(3));
}

TEST_F(SceneManagerTest, AStackWithNoRunnableSceneKeepsItsQueue) {
  vesk_test::DebugCapture capture;
  EXPECT_TRUE(m_Manager.IsEnd()) << "only the empty scene";
  m_Manager.PushScene(2);
  m_Manager.Run();
  EXPECT_TRUE(capture.Contains("実行できるシーンがありません！\n"));
  EXPECT_TRUE(m_Factory->scenes.empty()) << "the request was not carried out";
  m_Manager.CreateScene(1);
  m_Manager.Run();
  EXPECT_EQ(m_Manager.GetTopScene(), Scene(2)) << "...and not dropped either";

  // A stack emptied completely behaves the same way.
  Scene(2)->onCheck = [this] {
    for (int i = 0; i < 4; ++i) m_Manager.PopScene();
  };
  m_Manager.Run();
  EXPECT_EQ(m_Manager.GetTopScene(), nullptr);
  m_Manager.PushScene(3);
  m_Manager.Run();
  EXPECT_EQ(m_Factory->scenes.count(3), 0u);
  m_Manager.CreateScene(1);
  m_Manager.Run();
  EXPECT_EQ(m_Manager.GetTopScene(), Scene(3));
  EXPECT_EQ(m_Manager.GetScene(1), Scene(1));
}

TEST_F(SceneManagerTest, ANegativeStatusStopsAllFrames) {
  m_Manager.CreateScene(1);
  m_Manager.CreateScene(2);
  Scene(2)->status = -5;
  m_Log.clear();
  m_Manager.Run();
  EXPECT_TRUE(m_Log.empty());
  EXPECT_TRUE(m_Manager.IsEnd());
}

TEST_F(SceneManagerTest, MissingScenesAndFactoriesNeverCallThroughNull) {
  vesk_test::DebugCapture capture;
  m_Manager.CreateScene(1);
  Scene(1)->onCheck = [this] { m_Manager.ChangeScene(99); };  // the factory returns null
  m_Manager.Run();
  EXPECT_EQ(m_Manager.GetTopScene(), nullptr);
  EXPECT_TRUE(m_Manager.IsEnd());
  m_Manager.Run();  // no call through the null top
  EXPECT_TRUE(capture.Contains("実行できるシーンがありません！\n"));

  CSceneManager bare(nullptr, 7);
  EXPECT_TRUE(capture.Contains("Failed : CSceneManager::CreateScene SceneFactory Not Initialized\n"));
  EXPECT_EQ(bare.GetTopScene()->GetStatus(), -1) << "an empty scene stands in";
  bare.CreateScene(1);  // no factory: another empty scene
  EXPECT_EQ(bare.GetScene(1)->GetStatus(), -1);
  EXPECT_EQ(bare.GetScene(2), nullptr);
  bare.ResetAndPushScene(3);
  bare.Run();  // nothing runnable: neither a frame nor a request, and no crash
  EXPECT_TRUE(bare.IsEnd());
}

TEST(SceneManagerLifetimeTest, DestructionReleasesTheFactoryThenTheScenesBottomUp) {
  Log log;
  auto* factory = new RecordingFactory(log);
  {
    CSceneManager manager(factory, 1);
    manager.CreateScene(2);
    manager.SetSceneFactory(factory);  // the same factory again is kept, not released
    log.clear();
  }
  EXPECT_EQ(log, (Log{"factory:Release", "1:Release", "2:Release"}));
}

TEST(SceneManagerLifetimeTest, ReplacingTheFactoryReleasesTheOldOne) {
  Log log;
  CSceneManager manager(new RecordingFactory(log), -1);
  auto* second = new RecordingFactory(log);
  manager.SetSceneFactory(second);
  EXPECT_EQ(log, (Log{"factory:Release"}));
  EXPECT_EQ(manager.GetSceneFactory(), second);
}

}  // namespace
