#include "game/shell/novel_player_fd.h"

#include "engine/drawmanager/base_draw_manager.h"
#include "engine/soundmanager/base_sound_manager.h"
#include "game/core/program_objects.h"
#include "platform/window/window.h"

namespace nsVesk::nsCore {

NovelPlayerfD::NovelPlayerfD(nsTamskLib::nsTextStream::ITextStream* log,
                             nsInputManager::InputManagerfD* input,
                             nsTamskLib::nsSoundManager::BaseSoundManager* sound,
                             nsTamskLib::nsDrawManager::BaseDrawManager* draw, bool windowed)
    : NovelPlayer(log, input, sound, draw, windowed), m_Input(input) {}

nsTamskLib::WindowHandle NovelPlayerfD::GetWindowHandle() const { return g_Graphic.GetMainWindow(); }

void NovelPlayerfD::Quit() { platform::DestroyWindow(g_Graphic.GetMainWindow()); }

bool NovelPlayerfD::LoadLocalData(const char* file, nsTamskLib::nsIOStream::IIOStream* stream) {
  if (m_SlotLoadSteps.forget != nullptr) m_SlotLoadSteps.forget();
  const bool loaded = NovelPlayer::LoadLocalData(file, stream);
  if (loaded && m_SlotLoadSteps.restore != nullptr) m_SlotLoadSteps.restore();
  return loaded;
}

}  // namespace nsVesk::nsCore
