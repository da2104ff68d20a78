#include "engine/scene/slot_scene.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "engine/drawmanager/base_draw_manager.h"
#include "engine/iostream/base_io_stream.h"
#include "engine/scene/scene_player.h"
#include "engine/scene/story_screen.h"
#include "platform/files/files.h"

namespace nsTamskLib::nsScene {
namespace {

// The last-write time of a file in local time; false when the file does not exist.
// The query holds nothing open afterwards.
bool LastWriteTime(const char* file, std::tm& local) {
  struct stat info {};
  if (::stat(platform::ToFileSystemPath(file).c_str(), &info) != 0) return false;
  const std::time_t time = info.st_mtime;
  return localtime_r(&time, &local) != nullptr;
}

}  // namespace

SlotScene::SlotScene(int state, const char* title)
    : m_Stream(std::make_unique<nsIOStream::BaseIOStream>()), m_State(state), m_Title(title) {
  for (int i = 0; i < kSlotsPerPage; ++i) {
    StyleScreenButton(m_SlotButtons[static_cast<std::size_t>(i)], 360, 80 + 40 * i, 220, 40, "");
  }
  for (int i = 0; i < kPages; ++i) {
    const char digit[2] = {static_cast<char>('0' + i), '\0'};
    StyleScreenButton(m_PageButtons[static_cast<std::size_t>(i)], 220 + 50 * (i / 5),
                      240 + 50 * (i % 5), 40, 40, digit);
  }
  StyleScreenButton(m_BackButton, 460, 490, 120, 30, "戻る");
}

SlotScene::~SlotScene() = default;

void SlotScene::SetEngine(nsCore::INovelEngine* engine) {
  IScene_Base::SetEngine(engine);
  for (auto& button : m_SlotButtons) button.SetEngine(engine);
  for (auto& button : m_PageButtons) button.SetEngine(engine);
  m_BackButton.SetEngine(engine);
}

const char* SlotScene::FormatFileName(int slot) {
  std::snprintf(m_FileName, sizeof m_FileName, "Save%02d.dat", slot);
  return m_FileName;
}

const nsComponent::UICButtonDraw& SlotScene::SlotButton(int i) const {
  return m_SlotButtons.at(static_cast<std::size_t>(i));
}

const nsComponent::UICButtonDraw& SlotScene::PageButton(int i) const {
  return m_PageButtons.at(static_cast<std::size_t>(i));
}

bool SlotScene::WriteSlotCaption(int i, const char* file) {
  const int slot = SlotNumber(i);
  char caption[64];
  std::tm time{};
  const bool exists = LastWriteTime(file, time);
  if (exists) {
    std::snprintf(caption, sizeof caption, "%02d：%04d/%02d/%02d %02d:%02d", slot,
                  time.tm_year + 1900, time.tm_mon + 1, time.tm_mday, time.tm_hour, time.tm_min);
  } else {
    std::snprintf(caption, sizeof caption, "%02d：----/--/-- --:--", slot);
  }
  m_SlotButtons[static_cast<std::size_t>(i)].SetCaption(caption, kCaptionFont, kCaptionSize);
  return exists;
}

void SlotScene::RefreshPageButtons() {
  for (auto& button : m_PageButtons) button.SetDisabled(false);
  m_PageButtons[static_cast<std::size_t>(m_Page)].SetDisabled(true);
}

void SlotScene::Draw() {
  IScenePlayer& player = Player();
  if (player.GetState() != m_State) return;
  DrawFrozenStory(player);
  DimScreen(player);
  player.Draw().DrawTextChecked(m_Title, 240, 80, 255, kTitleFont, 30, 0xFFFFFF, 0, 0);
  for (int i = 0; i < kSlotsPerPage; ++i) {
    m_SlotButtons[static_cast<std::size_t>(i)].Draw();
    m_PageButtons[static_cast<std::size_t>(i)].Draw();
  }
  m_BackButton.Draw();
  player.Draw().Present();
}

}  // namespace nsTamskLib::nsScene
