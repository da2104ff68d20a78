#pragma once
// TaskManager: everything the story screen shows, as draw tasks. A background layer
// and three character layers, named sprites and buttons, each twice (one per page),
// the running update pattern and screen effect with their work storage, and the
// task list that is drawn each frame.
//
// Page P is shown; the setters write the back page 1 - P, so a script builds the
// next picture out of sight and an update pattern shows it and flips the pages.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/api/draw_records.h"
#include "engine/api/fwd.h"
#include "engine/api/task_manager.h"
#include "engine/api/types.h"
#include "engine/taskmanager/work_group.h"

namespace nsTamskLib::nsTaskManager {

class TaskManager : public ITaskManager {
 public:
  using SpriteMap = std::map<std::string, Sprite>;
  using ButtonMap = std::map<std::string, Button>;

  TaskManager();
  TaskManager(const TaskManager&) = delete;
  TaskManager& operator=(const TaskManager&) = delete;
  ~TaskManager() override;

  // The owning player: owner window of error boxes, and the way to the draw, sound
  // and input managers and the label table.
  void SetEngine(nsCore::INovelEngine* engine) { m_Engine = engine; }
  nsCore::INovelEngine* GetEngine() const { return m_Engine; }

  // Back to the state of a new game.
  void Reset();

  // ITaskManager: depths, layers and character placement.
  void SetMaxZ(std::int32_t z) override { m_MaxZ = z; }
  void SetMinZ(std::int32_t z) override { m_MinZ = z; }
  void SetBGZ(std::int32_t z) override { m_BGZ = z; }
  void SetCharaBackZ(std::int32_t z) override { m_CharaBackZ = z; }
  void SetCharaMiddleZ(std::int32_t z) override { m_CharaMiddleZ = z; }
  void SetCharaFrontZ(std::int32_t z) override { m_CharaFrontZ = z; }
  void SetBG(const DrawTask& task) override;
  void SetLCh(const DrawTask& task) override;
  void SetCCh(const DrawTask& task) override;
  void SetRCh(const DrawTask& task) override;
  void SetChPriority(std::uint32_t priority) override;
  void SetCharaMargin(std::int32_t margin) override { m_CharaMargin = margin; }

  // ITaskManager: sprites.
  void AddSprite(const char* name) override;
  bool ExistsSprite(const char* name) override;
  void SetAllSpritesVisible(bool visible) override;
  void SetSpriteVisible(const char* name, bool visible) override;
  void SetSprite(const char* name, const DrawTask& task) override;
  void SetSpritePosition(const char* name, std::int32_t X, std::int32_t Y, std::int32_t Z,
                         std::uint8_t A) override;
  void MoveSprite(const char* name, std::int32_t dX, std::int32_t dY, std::int32_t dZ,
                  std::int32_t dA) override;
  void SetSpriteImage(const char* name, const char* image, std::int32_t BltType,
                      std::int32_t left, std::int32_t top, std::int32_t right,
                      std::int32_t bottom) override;
  void SetSpriteText(const char* name, const TextTokenSection& text) override;

  // ITaskManager: buttons.
  void AddButton(const char* name) override;
  bool ExistsButton(const char* name) override;
  void SetAllButtonsVisible(bool visible) override;
  void SetButtonVisible(const char* name, bool visible) override;
  void SetAllButtonsEnabled(bool enabled) override;
  void SetButtonEnabled(const char* name, bool enabled) override;
  void SetButton(const char* name, const DrawTask& task) override;
  void SetButtonPosition(const char* name, std::int32_t X, std::int32_t Y, std::int32_t Z,
                         std::uint8_t A) override;
  void MoveButton(const char* name, std::int32_t dX, std::int32_t dY, std::int32_t dZ,
                  std::int32_t dA) override;
  void SetButtonImage(const char* name, const char* image, std::int32_t BltType,
                      std::int32_t normalLeft, std::int32_t normalTop, std::int32_t normalRight,
                      std::int32_t normalBottom, std::int32_t onCursorLeft,
                      std::int32_t onCursorTop, std::int32_t onCursorRight,
                      std::int32_t onCursorBottom, std::int32_t onHoldLeft,
                      std::int32_t onHoldTop, std::int32_t onHoldRight, std::int32_t onHoldBottom,
                      std::int32_t disableLeft, std::int32_t disableTop,
                      std::int32_t disableRight, std::int32_t disableBottom) override;
  void SetButtonClickRect(const char* name, std::int32_t left, std::int32_t top,
                          std::int32_t right, std::int32_t bottom) override;
  void SetButtonLabel(const char* name, const char* label) override;
  void SetButtonSounds(const char* name, const char* cursorSound, const char* pushSound) override;

  // ITaskManager: the running update pattern and screen effect.
  std::uint32_t GetUpdateType() override { return m_UpdateData.Type; }
  void SetUpdateData(const UpdateParam& param) override { m_UpdateData = param; }
  std::uint32_t GetEffectType() override { return m_EffectData.Type; }
  void SetEffectData(const EffectParam& param) override { m_EffectData = param; }

  // Whether a button plays the sound / some task shows the image.
  bool IsSoundInUse(const char* name) override;
  bool IsImageInUse(const char* name) override;

  // The frame: the update pass builds and sorts the task list through the running
  // update pattern; the effect passes run the running effect's stage functions.
  void Update();
  void EffectBeforeDraw();
  void EffectAfterDraw();
  void EffectAfterTextWindow();

  // Moves every button through its states from the mouse; a click calls the label.
  void UpdateButtons();

  // The task manager's block of a save slot: depths, the task list, the layers,
  // sprites and buttons (in name order), placement, pages and the running pattern
  // and effect; not the locks and not the work groups. Load starts from Reset,
  // registers every image it reads with the draw manager and enters the sprite and
  // button names in the symbol-kind table. A button's enabled flag is stored as the
  // player would see it with input accepted (the flag the reaction lock keeps), and
  // Load hands it back to the lock, which Reset leaves held (task_state.cpp).
  void Save(nsIOStream::IIOStream& stream);
  void Load(nsIOStream::IIOStream& stream);

  // The button-reaction lock (held while the player accepts no input) and the
  // button-visibility lock (held while the text window is hidden).
  void EnterExclusiveBRCS();
  void LeaveExclusiveBRCS();
  void EnterExclusiveBVCS();
  void LeaveExclusiveBVCS();

  // What the task accessor works on.
  void ClearTaskList() { m_TaskList.clear(); }
  void SortTaskList();
  void AppendTask(const DrawTask& task) { m_TaskList.push_back(task); }
  std::vector<DrawTask>& TaskList() { return m_TaskList; }
  const std::vector<DrawTask>& TaskList() const { return m_TaskList; }
  DrawTask* BGLayer() { return m_BG; }
  DrawTask* LChLayer() { return m_LCh; }
  DrawTask* CChLayer() { return m_CCh; }
  DrawTask* RChLayer() { return m_RCh; }
  SpriteMap& Sprites() { return m_Sprites; }
  ButtonMap& Buttons() { return m_Buttons; }
  // Places the character layers from their image sizes and the screen size, and
  // gives the four layers their depths by the current page's priority.
  void UpdateCharaPositions();
  void FlipPage() { m_Page = 1 - m_Page; }
  std::uint32_t GetPage() const { return m_Page; }
  // The back page becomes a copy of the current page.
  void CopyPageToBack();
  UpdateParam& UpdateData() { return m_UpdateData; }
  EffectParam& EffectData() { return m_EffectData; }
  WorkGroup& UpdateWork() { return m_UpdateWork; }
  WorkGroup& EffectWork() { return m_EffectWork; }
  // Clears both work groups.
  void ClearWork();

  // Read access for the player and the tests.
  std::int32_t GetMaxZ() const { return m_MaxZ; }
  std::int32_t GetMinZ() const { return m_MinZ; }
  std::int32_t GetBGZ() const { return m_BGZ; }
  std::int32_t GetCharaBackZ() const { return m_CharaBackZ; }
  std::int32_t GetCharaMiddleZ() const { return m_CharaMiddleZ; }
  std::int32_t GetCharaFrontZ() const { return m_CharaFrontZ; }
  std::int32_t GetCharaMargin() const { return m_CharaMargin; }
  std::uint32_t GetChPriority(std::uint32_t page) const { return m_ChPriority[page & 1U]; }
  bool IsExclusiveBRCS() const { return m_BRCS; }
  bool IsExclusiveBVCS() const { return m_BVCS; }

 private:
  std::uint32_t BackPage() const { return 1 - m_Page; }
  WindowHandle Owner() const;
  // Fatal "転送元矩形の指定が間違っています！" naming the owner (and the picture of a
  // button state) when the rectangle is upside down, reversed or starts off the image.
  void CheckSourceRect(const char* owner, const TRect& src, const char* picture = nullptr) const;
  void SetLayer(DrawTask* layer, const char* layerName, const DrawTask& task);
  void RegisterImage(const char* name);
  Sprite& FindSprite(const char* name);
  Button& FindButton(const char* name);
  void RefuseWhileBRCS() const;
  void RefuseWhileBVCS() const;
  void PlaySound(const char* name);
  void UpdateButton(const std::string& name, Button& button, int mouseX, int mouseY,
                    nsInputManager::IInputManager& input);
  void MoveTask(DrawTask& task, std::int32_t dX, std::int32_t dY, std::int32_t dZ,
                std::int32_t dA) const;
  void PlaceTask(DrawTask& task, std::int32_t X, std::int32_t Y, std::int32_t Z,
                 std::uint8_t A) const;
  void DrawCurrentPage();

  nsCore::INovelEngine* m_Engine;
  std::int32_t m_MaxZ;
  std::int32_t m_MinZ;
  std::int32_t m_BGZ;
  std::int32_t m_CharaBackZ;
  std::int32_t m_CharaMiddleZ;
  std::int32_t m_CharaFrontZ;
  std::vector<DrawTask> m_TaskList;
  DrawTask m_BG[2];
  DrawTask m_LCh[2];
  DrawTask m_CCh[2];
  DrawTask m_RCh[2];
  SpriteMap m_Sprites;
  ButtonMap m_Buttons;
  std::int32_t m_CharaMargin;
  std::uint32_t m_ChPriority[2];
  std::uint32_t m_Page;
  UpdateParam m_UpdateData;
  EffectParam m_EffectData;
  // Button-reaction lock: each button's Enabled as it was when the lock was entered.
  bool m_BRCS;
  std::map<std::string, bool> m_BRCSEnabled;
  // Button-visibility lock: each button's Visible on page 0 and page 1.
  bool m_BVCS;
  std::map<std::string, bool> m_BVCSVisible[2];
  WorkGroup m_UpdateWork;
  WorkGroup m_EffectWork;
};

}  // namespace nsTamskLib::nsTaskManager
