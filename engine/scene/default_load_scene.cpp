#include "engine/scene/default_load_scene.h"

#include "engine/api/input_manager.h"
#include "engine/api/plugin_api.h"
#include "engine/scene/scene_player.h"
#include "engine/scene/story_screen.h"

namespace nsTamskLib::nsScene {

DefaultLoadScene::DefaultLoadScene() : SlotScene(nsCore::kStateLoad, "Load") {}

bool DefaultLoadScene::ConfirmLoad() { return AskConfirmation("ロードします、よろしいですか？"); }

const char* DefaultLoadScene::GetFileName(int slot) { return FormatFileName(slot); }

void DefaultLoadScene::UpdateSlotCaption(int i) {
  const bool exists = WriteSlotCaption(i, GetFileName(SlotNumber(i)));
  m_SlotButtons[static_cast<std::size_t>(i)].SetDisabled(!exists);
}

void DefaultLoadScene::Update() {
  for (int i = 0; i < kSlotsPerPage; ++i) UpdateSlotCaption(i);
  RefreshPageButtons();
  IScenePlayer& player = Player();
  nsInputManager::IInputManager& input = *player.GetInputManager();
  input.Update();
  input.UpdateClickLock();
  bool loadTried = false;
  for (int i = 0; i < kSlotsPerPage; ++i) {
    if (m_SlotButtons[static_cast<std::size_t>(i)].Update() && !loadTried && ConfirmLoad()) {
      loadTried = true;
      const char* file = GetFileName(SlotNumber(i));
      if (player.LoadLocalData(file, m_Stream.get())) {
        player.ResetStates();
      } else {
        // The slot was not taken: the scene stays open over the game as it is now,
        // and the player is told so instead of returning as if it had loaded.
        Message(player.GetWindowHandle(), "%sの読み込みに失敗しました！", file);
      }
    }
    if (m_PageButtons[static_cast<std::size_t>(i)].Update()) m_Page = i;
  }
  // After a load the state stack is already set; a failed load may have started a
  // new game when the current one could not be kept, so nothing is popped either.
  if (loadTried) return;
  if (m_BackButton.Update() || input.IsLoadClose()) player.PopState();
}

}  // namespace nsTamskLib::nsScene
