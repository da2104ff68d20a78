#pragma once
// INovelEngine: the single object through which script commands, transitions,
// effects, scenes and the game reach the story engine. The plug-in calls it by the
// position of each operation, so their order is part of the plug-in interface.

#include "engine/api/fwd.h"
#include "engine/api/types.h"

namespace nsTamskLib::nsCore {

// Player states: the values on the state stack.
enum PlayerState : int {
  kStateNormal = 0,
  kStateBackLog = 1,
  kStateSave = 2,
  kStateLoad = 3,
  kStateConfig = 4,
  kStateMenu = 5,
  kStateSuspended = 6,
  kStateQuit = 7,
};

// Kinds of declared names in the symbol-kind table.
enum SymbolKind : int {
  kSymbolLocal = 1,
  kSymbolGlobal = 2,
  kSymbolButton = 3,
  kSymbolSprite = 4,
};

class INovelEngine {
 public:
  // New game.
  virtual void Initialize() = 0;
  virtual const nsSimulatedHeap::ISingleHeap* GetLabelHeap() const = 0;
  virtual nsSimulatedHeap::ISingleHeap* GetLabelHeap() = 0;
  virtual const nsSimulatedHeap::ISingleHeap* GetLocalHeap() const = 0;
  virtual nsSimulatedHeap::ISingleHeap* GetLocalHeap() = 0;
  virtual const nsSimulatedHeap::ISingleHeap* GetGlobalHeap() const = 0;
  virtual nsSimulatedHeap::ISingleHeap* GetGlobalHeap() = 0;
  virtual const nsSimulatedHeap::ISingleHeap* GetSymbolKindHeap() const = 0;
  virtual nsSimulatedHeap::ISingleHeap* GetSymbolKindHeap() = 0;
  virtual const nsSimulatedHeap::ICommandHeap* GetCommandHeap() const = 0;
  virtual nsSimulatedHeap::ICommandHeap* GetCommandHeap() = 0;
  virtual const nsTaskManager::ITaskManager* GetTaskManager() const = 0;
  virtual nsTaskManager::ITaskManager* GetTaskManager() = 0;
  virtual const nsTextManager::ITextManager* GetTextManager() const = 0;
  virtual nsTextManager::ITextManager* GetTextManager() = 0;
  virtual const nsTextStream::ITextStream* GetTextStream() const = 0;
  virtual nsTextStream::ITextStream* GetTextStream() = 0;
  virtual const nsInputManager::IInputManager* GetInputManager() const = 0;
  virtual nsInputManager::IInputManager* GetInputManager() = 0;
  virtual const nsSoundManager::ISoundManager* GetSoundManager() const = 0;
  virtual nsSoundManager::ISoundManager* GetSoundManager() = 0;
  virtual const nsDrawManager::IDrawManager* GetDrawManager() const = 0;
  virtual nsDrawManager::IDrawManager* GetDrawManager() = 0;
  // The owner window of message boxes (the game's main window).
  virtual WindowHandle GetWindowHandle() const = 0;
  virtual int GetState() const = 0;
  virtual void SetState(int state) = 0;
  virtual void PushState(int state) = 0;
  virtual bool IsMenuEnabled() const = 0;
  virtual void SetMenuEnabled(bool enabled) = 0;
  virtual bool IsSoundInUse(const char* name) = 0;
  virtual bool IsBGMPlaying(const char* name) = 0;
  virtual bool IsPlayingVoice(const char* name) = 0;
  virtual bool IsImageInUse(const char* name) = 0;
  virtual bool SaveLocalData(const char* file, nsIOStream::IIOStream* stream) = 0;
  virtual bool LoadLocalData(const char* file, nsIOStream::IIOStream* stream) = 0;
  virtual bool LinkObject(const char* file, nsIOStream::IIOStream* stream) = 0;
  // Deletes the engine's current stream and keeps the new one.
  virtual void SetIOStream(nsIOStream::IIOStream* stream) = 0;
  virtual nsIOStream::IIOStream* GetIOStream() = 0;
  virtual ~INovelEngine() = default;
  // Called each frame in the suspended state.
  virtual void OnSuspend() = 0;
  // Called each frame in the quit state.
  virtual void Quit() = 0;
};

}  // namespace nsTamskLib::nsCore
