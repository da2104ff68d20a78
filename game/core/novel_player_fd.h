#pragma once
// The game's script player: the engine's player with the main window as the owner
// of its message boxes, and quitting (the script's `end`) as the destruction of
// that window, which leads to the quit message and the normal shut-down with
// saving.

#include "engine/core/novel_player.h"

namespace nsVesk::nsCore {

class NovelPlayerfD : public nsTamskLib::nsCore::NovelPlayer {
 public:
  // Hands the five arguments to the engine's player, which owns the four objects.
  NovelPlayerfD(nsTamskLib::nsTextStream::ITextStream* log, nsTamskLib::nsInputManager::IInputManager* input,
                nsTamskLib::nsSoundManager::BaseSoundManager* sound,
                nsTamskLib::nsDrawManager::BaseDrawManager* draw, bool windowed);
  ~NovelPlayerfD() override = default;

  // The graphics object's main window (null before it exists).
  nsTamskLib::WindowHandle GetWindowHandle() const override;
  // Destroys the main window; nothing happens once it is gone.
  void Quit() override;
};

}  // namespace nsVesk::nsCore
