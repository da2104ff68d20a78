#include "framework/scene/scene_manager.h"

#include "platform/debug/debug_sink.h"

namespace nsZarn::nsFramework::nsScene {

CSceneManager::CSceneManager(ISceneFactory* factory, int firstSceneId) : m_Factory(factory) {
  CreateScene(firstSceneId);
}

CSceneManager::~CSceneManager() {
  if (m_Factory != nullptr) m_Factory->Release();
  m_Factory = nullptr;
  for (IScene* scene : m_Scenes) {
    if (scene != nullptr) scene->Release();
  }
  m_Scenes.clear();
}

void CSceneManager::Queue(std::int32_t code, std::int32_t argument) {
  m_RequestCodes.push_back(code);
  m_RequestArguments.push_back(argument);
}

void CSceneManager::ChangeScene(int id) { Queue(kChange, id); }
void CSceneManager::ResetAndPushScene(int id) { Queue(kResetAndPush, id); }
void CSceneManager::PushScene(int id) { Queue(kPush, id); }
void CSceneManager::PopScene() { Queue(kPop, -1); }

void CSceneManager::CreateScene(int id) {
  if (id < 0) {
    m_Scenes.push_back(new CNullScene);
    return;
  }
  if (m_Factory == nullptr) {
    // Without a factory no game scene can be made; the empty scene stops the frames
    // instead of a call through a missing factory.
    platform::WriteDebugLine("Failed : CSceneManager::CreateScene SceneFactory Not Initialized\n");
    m_Scenes.push_back(new CNullScene);
    return;
  }
  m_Scenes.push_back(m_Factory->CreateScene(id));
}

void CSceneManager::Pop() {
  if (m_Scenes.empty()) return;
  if (m_Scenes.back() != nullptr) {
    m_Scenes.back()->Release();
    m_Scenes.back() = nullptr;
  }
  m_Scenes.pop_back();
}

void CSceneManager::Run() {
  if (IsEnd()) {
    platform::WriteDebugLine("実行できるシーンがありません！\n");
    return;
  }
  // The top is looked up before each call; a scene cannot change the stack while
  // it runs, since its requests are only queued.
  if (IScene* top = GetTopScene()) top->PreUpdate();
  if (IScene* top = GetTopScene()) top->Update();
  if (IScene* top = GetTopScene()) top->Draw(true);
  if (IScene* top = GetTopScene()) top->CheckNextScene();

  // The count is read again at each step: a request queued while the queue is
  // carried out (for example from a Reset) runs in this same pass.
  for (std::size_t i = 0; i < m_RequestCodes.size(); ++i) {
    const std::int32_t argument = m_RequestArguments[i];
    switch (m_RequestCodes[i]) {
      case kChange:
        Pop();
        CreateScene(argument);
        break;
      case kResetAndPush:
        if (IScene* top = GetTopScene()) top->Reset();
        CreateScene(argument);
        break;
      case kPush:
        CreateScene(argument);
        break;
      case kPop:
        Pop();
        break;
      default:
        break;
    }
  }
  m_RequestCodes.clear();
  m_RequestArguments.clear();
}

void CSceneManager::SetSceneFactory(ISceneFactory* factory) {
  if (m_Factory != nullptr && m_Factory != factory) m_Factory->Release();
  m_Factory = factory;
}

ISceneFactory* CSceneManager::GetSceneFactory() { return m_Factory; }

bool CSceneManager::IsEnd() {
  IScene* top = GetTopScene();
  return top == nullptr || top->GetStatus() < 0;
}

IScene* CSceneManager::GetTopScene() { return GetScene(0); }

IScene* CSceneManager::GetScene(int depth) {
  if (depth < 0 || static_cast<std::size_t>(depth) >= m_Scenes.size()) return nullptr;
  return m_Scenes[m_Scenes.size() - 1 - static_cast<std::size_t>(depth)];
}

}  // namespace nsZarn::nsFramework::nsScene
