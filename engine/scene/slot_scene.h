#pragma once
// SlotScene: what the save and the load scene share. Over the frozen, dimmed story
// picture they show a title, ten slot buttons for the current page, ten page
// buttons and a back button. Slot i of page p is the file "Save%02d.dat" of slot
// number p * 10 + i in the working folder; its button shows the file's last-write
// time, or dashes when the file does not exist.

#include <array>
#include <memory>

#include "engine/api/io_stream.h"
#include "engine/component/ui_button_draw.h"
#include "engine/scene/scene_base.h"

namespace nsTamskLib::nsScene {

class SlotScene : public IScene_Base {
 public:
  static constexpr int kSlotsPerPage = 10;
  static constexpr int kPages = 10;

  ~SlotScene() override;

  // A new game starts on the first page.
  void Initialize() override { m_Page = 0; }
  void PreUpdate() override {}
  void Draw() override;
  void PostUpdate() override {}
  // The engine goes to every button too.
  void SetEngine(nsCore::INovelEngine* engine) override;

  // The file of a slot number (0 to 99), in a buffer of the scene that the next call
  // overwrites.
  const char* GetFileName(int slot);
  // Refreshes the caption of slot button i from its file.
  virtual void UpdateSlotCaption(int i) = 0;

  int GetPage() const { return m_Page; }
  const nsComponent::UICButtonDraw& SlotButton(int i) const;
  const nsComponent::UICButtonDraw& PageButton(int i) const;

 protected:
  // The scene of the player state given, with its title.
  SlotScene(int state, const char* title);

  // Writes slot button i's caption from its file; true when the file exists.
  bool WriteSlotCaption(int i);
  // Every page button enabled but the current page's.
  void RefreshPageButtons();
  // The file of slot button i on the current page.
  const char* SlotFileName(int i) { return GetFileName(m_Page * kSlotsPerPage + i); }

  int m_Page = 0;
  std::array<nsComponent::UICButtonDraw, kSlotsPerPage> m_SlotButtons;
  std::array<nsComponent::UICButtonDraw, kPages> m_PageButtons;
  nsComponent::UICButtonDraw m_BackButton;
  std::unique_ptr<nsIOStream::IIOStream> m_Stream;

 private:
  int m_State;
  const char* m_Title;
  char m_FileName[16] = {};
};

}  // namespace nsTamskLib::nsScene
