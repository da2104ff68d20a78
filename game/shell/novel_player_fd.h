#pragma once
// The game's script player: the engine's player with the main window as the owner
// of its message boxes, and quitting (the script's `end`) as the destruction of
// that window, which leads to the quit message and the normal shut-down with
// saving; the game's own steps run around the loading of a slot.

#include "engine/core/novel_player.h"
#include "game/managers/input_manager_fd.h"

namespace nsVesk::nsCore {

class NovelPlayerfD : public nsTamskLib::nsCore::NovelPlayer {
 public:
  // Hands the five arguments to the engine's player, which owns the four objects.
  NovelPlayerfD(nsTamskLib::nsTextStream::ITextStream* log, nsInputManager::InputManagerfD* input,
                nsTamskLib::nsSoundManager::BaseSoundManager* sound,
                nsTamskLib::nsDrawManager::BaseDrawManager* draw, bool windowed);
  ~NovelPlayerfD() override = default;

  // The graphics object's main window (null before it exists).
  nsTamskLib::WindowHandle GetWindowHandle() const override;
  // Destroys the main window; nothing happens once it is gone.
  void Quit() override;
  // The game's steps around the loading of a slot: `forget` before the engine
  // reads it, `restore` once the slot was taken. The entry sets the steps of the
  // game's place in a slot (game/story/place_block.h); without them a load is the
  // engine's alone.
  struct SlotLoadSteps {
    void (*forget)() = nullptr;
    void (*restore)() = nullptr;
  };
  void SetSlotLoadSteps(SlotLoadSteps steps) { m_SlotLoadSteps = steps; }
  // Loads the slot as the engine does, between the two steps.
  bool LoadLocalData(const char* file, nsTamskLib::nsIOStream::IIOStream* stream) override;

  // The player's own input manager as the game's type (the game's normal scene
  // forgets its buttons after a click on an on-screen button).
  nsInputManager::InputManagerfD& Input() { return *m_Input; }

 private:
  nsInputManager::InputManagerfD* m_Input;
  SlotLoadSteps m_SlotLoadSteps;
};

}  // namespace nsVesk::nsCore
