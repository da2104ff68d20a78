// The task manager's named sprites, and the position and movement rules that
// sprites and buttons share.

#include "engine/taskmanager/task_manager.h"

#include "engine/api/plugin_api.h"
#include "engine/api/token_containers.h"
#include "engine/taskmanager/task_rules.h"

namespace nsTamskLib::nsTaskManager {

void TaskManager::PlaceTask(DrawTask& task, std::int32_t X, std::int32_t Y, std::int32_t Z,
                            std::uint8_t A) const {
  if (Z > m_MaxZ || Z < m_MinZ) RuntimeError(Owner(), "範囲外が指定されています！（Z = %d）", Z);
  task.X = X;
  task.Y = Y;
  task.Z = Z;
  task.A = A;
}

void TaskManager::MoveTask(DrawTask& task, std::int32_t dX, std::int32_t dY, std::int32_t dZ,
                           std::int32_t dA) const {
  // The sums are checked at full width, so a sum that would wrap in 32 bits cannot
  // slip past the limits.
  const std::int64_t z = static_cast<std::int64_t>(task.Z) + dZ;
  if (z > m_MaxZ || z < m_MinZ) {
    RuntimeError(Owner(), "範囲外が指定されています！（Z = %d + %d）", task.Z, dZ);
  }
  const std::int64_t a = static_cast<std::int64_t>(task.A) + dA;
  if (a > 255 || a < 0) {
    RuntimeError(Owner(), "透過度が負数か255を超えています！（A = %d + %d）",
                 static_cast<int>(task.A), dA);
  }
  task.X = Wrap32(static_cast<std::int64_t>(task.X) + dX);
  task.Y = Wrap32(static_cast<std::int64_t>(task.Y) + dY);
  task.Z = static_cast<std::int32_t>(z);
  task.A = static_cast<std::uint8_t>(a);
}

Sprite& TaskManager::FindSprite(const char* name) {
  const auto it = m_Sprites.find(NameOrEmpty(name));
  if (it == m_Sprites.end()) {
    RuntimeError(Owner(), "%sは存在しないスプライトです！", NameOrEmpty(name));
  }
  return it->second;
}

void TaskManager::AddSprite(const char* name) {
  const char* key = NameOrEmpty(name);
  if (m_Sprites.count(key) != 0) RuntimeError(Owner(), "%sは既に存在するスプライトです！", key);
  m_Sprites.emplace(key, Sprite());
}

bool TaskManager::ExistsSprite(const char* name) {
  return m_Sprites.count(NameOrEmpty(name)) != 0;
}

void TaskManager::SetAllSpritesVisible(bool visible) {
  const std::uint32_t back = BackPage();
  for (auto& [key, sprite] : m_Sprites) sprite.Task[back].Visible = visible;
}

void TaskManager::SetSpriteVisible(const char* name, bool visible) {
  FindSprite(name).Task[BackPage()].Visible = visible;
}

void TaskManager::SetSprite(const char* name, const DrawTask& task) {
  CheckSourceRect(NameOrEmpty(name), task.SrcRect);
  FindSprite(name).Task[BackPage()] = task;
}

void TaskManager::SetSpritePosition(const char* name, std::int32_t X, std::int32_t Y,
                                    std::int32_t Z, std::uint8_t A) {
  PlaceTask(FindSprite(name).Task[BackPage()], X, Y, Z, A);
}

void TaskManager::MoveSprite(const char* name, std::int32_t dX, std::int32_t dY, std::int32_t dZ,
                             std::int32_t dA) {
  MoveTask(FindSprite(name).Task[BackPage()], dX, dY, dZ, dA);
}

void TaskManager::SetSpriteImage(const char* name, const char* image, std::int32_t BltType,
                                 std::int32_t left, std::int32_t top, std::int32_t right,
                                 std::int32_t bottom) {
  DrawTask& task = FindSprite(name).Task[BackPage()];
  const TRect src{left, top, right, bottom};
  CheckSourceRect(NameOrEmpty(name), src);
  task.Name = NameOrEmpty(image);
  task.Type = kDrawImage;
  task.BltType = BltType;
  task.SrcRect = src;
  RegisterImage(NameOrEmpty(image));
}

void TaskManager::SetSpriteText(const char* name, const TextTokenSection& text) {
  DrawTask& task = FindSprite(name).Task[BackPage()];
  task.Type = kDrawText;
  task.Text = text;
}

}  // namespace nsTamskLib::nsTaskManager
