#pragma once
// IScene_Base: a story scene, one per player state from normal (0) to menu (5). Each
// frame in which its state is on top of the player's state stack, the player calls
// PreUpdate, Update, Draw and PostUpdate in this order. The player owns its scenes
// and deletes them through the virtual destructor.

#include "engine/api/fwd.h"

namespace nsTamskLib::nsScene {

class IScenePlayer;

class IScene_Base {
 public:
  virtual ~IScene_Base() = default;
  // Back to the scene's new-game state.
  virtual void Initialize() = 0;
  virtual void PreUpdate() = 0;
  virtual void Update() = 0;
  virtual void Draw() = 0;
  virtual void PostUpdate() = 0;
  virtual void SetEngine(nsCore::INovelEngine* engine) { m_Engine = engine; }
  // Installs the scene in its player, which is also its engine (SetEngine).
  void SetPlayer(IScenePlayer* player);

 protected:
  IScene_Base() = default;
  IScene_Base(const IScene_Base&) = delete;
  IScene_Base& operator=(const IScene_Base&) = delete;

  // The player that owns the scene; a scene not installed in one is an internal
  // fault that ends with a message.
  IScenePlayer& Player() const;

  // Not owned; null until SetEngine.
  nsCore::INovelEngine* m_Engine = nullptr;

 private:
  // Not owned; null until SetPlayer.
  IScenePlayer* m_Player = nullptr;
};

}  // namespace nsTamskLib::nsScene
