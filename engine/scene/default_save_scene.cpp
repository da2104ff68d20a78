#include "engine/scene/default_save_scene.h"

#include "engine/api/input_manager.h"
#include "engine/api/plugin_api.h"
#include "engine/scene/scene_player.h"
#include "engine/scene/story_screen.h"

namespace nsTamskLib::nsScene {

DefaultSaveScene::DefaultSaveScene() : SlotScene(nsCore::kStateSave, "Save") {}

bool DefaultSaveScene::ConfirmSave() { return AskConfirmation("セーブします、よろしいですか？"); }

const char* DefaultSaveScene::GetFileName(int slot) { return FormatFileName(slot); }

void DefaultSaveScene::UpdateSlotCaption(int i) {
  WriteSlotCaption(i, GetFileName(SlotNumber(i)));
}

void DefaultSaveScene::Update() {
  IScenePlayer& player = Player();
  nsInputManager::IInputManager& input = *player.GetInputManager();
  input.Update();
  input.UpdateClickLock();
  for (int i = 0; i < kSlotsPerPage; ++i) {
    if (m_SlotButtons[static_cast<std::size_t>(i)].Update() && ConfirmSave()) {
      const char* file = GetFileName(SlotNumber(i));
      // A slot that could not be written keeps its old file; the player is told so
      // instead of leaving believing the story was saved.
      if (!player.SaveLocalData(file, m_Stream.get())) {
        Message(player.GetWindowHandle(), "%sの書き込みに失敗しました！", file);
      }
    }
    if (m_PageButtons[static_cast<std::size_t>(i)].Update()) m_Page = i;
  }
  if (m_BackButton.Update() || input.IsSaveClose()) player.PopState();
  for (int i = 0; i < kSlotsPerPage; ++i) UpdateSlotCaption(i);
  RefreshPageButtons();
}

}  // namespace nsTamskLib::nsScene
