#pragma once
// The game's normal story scene (player state 0): the engine's default normal
// scene with four on-screen buttons (オート, スキップ, オプション, タイトルに戻る),
// a confirmation before returning to the title, Control held as a skip, and fades
// before leaving for the option scene or the title.
//
// The button rectangles are read from "Data/ADV/Common.ini" every frame. A click
// on a button does not also advance the text. While the confirmation is open or a
// fade before leaving runs, no command runs.

#include "engine/scene/default_normal_scene.h"
#include "game/components/ui_button_text.h"
#include "game/effects/effecter_fade.h"
#include "game/managers/input_manager_fd.h"

namespace nsVesk::nsADV {

class VeskNormalScene : public nsTamskLib::nsScene::DefaultNormalScene {
 public:
  // Scan codes of the left and right Control keys.
  static constexpr std::uint8_t kLeftControl = 0x1D;
  static constexpr std::uint8_t kRightControl = 0x9D;

  // input is the owning player's own input manager.
  explicit VeskNormalScene(nsInputManager::InputManagerfD& input);

  void PreUpdate() override;
  void Update() override;
  void Draw() override;
  void PostUpdate() override;

  bool IsConfirmOpen() const { return m_ConfirmOpen; }
  bool IsOptionRequested() const { return m_OptionRequested; }
  bool IsReturnFading() const { return m_ReturnFading; }

 private:
  // The four buttons, when the cursor is over one of them.
  void UpdateButtons();
  void DrawControls() override;
  // Runs the current command, with Control held counting as skip and read skip.
  void ExecuteWithHeldSkip();
  // After the return to the title: no background, sprites, choice or text window left.
  void CleanStage();

  nsInputManager::InputManagerfD& m_Input;
  nsComponent::UICButtonTextE2 m_ButtonAuto;
  nsComponent::UICButtonTextE2 m_ButtonSkip;
  nsComponent::UICButtonTextE2 m_ButtonOption;
  nsComponent::UICButtonTextE2 m_ButtonReturnTitle;
  nsComponent::UICButtonTextE2 m_ButtonYes;
  nsComponent::UICButtonTextE2 m_ButtonNo;
  nsEffect::cEffecterFadeOut m_FadeOut;
  bool m_OptionRequested = false;
  bool m_ConfirmOpen = false;
  bool m_ReturnFading = false;
};

}  // namespace nsVesk::nsADV
