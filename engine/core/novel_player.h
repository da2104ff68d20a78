#pragma once
// NovelPlayer: the engine object that owns everything a story script needs (the
// compiled script with its labels and declared names, the variables, the command
// list and script position, the managers, the save stream and the story scenes)
// and runs one frame of it at a time. Commands, transitions and effects reach it
// as INovelEngine, its story scenes as IScenePlayer; the game derives its own
// player and supplies the owner window and quitting.
//
// The player-state stack's top is the current state: 0 normal (the script runs),
// 1 backlog, 2 save, 3 load, 4 config, 5 menu (each runs its scene), 6 suspended
// (OnSuspend each frame), 7 quit (Quit each frame).

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/api/input_manager.h"
#include "engine/api/io_stream.h"
#include "engine/api/novel_engine.h"
#include "engine/api/text_stream.h"
#include "engine/heap/command_heap.h"
#include "engine/heap/single_heap.h"
#include "engine/scene/scene_base.h"
#include "engine/scene/scene_player.h"
#include "engine/taskmanager/task_manager.h"
#include "engine/textmanager/text_manager.h"

namespace nsTamskLib::nsDrawManager { class BaseDrawManager; }
namespace nsTamskLib::nsSoundManager { class BaseSoundManager; }

namespace nsTamskLib::nsCore {

// The states that have a scene: normal to menu.
inline constexpr int kSceneStates = 6;

class NovelPlayer : public nsScene::IScenePlayer {
 public:
  // Takes ownership of the four objects, which must not be null. The flag is the
  // game's and is not used by the engine.
  NovelPlayer(nsTextStream::ITextStream* log, nsInputManager::IInputManager* input,
              nsSoundManager::BaseSoundManager* sound, nsDrawManager::BaseDrawManager* draw,
              bool windowed);
  NovelPlayer(const NovelPlayer&) = delete;
  NovelPlayer& operator=(const NovelPlayer&) = delete;

  // INovelEngine, in its order.
  void Initialize() override;
  const nsSimulatedHeap::ISingleHeap* GetLabelHeap() const override { return &m_Labels; }
  nsSimulatedHeap::ISingleHeap* GetLabelHeap() override { return &m_Labels; }
  const nsSimulatedHeap::ISingleHeap* GetLocalHeap() const override { return &m_Locals; }
  nsSimulatedHeap::ISingleHeap* GetLocalHeap() override { return &m_Locals; }
  const nsSimulatedHeap::ISingleHeap* GetGlobalHeap() const override { return &m_Globals; }
  nsSimulatedHeap::ISingleHeap* GetGlobalHeap() override { return &m_Globals; }
  const nsSimulatedHeap::ISingleHeap* GetSymbolKindHeap() const override { return &m_SymbolKinds; }
  nsSimulatedHeap::ISingleHeap* GetSymbolKindHeap() override { return &m_SymbolKinds; }
  const nsSimulatedHeap::ICommandHeap* GetCommandHeap() const override { return &m_Commands; }
  nsSimulatedHeap::ICommandHeap* GetCommandHeap() override { return &m_Commands; }
  const nsTaskManager::ITaskManager* GetTaskManager() const override { return &m_Tasks; }
  nsTaskManager::ITaskManager* GetTaskManager() override { return &m_Tasks; }
  const nsTextManager::ITextManager* GetTextManager() const override { return &m_Texts; }
  nsTextManager::ITextManager* GetTextManager() override { return &m_Texts; }
  const nsTextStream::ITextStream* GetTextStream() const override { return m_Log.get(); }
  nsTextStream::ITextStream* GetTextStream() override { return m_Log.get(); }
  const nsInputManager::IInputManager* GetInputManager() const override { return m_Input.get(); }
  nsInputManager::IInputManager* GetInputManager() override { return m_Input.get(); }
  const nsSoundManager::ISoundManager* GetSoundManager() const override;
  nsSoundManager::ISoundManager* GetSoundManager() override;
  const nsDrawManager::IDrawManager* GetDrawManager() const override;
  nsDrawManager::IDrawManager* GetDrawManager() override;
  WindowHandle GetWindowHandle() const override = 0;
  // The stack is never empty and holds only states 0 to 7: reading an empty stack
  // or storing another value is an internal fault that ends with a message.
  int GetState() const override;
  void SetState(int state) override;
  void PushState(int state) override;
  bool IsMenuEnabled() const override { return m_MenuEnabled; }
  void SetMenuEnabled(bool enabled) override { m_MenuEnabled = enabled; }
  bool IsSoundInUse(const char* name) override;
  bool IsBGMPlaying(const char* name) override;
  bool IsPlayingVoice(const char* name) override;
  bool IsImageInUse(const char* name) override;
  bool SaveLocalData(const char* file, nsIOStream::IIOStream* stream) override;
  bool LoadLocalData(const char* file, nsIOStream::IIOStream* stream) override;
  bool LinkObject(const char* file, nsIOStream::IIOStream* stream) override;
  // Handing the current stream again keeps it.
  void SetIOStream(nsIOStream::IIOStream* stream) override;
  nsIOStream::IIOStream* GetIOStream() override { return m_Stream.get(); }
  ~NovelPlayer() override;
  void OnSuspend() override {}
  void Quit() override = 0;

  // One frame: chooses "@start" when no command is chosen yet, then runs the
  // current state's scene (PreUpdate, Update, Draw, PostUpdate), OnSuspend or Quit.
  void Run();
  void PopState() override;
  void ResetStates() override;
  // The script continues at the label, in the normal state, with no text shown.
  void JumpToLabel(const std::string& label);
  void ResetToNormalState();
  void EnableInput() override;
  void DisableInput() override;
  bool IsInputEnabled() const override { return m_InputEnabled; }
  // Replaces the scene of the normal state (the game's own); handing the current
  // scene again keeps it.
  void SetNormalScene(nsScene::IScene_Base* scene) { SetScene(kStateNormal, scene); }
  // Replaces the scene of a state 0 to 5.
  void SetScene(int state, nsScene::IScene_Base* scene);
  nsScene::IScene_Base* GetScene(int state) const;

  // The compiled script; loading a second one is fatal (compiled_script.h).
  bool LoadScript(const std::string& file, nsIOStream::IIOStream* stream);
  // The loaded script's name, with the names of the linked objects.
  const std::string& GetScriptName() const { return m_ScriptName; }
  const nsSimulatedHeap::SingleHeap& GetScriptSymbols() const { return m_ScriptSymbols; }

  // The save files ("global.dat", "kidoku.dat", "env.dat"; a save slot through
  // SaveLocalData and LoadLocalData). Every writer replaces the file only when it
  // was written completely; every reader returns false for a missing file, a wrong
  // magic or a file that ends early, and leaves the player as it was then.
  bool SaveGlobal(const std::string& file, nsIOStream::IIOStream* stream);
  bool LoadGlobal(const std::string& file, nsIOStream::IIOStream* stream);
  bool SaveEnvironment(const std::string& file, nsIOStream::IIOStream* stream);
  bool LoadEnvironment(const std::string& file, nsIOStream::IIOStream* stream);
  // The three files in this order; true when all were written or read (false
  // without a player). Loading sets a windowed screen when bit 0 of flags is set
  // and "env.dat" was not read.
  static bool SaveData(NovelPlayer* player, nsIOStream::IIOStream* stream, const char* global,
                       const char* kidoku, const char* env);
  static bool LoadData(NovelPlayer* player, nsIOStream::IIOStream* stream, unsigned flags,
                       const char* global, const char* kidoku, const char* env);
  // Called by a slot block's load function whose block names nothing this program
  // has: the loaded-game check then refuses the slot being read, and the current
  // game is put back as for any other damaged slot.
  void RefuseLoadedGame() { m_LoadRefused = true; }

  // Destroys every command (before the plug-ins that made them are unloaded);
  // nothing without a player.
  static void ClearCommandHeap(NovelPlayer* player);

  // The engine's parts as the scenes and the game use them.
  nsSimulatedHeap::CommandHeap& Commands() override { return m_Commands; }
  nsTaskManager::TaskManager& Tasks() override { return m_Tasks; }
  nsTextManager::TextManager& Texts() override { return m_Texts; }
  nsSoundManager::BaseSoundManager& Sound() { return *m_Sound; }
  nsDrawManager::BaseDrawManager& Draw() override { return *m_Draw; }
  const std::vector<std::int32_t>& GetStates() const { return m_States; }

 private:
  void CheckState(int state) const;
  void WriteLocalData(nsIOStream::IIOStream& stream);
  // False when the slot was damaged: it ended early or held no script position.
  bool ReadLocalData(nsIOStream::IIOStream& stream);
  // False when a frame of the game just loaded would end the program: a script
  // position outside the command list, a screen effect, update pattern or drawing
  // that no part provides, a button label the script does not define, an open
  // choice window without its variable, or a block its load function refused.
  bool CanRunLoadedGame();
  // Plug-in blocks in name order: the name, then what the function writes.
  void WritePluginBlocks(nsIOStream::IIOStream& stream, bool environment);
  // Reads at most one block per registered function; stops cleanly at the end of
  // the file or at a name no function is registered under. False when a block
  // ended early.
  bool ReadPluginBlocks(nsIOStream::IIOStream& stream, bool environment);

  std::string m_ScriptName;
  nsSimulatedHeap::SingleHeap m_ScriptSymbols;
  std::unique_ptr<nsTextStream::ITextStream> m_Log;
  bool m_MenuEnabled;
  bool m_InputEnabled;
  bool m_LoadRefused = false;
  std::vector<std::int32_t> m_States;
  nsSimulatedHeap::SingleHeap m_Labels;
  nsSimulatedHeap::SingleHeap m_Locals;
  nsSimulatedHeap::SingleHeap m_Globals;
  nsSimulatedHeap::SingleHeap m_SymbolKinds;
  nsSimulatedHeap::CommandHeap m_Commands;
  nsTextManager::TextManager m_Texts;
  nsTaskManager::TaskManager m_Tasks;
  std::unique_ptr<nsInputManager::IInputManager> m_Input;
  std::unique_ptr<nsSoundManager::BaseSoundManager> m_Sound;
  std::unique_ptr<nsDrawManager::BaseDrawManager> m_Draw;
  std::unique_ptr<nsIOStream::IIOStream> m_Stream;
  std::array<std::unique_ptr<nsScene::IScene_Base>, kSceneStates> m_Scenes;
};

}  // namespace nsTamskLib::nsCore
