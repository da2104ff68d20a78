#include "engine/core/novel_player.h"

#include <iterator>
#include <utility>

#include "engine/api/plugin_api.h"
#include "engine/api/text_stream.h"
#include "engine/drawmanager/base_draw_manager.h"
#include "engine/iostream/base_io_stream.h"
#include "engine/scene/default_backlog_scene.h"
#include "engine/scene/default_config_scene.h"
#include "engine/scene/default_load_scene.h"
#include "engine/scene/default_menu_scene.h"
#include "engine/scene/default_normal_scene.h"
#include "engine/scene/default_save_scene.h"
#include "engine/soundmanager/base_sound_manager.h"

namespace nsTamskLib::nsCore {

NovelPlayer::NovelPlayer(nsTextStream::ITextStream* log, nsInputManager::IInputManager* input,
                         nsSoundManager::BaseSoundManager* sound,
                         nsDrawManager::BaseDrawManager* draw, bool /*windowed*/)
    : m_Log(log),
      m_MenuEnabled(true),
      m_InputEnabled(false),
      m_Input(input),
      m_Sound(sound),
      m_Draw(draw) {
  m_Commands.SetEngine(this);
  m_Tasks.SetEngine(this);
  m_Draw->SetEngine(this);
  m_Stream = std::make_unique<nsIOStream::BaseIOStream>();
  SetScene(kStateNormal, new nsScene::DefaultNormalScene());
  SetScene(kStateBackLog, new nsScene::DefaultBackLogScene());
  SetScene(kStateSave, new nsScene::DefaultSaveScene());
  SetScene(kStateLoad, new nsScene::DefaultLoadScene());
  SetScene(kStateConfig, new nsScene::DefaultConfigScene());
  SetScene(kStateMenu, new nsScene::DefaultMenuScene());
  m_States.clear();
  m_States.push_back(kStateNormal);
  m_MenuEnabled = true;
  m_InputEnabled = false;
}

NovelPlayer::~NovelPlayer() {
  m_Log.reset();
  m_Input.reset();
  m_Sound->StopBGM();
  m_Sound->ReleaseBGM();
  m_Sound->StopAllSE();
  m_Sound->ReleaseAllSE();
  m_Sound->StopAllVoice();
  m_Sound->ReleaseAllVoice();
  m_Sound.reset();
  m_Draw->ReleaseAllImages();
  m_Draw.reset();
  // The scenes, the task and text managers, the command heap (which destroys any
  // command left), the stream, the states and the tables go with the members.
}

const nsSoundManager::ISoundManager* NovelPlayer::GetSoundManager() const { return m_Sound.get(); }
nsSoundManager::ISoundManager* NovelPlayer::GetSoundManager() { return m_Sound.get(); }
const nsDrawManager::IDrawManager* NovelPlayer::GetDrawManager() const { return m_Draw.get(); }
nsDrawManager::IDrawManager* NovelPlayer::GetDrawManager() { return m_Draw.get(); }

void NovelPlayer::Initialize() {
  m_Locals.Clear();
  // Global names keep their kind across a new game; every other kind goes.
  auto& kinds = m_SymbolKinds.GetMap();
  for (auto it = kinds.begin(); it != kinds.end();) {
    it = it->second != kSymbolGlobal ? kinds.erase(it) : std::next(it);
  }
  m_Commands.ResetCommands();
  m_Tasks.Reset();
  m_Texts.Reset();
  m_Sound->ResetSound();
  m_Draw->Reset();
  m_States.clear();
  PushState(kStateNormal);
  SetMenuEnabled(true);
  m_InputEnabled = false;
  for (auto& scene : m_Scenes) {
    if (scene != nullptr) scene->Initialize();
  }
}

void NovelPlayer::CheckState(int state) const {
  if (state < kStateNormal || state > kStateQuit) {
    RuntimeError(GetWindowHandle(), "不正なプレイヤーの状態です！（State = %d）", state);
  }
}

int NovelPlayer::GetState() const {
  if (m_States.empty()) RuntimeError(GetWindowHandle(), "プレイヤーの状態が存在しません！");
  return m_States.back();
}

void NovelPlayer::SetState(int state) {
  CheckState(state);
  if (m_States.empty()) RuntimeError(GetWindowHandle(), "プレイヤーの状態が存在しません！");
  m_States.back() = state;
}

void NovelPlayer::PushState(int state) {
  CheckState(state);
  m_States.push_back(state);
}

void NovelPlayer::PopState() {
  if (m_States.size() <= 1) {
    RuntimeError(GetWindowHandle(), "最後のプレイヤーの状態は取り除けません！");
  }
  m_States.pop_back();
}

void NovelPlayer::ResetStates() {
  m_States.clear();
  PushState(kStateNormal);
}

bool NovelPlayer::IsSoundInUse(const char* name) {
  return m_Tasks.IsSoundInUse(name) || m_Sound->IsPlayingSE(name) || m_Draw->IsSoundInUse(name);
}

bool NovelPlayer::IsBGMPlaying(const char* name) { return m_Sound->IsBGMPlaying(name); }

bool NovelPlayer::IsPlayingVoice(const char* name) { return m_Sound->IsPlayingVoice(name); }

bool NovelPlayer::IsImageInUse(const char* name) {
  return m_Tasks.IsImageInUse(name) || m_Draw->IsImageInUse(name);
}

void NovelPlayer::SetIOStream(nsIOStream::IIOStream* stream) {
  if (stream == m_Stream.get()) return;
  m_Stream.reset(stream);
}

void NovelPlayer::SetScene(int state, nsScene::IScene_Base* scene) {
  if (state < kStateNormal || state >= kSceneStates) {
    RuntimeError(GetWindowHandle(), "不正なプレイヤーの状態です！（State = %d）", state);
  }
  auto& place = m_Scenes[static_cast<std::size_t>(state)];
  if (scene == place.get()) return;
  place.reset(scene);
  if (scene != nullptr) scene->SetPlayer(this);
}

nsScene::IScene_Base* NovelPlayer::GetScene(int state) const {
  if (state < kStateNormal || state >= kSceneStates) return nullptr;
  return m_Scenes[static_cast<std::size_t>(state)].get();
}

void NovelPlayer::Run() {
  if (m_ScriptName.empty()) {
    RuntimeError(GetWindowHandle(), "実行するスクリプトファイルが指定されていません！");
  }
  if (m_Commands.GetIterator() == -1) {
    if (!m_Labels.Exists("@start")) {
      RuntimeError(GetWindowHandle(), "%sには開始ラベルが存在しません！", m_ScriptName.c_str());
    }
    m_Commands.SetIterator(m_Labels.Get("@start"));
  }
  const int state = GetState();
  if (state >= kStateNormal && state < kSceneStates) {
    nsScene::IScene_Base* scene = m_Scenes[static_cast<std::size_t>(state)].get();
    if (scene == nullptr) {
      RuntimeError(GetWindowHandle(), "プレイヤーの状態にシーンがありません！（State = %d）", state);
    }
    scene->PreUpdate();
    scene->Update();
    scene->Draw();
    scene->PostUpdate();
  } else if (state == kStateSuspended) {
    OnSuspend();
  } else if (state == kStateQuit) {
    Quit();
  } else {
    CheckState(state);
  }
}

void NovelPlayer::JumpToLabel(const std::string& label) {
  if (!m_Labels.Exists(label.c_str())) {
    RuntimeError(GetWindowHandle(), "%sは存在しないラベルです！", label.c_str());
  }
  m_Commands.SetIterator(m_Labels.Get(label.c_str()));
  ResetToNormalState();
}

void NovelPlayer::ResetToNormalState() {
  SetState(kStateNormal);
  const TextTokenSection empty;
  m_Draw->SetMessageText(empty);
  m_Draw->SetTalkerText(empty);
}

void NovelPlayer::EnableInput() {
  if (m_InputEnabled) RuntimeError(GetWindowHandle(), "既に入力受付は有効化されています！");
  m_InputEnabled = true;
  m_Tasks.LeaveExclusiveBRCS();
}

void NovelPlayer::DisableInput() {
  if (!m_InputEnabled) RuntimeError(GetWindowHandle(), "既に入力受付は無効化されています！");
  m_InputEnabled = false;
  m_Tasks.EnterExclusiveBRCS();
}

void NovelPlayer::ClearCommandHeap(NovelPlayer* player) {
  if (player != nullptr) player->m_Commands.Clear();
}

}  // namespace nsTamskLib::nsCore
