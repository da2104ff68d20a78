#pragma once
// DefaultSaveScene: the scene of the save state. A click on a slot asks for
// confirmation and writes the running story into that slot's file; the scene stays
// open, and the slot's caption shows the new time from the same frame on.

#include "engine/scene/slot_scene.h"

namespace nsTamskLib::nsScene {

class DefaultSaveScene : public SlotScene {
 public:
  DefaultSaveScene();

  // Slots, pages, back; then the captions and page buttons of the page shown.
  void Update() override;
  // "セーブします、よろしいですか？"; true on Yes.
  virtual bool ConfirmSave();
  // The file of a slot number (0 to 99): "Save%02d.dat" in the working folder, in a
  // buffer of the scene that the next call overwrites. Every file the scene touches
  // is named here, so a game's scene can place its slots elsewhere.
  virtual const char* GetFileName(int slot);
  // Every slot stays enabled.
  virtual void UpdateSlotCaption(int i);
};

}  // namespace nsTamskLib::nsScene
