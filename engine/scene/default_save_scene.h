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
  // Every slot stays enabled.
  void UpdateSlotCaption(int i) override;
};

}  // namespace nsTamskLib::nsScene
