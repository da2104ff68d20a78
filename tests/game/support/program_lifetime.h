#pragma once
// Ends what a test made of the game's program-wide objects, so that the next test
// in the same process meets them as a fresh process does (and opens the archive as
// the entry opens it). An object the program
// defines for its whole run is given a new lifetime in place: the old one is
// destroyed, which releases its window, device, sounds or scenes, and a new one is
// made as the program makes it.

#include <memory>
#include <utility>

#include "framework/file/file_reader.h"
#include "framework/file/file_writer.h"
#include "game/core/program_objects.h"
#include "game/shell/shell_objects.h"
#include "platform/window/window.h"

namespace vesk_test {

template <typename Object, typename... Args>
void Renew(Object& object, Args&&... args) {
  std::destroy_at(&object);
  std::construct_at(&object, std::forward<Args>(args)...);
}

// The scene stack back to its empty scene, without a factory.
inline void ReleaseSceneStack() { Renew(nsVesk::g_SceneManager, nullptr, -1); }

// The script player, its commands first (a plug-in may have made them).
inline void ReleasePlayer() {
  nsTamskLib::nsCore::NovelPlayer::ClearCommandHeap(nsVesk::g_NovelPlayer);
  delete nsVesk::g_NovelPlayer;
  nsVesk::g_NovelPlayer = nullptr;
}

// The input object with its devices, and the game's input manager with its polls.
inline void ReleaseInput() {
  Renew(nsVesk::g_InputManager);
  Renew(nsVesk::g_Input);
}

inline void ReleaseSound() { Renew(nsVesk::g_Sound); }

// The main window destroyed as the program's end destroys it (its device goes
// with it), the quit message that posts read, and the graphics object renewed
// with an empty text cache.
inline void ReleaseGraphics() {
  platform::DestroyWindow(nsVesk::g_Graphic.GetMainWindow());
  platform::Message message;
  while (platform::PeekMessage(message)) {
  }
  Renew(nsVesk::g_Graphic);
}

// The archive and the parameter manager, which reads every parameter from it;
// false when the archive cannot be opened.
inline bool OpenArchive(const char* archive) {
  using nsZarn::nsFile::nsFileReader::CFileReader;
  using nsZarn::nsFile::nsFileWriter::CFileWriter;
  nsVesk::g_FilePackManager = new nsZarn::nsFramework::nsFilePack::FilePackManager(new CFileReader, new CFileWriter);
  nsVesk::g_ParamManager = new nsZarn::nsFramework::nsParam::ParamManager(new CFileReader, new CFileWriter);
  if (!nsVesk::g_FilePackManager->OpenFilePack(archive)) return false;
  nsVesk::g_ParamManager->SetFileReader(nsVesk::g_FilePackManager->GetFileReader(archive));
  return true;
}

inline void ReleaseArchive() {
  delete nsVesk::g_ParamManager;
  nsVesk::g_ParamManager = nullptr;
  delete nsVesk::g_FilePackManager;
  nsVesk::g_FilePackManager = nullptr;
}

}  // namespace vesk_test
