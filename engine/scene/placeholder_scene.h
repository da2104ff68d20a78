#pragma once
// PlaceholderScene: the scene of a system state (backlog, save, load, config, menu)
// that has no screen of its own yet. It draws nothing and gives the normal state
// back on its first update, so a script or key that opens it returns to the story.

#include "engine/scene/scene_base.h"

namespace nsTamskLib::nsScene {

class PlaceholderScene : public IScene_Base {
 public:
  explicit PlaceholderScene(int state) : m_State(state) {}

  void Initialize() override {}
  void PreUpdate() override {}
  // Pops its own state.
  void Update() override;
  void Draw() override {}
  void PostUpdate() override {}

  int GetSceneState() const { return m_State; }

 private:
  int m_State;
};

}  // namespace nsTamskLib::nsScene
