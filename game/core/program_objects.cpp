#include "game/core/program_objects.h"

namespace nsVesk {

nsZarn::nsFramework::nsFilePack::FilePackManager* g_FilePackManager = nullptr;
nsZarn::nsFramework::nsParam::ParamManager* g_ParamManager = nullptr;
nsZarn::nsGraphics::ZarnGraphic g_Graphic;
nsZarn::nsSound::ZarnSound g_Sound;
nsZarn::nsInput::ZarnInput g_Input;
nsTamskLib::nsIOStream::BaseIOStream g_SaveStream;
// Defined after the graphics, sound and input objects, so that it is destroyed
// before them: the scenes still on its stack at exit release their images and
// sounds while those objects exist.
nsZarn::nsFramework::nsScene::CSceneManager g_SceneManager(nullptr, -1);

}  // namespace nsVesk
