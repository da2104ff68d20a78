#pragma once
// The scene interface, the scene factory interface and the empty scene.
// A scene is one screen of the game; the scene manager owns the scenes on its stack
// and runs one frame of the top scene per idle pass.

#include <cstdint>

namespace nsZarn::nsFramework::nsScene {

class IScene {
 public:
  virtual ~IScene() = default;
  // Deletes the scene; the one way the manager disposes of it.
  virtual void Release() = 0;
  // Returns the scene to its starting state (called on the scene that stays beneath
  // when another is pushed by a reset-and-push request).
  virtual void Reset() = 0;
  virtual void PreUpdate() = 0;
  virtual void Update() = 0;
  virtual void Draw(bool present) = 0;
  // Lets the scene request a scene change through the manager.
  virtual void CheckNextScene() = 0;
  // The scene's own id; negative when no scene can run.
  virtual std::int32_t GetStatus() = 0;
};

class ISceneFactory {
 public:
  virtual ~ISceneFactory() = default;
  virtual void Release() = 0;
  // A new scene for the id (owned by the caller).
  virtual IScene* CreateScene(int id) = 0;
};

// The empty scene: does nothing, and its status -1 stops the frames.
class CNullScene : public IScene {
 public:
  void Release() override { delete this; }
  void Reset() override {}
  void PreUpdate() override {}
  void Update() override {}
  void Draw(bool) override {}
  void CheckNextScene() override {}
  std::int32_t GetStatus() override { return -1; }
};

}  // namespace nsZarn::nsFramework::nsScene
