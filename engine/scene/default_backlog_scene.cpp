#include "engine/scene/default_backlog_scene.h"

#include "engine/api/input_manager.h"
#include "engine/drawmanager/base_draw_manager.h"
#include "engine/scene/scene_player.h"
#include "engine/scene/story_screen.h"
#include "engine/taskmanager/task_manager.h"
#include "engine/textmanager/text_manager.h"

namespace nsTamskLib::nsScene {
namespace {

// The text cursor kinds the backlog switches between.
constexpr std::int32_t kCursorNone = 0;
constexpr std::int32_t kCursorBackLog = 3;
// Old messages are shown in light grey, whatever colours they carry.
constexpr std::uint32_t kBackLogTextColor = 0xC0C0C0;

}  // namespace

void DefaultBackLogScene::Initialize() { m_FirstFrame = true; }

void DefaultBackLogScene::PreUpdate() {
  if (!m_FirstFrame) return;
  m_FirstFrame = false;
  IScenePlayer& player = Player();
  player.Texts().SetBackLogCursor(1);
  nsDrawManager::BaseDrawManager& draw = player.Draw();
  m_SavedText.Message = *draw.GetMessageText();
  m_SavedText.Talker = *draw.GetTalkerText();
  draw.SetTextCursor(kCursorBackLog);
}

void DefaultBackLogScene::Update() {
  IScenePlayer& player = Player();
  nsInputManager::IInputManager& input = *player.GetInputManager();
  input.Update();
  input.UpdateClickLock();
  nsTextManager::TextManager& texts = player.Texts();
  if (input.IsBackLogScrollUp()) texts.MoveBackLogCursor(1);
  if (input.IsBackLogScrollDown()) texts.MoveBackLogCursor(-1);
  // A script can open the backlog before any message was recorded: the screen then
  // keeps what it shows instead of asking for a record that does not exist.
  if (texts.IsBackLogEmpty()) return;
  const nsTextManager::BackLogRecord& record = *texts.GetRecordData();
  nsDrawManager::BaseDrawManager& draw = player.Draw();
  draw.SetMessageText(record.Message);
  draw.SetTalkerText(record.Talker);
}

void DefaultBackLogScene::Draw() {
  IScenePlayer& player = Player();
  if (player.GetState() != nsCore::kStateBackLog) return;
  nsDrawManager::BaseDrawManager& draw = player.Draw();
  nsTaskManager::TaskManager& tasks = player.Tasks();
  draw.ClearScreen();
  draw.DrawUnderTasks();
  tasks.EffectBeforeDraw();
  draw.DrawTasks();
  tasks.EffectAfterDraw();
  draw.DrawTextWindow();
  draw.DrawMessageTextColor(kBackLogTextColor);
  draw.DrawTalkerTextColor(kBackLogTextColor);
  draw.DrawTextCursor();
  draw.DrawSelectWindow();
  tasks.EffectAfterTextWindow();
  draw.Present();
}

void DefaultBackLogScene::PostUpdate() {
  IScenePlayer& player = Player();
  if (!player.GetInputManager()->IsBackLogClose()) return;
  m_FirstFrame = true;
  player.PopState();
  player.Texts().SetBackLogCursor(1);
  nsDrawManager::BaseDrawManager& draw = player.Draw();
  draw.SetMessageText(m_SavedText.Message);
  draw.SetTalkerText(m_SavedText.Talker);
  draw.SetTextCursor(kCursorNone);
}

}  // namespace nsTamskLib::nsScene
