#pragma once
// SlotScene: what the save and the load scene share. Over the frozen, dimmed story
// picture they show a title, ten slot buttons for the current page, ten page
// buttons and a back button. Slot i of page p is the file "Save%02d.dat" of slot
// number p * 10 + i in the working folder; its button shows the file's last-write
// time, or dashes when the file does not exist. The class adds no virtual operation
// of its own: each scene declares its confirmation, its file name and its caption
// refresh, in this order, right after the operations of every scene.

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

  int GetPage() const { return m_Page; }
  const nsComponent::UICButtonDraw& SlotButton(int i) const;
  const nsComponent::UICButtonDraw& PageButton(int i) const;

 protected:
  // The scene of the player state given, with its title.
  SlotScene(int state, const char* title);

  // The standard file of a slot number (0 to 99), "Save%02d.dat", in a buffer of the
  // scene that the next call overwrites.
  const char* FormatFileName(int slot);
  // The slot number of slot button i on the current page.
  int SlotNumber(int i) const { return m_Page * kSlotsPerPage + i; }
  // Writes slot button i's caption from the file given; true when the file exists.
  bool WriteSlotCaption(int i, const char* file);
  // Every page button enabled but the current page's.
  void RefreshPageButtons();

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
