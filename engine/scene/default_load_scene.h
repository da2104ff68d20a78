#pragma once
// DefaultLoadScene: the scene of the load state. A click on a slot whose file exists
// asks for confirmation and reads the story back from it; the story then resumes in
// the normal state at the loaded position, whatever screens were open. Slots
// without a file cannot be clicked.

#include "engine/scene/slot_scene.h"

namespace nsTamskLib::nsScene {

class DefaultLoadScene : public SlotScene {
 public:
  DefaultLoadScene();

  // The captions and page buttons of the page shown; then slots, pages, back.
  void Update() override;
  // "ロードします、よろしいですか？"; true on Yes.
  virtual bool ConfirmLoad();
  // The file of a slot number, as in the save scene.
  virtual const char* GetFileName(int slot);
  // A slot without a file is disabled.
  virtual void UpdateSlotCaption(int i);
};

}  // namespace nsTamskLib::nsScene
