#pragma once
// The scene stack. Scenes request changes while they run; the requests are queued
// and carried out after the frame, in order, so that a scene is never destroyed
// while one of its own operations is running.

#include <cstdint>
#include <vector>

#include "framework/scene/scene.h"

namespace nsZarn::nsFramework::nsScene {

class ISceneManager {
 public:
  virtual ~ISceneManager() = default;
  virtual void ChangeScene(int id) = 0;
  virtual void ResetAndPushScene(int id) = 0;
  virtual void PushScene(int id) = 0;
  virtual void PopScene() = 0;
  virtual void CreateScene(int id) = 0;
  virtual void Run() = 0;
  virtual void SetSceneFactory(ISceneFactory* factory) = 0;
  virtual ISceneFactory* GetSceneFactory() = 0;
  virtual bool IsEnd() = 0;
  virtual IScene* GetTopScene() = 0;
  virtual IScene* GetScene(int depth) = 0;
};

class CSceneManager : public ISceneManager {
 public:
  // Takes ownership of the factory (may be null) and creates the first scene; a
  // negative id gives the empty scene.
  CSceneManager(ISceneFactory* factory, int firstSceneId);
  CSceneManager(const CSceneManager&) = delete;
  CSceneManager& operator=(const CSceneManager&) = delete;
  ~CSceneManager() override;

  // Queued; carried out after the current frame.
  void ChangeScene(int id) override;         // pop the top, then create the id
  void ResetAndPushScene(int id) override;   // reset the top, then create the id over it
  void PushScene(int id) override;           // create the id over the top
  void PopScene() override;                  // pop the top
  // At once: pushes the factory's scene for id >= 0, an empty scene for id < 0.
  void CreateScene(int id) override;
  // One frame of the top scene, then the queued requests.
  void Run() override;
  // Takes ownership of the factory; a different factory held before is released.
  void SetSceneFactory(ISceneFactory* factory) override;
  ISceneFactory* GetSceneFactory() override;
  // True when no scene can run: the stack is empty, its top is null, or the top's
  // status is negative.
  bool IsEnd() override;
  IScene* GetTopScene() override;
  // The scene at the depth from the top (0 = top); null beyond the stack.
  IScene* GetScene(int depth) override;

 private:
  enum RequestCode : std::int32_t { kChange = 1, kResetAndPush = 2, kPush = 3, kPop = 4 };

  void Queue(std::int32_t code, std::int32_t argument);
  void Pop();

  std::vector<IScene*> m_Scenes;  // bottom first; owned
  ISceneFactory* m_Factory;       // owned
  std::vector<std::int32_t> m_RequestCodes;
  std::vector<std::int32_t> m_RequestArguments;  // entry i belongs to code i
};

}  // namespace nsZarn::nsFramework::nsScene
