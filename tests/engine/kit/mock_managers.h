#pragma once
// Recording managers for engine tests: gMock implementations of the plug-in
// interface. Wrap them in testing::NiceMock where unexpected calls do not matter.
// Each lives in its interface's namespace (so the interface's own type names
// resolve) and is brought into vesk_test.

#include <gmock/gmock.h>

#include "engine/api/tamsk.h"


namespace nsTamskLib::nsTaskManager {

class MockTaskManager : public ITaskManager {
 public:
  MOCK_METHOD(void, SetMaxZ, (std::int32_t z), (override));
  MOCK_METHOD(void, SetMinZ, (std::int32_t z), (override));
  MOCK_METHOD(void, SetBGZ, (std::int32_t z), (override));
  MOCK_METHOD(void, SetCharaBackZ, (std::int32_t z), (override));
  MOCK_METHOD(void, SetCharaMiddleZ, (std::int32_t z), (override));
  MOCK_METHOD(void, SetCharaFrontZ, (std::int32_t z), (override));
  MOCK_METHOD(void, SetBG, (const DrawTask& task), (override));
  MOCK_METHOD(void, SetLCh, (const DrawTask& task), (override));
  MOCK_METHOD(void, SetCCh, (const DrawTask& task), (override));
  MOCK_METHOD(void, SetRCh, (const DrawTask& task), (override));
  MOCK_METHOD(void, SetChPriority, (std::uint32_t priority), (override));
  MOCK_METHOD(void, SetCharaMargin, (std::int32_t margin), (override));
  MOCK_METHOD(void, AddSprite, (const char* name), (override));
  MOCK_METHOD(bool, ExistsSprite, (const char* name), (override));
  MOCK_METHOD(void, SetAllSpritesVisible, (bool visible), (override));
  MOCK_METHOD(void, SetSpriteVisible, (const char* name, bool visible), (override));
  MOCK_METHOD(void, SetSprite, (const char* name, const DrawTask& task), (override));
  MOCK_METHOD(void, SetSpritePosition, (const char* name, std::int32_t X, std::int32_t Y, std::int32_t Z, std::uint8_t A), (override));
  MOCK_METHOD(void, MoveSprite, (const char* name, std::int32_t dX, std::int32_t dY, std::int32_t dZ, std::int32_t dA), (override));
  MOCK_METHOD(void, SetSpriteImage, (const char* name, const char* image, std::int32_t BltType, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom), (override));
  MOCK_METHOD(void, SetSpriteText, (const char* name, const TextTokenSection& text), (override));
  MOCK_METHOD(void, AddButton, (const char* name), (override));
  MOCK_METHOD(bool, ExistsButton, (const char* name), (override));
  MOCK_METHOD(void, SetAllButtonsVisible, (bool visible), (override));
  MOCK_METHOD(void, SetButtonVisible, (const char* name, bool visible), (override));
  MOCK_METHOD(void, SetAllButtonsEnabled, (bool enabled), (override));
  MOCK_METHOD(void, SetButtonEnabled, (const char* name, bool enabled), (override));
  MOCK_METHOD(void, SetButton, (const char* name, const DrawTask& task), (override));
  MOCK_METHOD(void, SetButtonPosition, (const char* name, std::int32_t X, std::int32_t Y, std::int32_t Z, std::uint8_t A), (override));
  MOCK_METHOD(void, MoveButton, (const char* name, std::int32_t dX, std::int32_t dY, std::int32_t dZ, std::int32_t dA), (override));
  // gMock takes at most 15 arguments: the four pictures arrive as rectangles.
  MOCK_METHOD(void, SetButtonImageRects, (const char* name, const char* image, std::int32_t BltType, TRect normal, TRect onCursor, TRect onHold, TRect disable));
  void SetButtonImage(const char* name, const char* image, std::int32_t BltType, std::int32_t normalLeft, std::int32_t normalTop, std::int32_t normalRight, std::int32_t normalBottom, std::int32_t onCursorLeft, std::int32_t onCursorTop, std::int32_t onCursorRight, std::int32_t onCursorBottom, std::int32_t onHoldLeft, std::int32_t onHoldTop, std::int32_t onHoldRight, std::int32_t onHoldBottom, std::int32_t disableLeft, std::int32_t disableTop, std::int32_t disableRight, std::int32_t disableBottom) override {
    SetButtonImageRects(name, image, BltType, TRect{normalLeft, normalTop, normalRight, normalBottom}, TRect{onCursorLeft, onCursorTop, onCursorRight, onCursorBottom}, TRect{onHoldLeft, onHoldTop, onHoldRight, onHoldBottom}, TRect{disableLeft, disableTop, disableRight, disableBottom});
  }
  MOCK_METHOD(void, SetButtonClickRect, (const char* name, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom), (override));
  MOCK_METHOD(void, SetButtonLabel, (const char* name, const char* label), (override));
  MOCK_METHOD(void, SetButtonSounds, (const char* name, const char* cursorSound, const char* pushSound), (override));
  MOCK_METHOD(std::uint32_t, GetUpdateType, (), (override));
  MOCK_METHOD(void, SetUpdateData, (const UpdateParam& param), (override));
  MOCK_METHOD(std::uint32_t, GetEffectType, (), (override));
  MOCK_METHOD(void, SetEffectData, (const EffectParam& param), (override));
  MOCK_METHOD(bool, IsSoundInUse, (const char* name), (override));
  MOCK_METHOD(bool, IsImageInUse, (const char* name), (override));
};

}  // namespace nsTamskLib::nsTaskManager

namespace nsTamskLib::nsTaskManager {

class MockTMAccessor : public ITMAccessor {
 public:
  MOCK_METHOD(void, ClearTaskList, (), (override));
  MOCK_METHOD(void, SortTaskList, (), (override));
  MOCK_METHOD(void, CopyPageToBack, (), (override));
  MOCK_METHOD(void, PushTaskList, (const DrawTask& PushTask), (override));
  MOCK_METHOD(void, PushTaskListDirect, (const DrawTask& task), (override));
  MOCK_METHOD(void, GetTaskPointers, (std::uint32_t* count, DrawTask** out), (override));
  MOCK_METHOD(DrawTask*, GetBGLayer, (), (override));
  MOCK_METHOD(DrawTask*, GetLChLayer, (), (override));
  MOCK_METHOD(DrawTask*, GetCChLayer, (), (override));
  MOCK_METHOD(DrawTask*, GetRChLayer, (), (override));
  MOCK_METHOD(void, GetSpriteList, (std::uint32_t* count, Sprite** out), (override));
  MOCK_METHOD(Sprite*, GetSprite, (const char* SpriteName), (override));
  MOCK_METHOD(void, GetButtonList, (std::uint32_t* count, Button** out), (override));
  MOCK_METHOD(Button*, GetButton, (const char* ButtonName), (override));
  MOCK_METHOD(void, UpdateCharaPositions, (), (override));
  MOCK_METHOD(void, FlipPage, (), (override));
  MOCK_METHOD(std::uint32_t, GetPage, (), (override));
  MOCK_METHOD(EffectParam*, GetEffectData, (), (override));
  MOCK_METHOD(UpdateParam*, GetUpdateData, (), (override));
  MOCK_METHOD(void, ClearWork, (), (override));
  MOCK_METHOD(std::int32_t*, GetUpdateWorkA, (std::uint32_t i), (override));
  MOCK_METHOD(std::uint8_t*, GetUpdateWorkFlag, (std::uint32_t i), (override));
  MOCK_METHOD(mystr*, GetUpdateWorkStr, (std::uint32_t i), (override));
  MOCK_METHOD(std::int32_t*, GetUpdateWorkB, (std::uint32_t i), (override));
  MOCK_METHOD(double*, GetUpdateWorkReal, (std::uint32_t i), (override));
  MOCK_METHOD(std::int32_t*, GetUpdateWorkC, (std::uint32_t i), (override));
  MOCK_METHOD(std::int32_t*, GetEffectWorkA, (std::uint32_t i), (override));
  MOCK_METHOD(std::uint8_t*, GetEffectWorkFlag, (std::uint32_t i), (override));
  MOCK_METHOD(mystr*, GetEffectWorkStr, (std::uint32_t i), (override));
  MOCK_METHOD(std::int32_t*, GetEffectWorkB, (std::uint32_t i), (override));
  MOCK_METHOD(double*, GetEffectWorkReal, (std::uint32_t i), (override));
  MOCK_METHOD(std::int32_t*, GetEffectWorkC, (std::uint32_t i), (override));
};

}  // namespace nsTamskLib::nsTaskManager

namespace nsTamskLib::nsDrawManager {

class MockDrawManager : public IDrawManager {
 public:
  MOCK_METHOD(bool, ReleaseAllImages, (), (override));
  MOCK_METHOD(bool, RegisterImage, (const char* name), (override));
  MOCK_METHOD(bool, UnregisterImage, (const char* name), (override));
  MOCK_METHOD(std::int32_t, GetScreenWidth, (), (override));
  MOCK_METHOD(std::int32_t, GetScreenHeight, (), (override));
  MOCK_METHOD(bool, IsFullScreen, (), (override));
  MOCK_METHOD(void, SetFullScreen, (bool fullScreen), (override));
  MOCK_METHOD(std::int32_t, GetTextSpeed, (), (override));
  MOCK_METHOD(void, SetTextSpeed, (std::int32_t speed), (override));
  MOCK_METHOD(std::int32_t, GetConfigTextSpeed, (), (override));
  MOCK_METHOD(void, SetConfigTextSpeed, (std::int32_t speed), (override));
  MOCK_METHOD(bool, IsTextWindowVisible, (), (override));
  MOCK_METHOD(void, SetTextWindowVisible, (bool visible), (override));
  MOCK_METHOD(bool, IsTextWindowForced, (), (override));
  MOCK_METHOD(void, SetTextWindowForced, (bool forced), (override));
  MOCK_METHOD(void, SetTextWindow, (TRect position, std::uint32_t fill, std::uint8_t alpha, std::uint32_t borderWidth, std::uint32_t borderColor), (override));
  MOCK_METHOD(void, SetTextWindow, (const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha, TRect src), (override));
  MOCK_METHOD(const char*, GetRubyFont, (), (override));
  MOCK_METHOD(void, SetRubyFont, (const char* font), (override));
  MOCK_METHOD(std::int32_t, GetRubyFontSize, (), (override));
  MOCK_METHOD(void, SetRubyFontSize, (std::int32_t size), (override));
  MOCK_METHOD(void, GetMessagePosition, (std::int32_t* x, std::int32_t* y), (override));
  MOCK_METHOD(void, SetMessagePosition, (std::int32_t x, std::int32_t y), (override));
  MOCK_METHOD(std::int32_t, GetMessageWidth, (), (override));
  MOCK_METHOD(void, SetMessageWidth, (std::int32_t width), (override));
  MOCK_METHOD(std::int32_t, GetMessageHeight, (), (override));
  MOCK_METHOD(void, SetMessageHeight, (std::int32_t height), (override));
  MOCK_METHOD(std::uint32_t, GetMessageColor, (), (override));
  MOCK_METHOD(void, SetMessageColor, (std::uint32_t color), (override));
  MOCK_METHOD(const char*, GetMessageFont, (), (override));
  MOCK_METHOD(void, SetMessageFont, (const char* font), (override));
  MOCK_METHOD(std::int32_t, GetMessageFontSize, (), (override));
  MOCK_METHOD(void, SetMessageFontSize, (std::int32_t size), (override));
  MOCK_METHOD(void, GetTalkerPosition, (std::int32_t* x, std::int32_t* y), (override));
  MOCK_METHOD(void, SetTalkerPosition, (std::int32_t x, std::int32_t y), (override));
  MOCK_METHOD(std::int32_t, GetTalkerWidth, (), (override));
  MOCK_METHOD(void, SetTalkerWidth, (std::int32_t width), (override));
  MOCK_METHOD(std::int32_t, GetTalkerHeight, (), (override));
  MOCK_METHOD(void, SetTalkerHeight, (std::int32_t height), (override));
  MOCK_METHOD(std::uint32_t, GetTalkerColor, (), (override));
  MOCK_METHOD(void, SetTalkerColor, (std::uint32_t color), (override));
  MOCK_METHOD(const char*, GetTalkerFont, (), (override));
  MOCK_METHOD(void, SetTalkerFont, (const char* font), (override));
  MOCK_METHOD(std::int32_t, GetTalkerFontSize, (), (override));
  MOCK_METHOD(void, SetTalkerFontSize, (std::int32_t size), (override));
  MOCK_METHOD(TextTokenSection*, GetMessageText, (), (override));
  MOCK_METHOD(void, SetMessageText, (const TextTokenSection& text), (override));
  MOCK_METHOD(TextTokenSection*, GetTalkerText, (), (override));
  MOCK_METHOD(void, SetTalkerText, (const TextTokenSection& text), (override));
  MOCK_METHOD(void, SetTextCursor, (std::int32_t state), (override));
  MOCK_METHOD(void, SetTextCursorEnabled, (std::uint8_t none, std::uint8_t click, std::uint8_t goNext, std::uint8_t backLog), (override));
  MOCK_METHOD(void, SetTextCursorNone, (const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha, TRect src, std::uint8_t absolute), (override));
  MOCK_METHOD(void, SetTextCursorClick, (const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha, TRect src, std::uint8_t absolute), (override));
  MOCK_METHOD(void, SetTextCursorGoNext, (const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha, TRect src, std::uint8_t absolute), (override));
  MOCK_METHOD(void, SetTextCursorBackLog, (const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha, TRect src, std::uint8_t absolute), (override));
  MOCK_METHOD(std::int32_t, GetSelectFontSize, (), (override));
  MOCK_METHOD(void, SetSelectFontSize, (std::int32_t size), (override));
  MOCK_METHOD(const char*, GetSelectFont, (), (override));
  MOCK_METHOD(void, SetSelectFont, (const char* font), (override));
  MOCK_METHOD(std::int32_t, GetSelectItemWidth, (), (override));
  MOCK_METHOD(void, SetSelectItemWidth, (std::int32_t width), (override));
  MOCK_METHOD(std::int32_t, GetSelectItemHeight, (), (override));
  MOCK_METHOD(void, SetSelectItemHeight, (std::int32_t height), (override));
  MOCK_METHOD(void, SetSelectTextColorNormal, (std::uint32_t color), (override));
  MOCK_METHOD(void, SetSelectTextColorOnCursor, (std::uint32_t color), (override));
  MOCK_METHOD(void, SetSelectTextColorOnHold, (std::uint32_t color), (override));
  MOCK_METHOD(void, SetSelectBottomMargin, (std::int32_t margin), (override));
  MOCK_METHOD(void, SetSelectDecideSound, (const char* name), (override));
  MOCK_METHOD(void, SetSelectCursorSound, (const char* name), (override));
  MOCK_METHOD(void, SetSelectWindow, (std::int32_t margin, std::uint32_t fillNormal, std::uint32_t fillOnCursor, std::uint32_t fillOnHold, std::uint8_t alpha, std::uint32_t borderWidth, std::uint32_t borderNormal, std::uint32_t borderOnCursor, std::uint32_t borderOnHold), (override));
  MOCK_METHOD(void, SetSelectWindow, (const char* name, std::uint8_t alpha, TRect normal, TRect onCursor, TRect onHold), (override));
  MOCK_METHOD(bool, UpdateSelect, (), (override));
  MOCK_METHOD(void, StartSelect, (const char* variable, std::uint32_t count, const TextTokenSection* items), (override));
  MOCK_METHOD(void, EndSelect, (), (override));
  MOCK_METHOD(std::uint32_t, GetTargetBGColor, (), (override));
  MOCK_METHOD(void, SetTargetBGColor, (std::uint32_t color), (override));
  MOCK_METHOD(bool, IsSoundInUse, (const char* name), (override));
  MOCK_METHOD(bool, IsImageInUse, (const char* name), (override));
  MOCK_METHOD(void, Present, (), (override));
  MOCK_METHOD(void, DrawMessageTextColor, (std::uint32_t color), (override));
  MOCK_METHOD(void, DrawMessageText, (), (override));
  MOCK_METHOD(void, DrawTalkerTextColor, (std::uint32_t color), (override));
  MOCK_METHOD(void, DrawTalkerText, (), (override));
  MOCK_METHOD(void, DrawTasks, (), (override));
  MOCK_METHOD(void, DrawTextWindow, (), (override));
  MOCK_METHOD(void, DrawTextCursor, (), (override));
  MOCK_METHOD(void, DrawSelectWindow, (), (override));
  MOCK_METHOD(void, DrawUnderTasks, (), (override));
  MOCK_METHOD(bool, LoadImage, (const char* name), (override));
  MOCK_METHOD(bool, ReleaseImage, (const char* name), (override));
  MOCK_METHOD(void, Clear, (std::uint32_t color), (override));
  MOCK_METHOD(void, Blt0, (const mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha, TRect src), (override));
  MOCK_METHOD(void, Blt1, (const mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha, TRect src), (override));
  MOCK_METHOD(void, Blt2, (const mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha, TRect src), (override));
  MOCK_METHOD(void, Blt4, (const mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha, TRect src), (override));
  MOCK_METHOD(void, Blt5, (const mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha, TRect src), (override));
  MOCK_METHOD(void, Blt6, (const mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha, TRect src), (override));
  MOCK_METHOD(void, DrawText, (const mystr& text, std::int32_t x, std::int32_t y, std::uint8_t alpha, const mystr& fontFace, std::int32_t size, std::uint32_t color, std::uint8_t flag1, std::uint8_t flag2), (override));
  MOCK_METHOD(void, FillRect, (TRect rect, std::uint32_t color, std::uint8_t alpha), (override));
};

}  // namespace nsTamskLib::nsDrawManager

namespace nsTamskLib::nsDrawManager {

class MockDMAccessor : public IDMAccessor {
 public:
  MOCK_METHOD(void, ApplyBGColor, (), (override));
  MOCK_METHOD(void, ResetBGColor, (), (override));
  MOCK_METHOD(std::uint32_t, GetBGColor, (), (override));
  MOCK_METHOD(void, SetBGColor, (std::uint32_t color), (override));
  MOCK_METHOD(void, Blt0, (const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha, TRect src), (override));
  MOCK_METHOD(void, Blt1, (const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha, TRect src), (override));
  MOCK_METHOD(void, Blt2, (const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha, TRect src), (override));
  MOCK_METHOD(void, Blt4, (const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha, TRect src), (override));
  MOCK_METHOD(void, Blt5, (const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha, TRect src), (override));
  MOCK_METHOD(void, Blt6, (const char* name, std::int32_t x, std::int32_t y, std::uint8_t alpha, TRect src), (override));
  MOCK_METHOD(void, DrawText, (const char* text, std::int32_t x, std::int32_t y, std::uint8_t alpha, const char* fontFace, std::int32_t size, std::uint32_t color, std::uint8_t flag1, std::uint8_t flag2), (override));
  MOCK_METHOD(void, DrawTextSectionEx, (const TextTokenSection& section, std::int32_t x, std::int32_t y, std::uint8_t alpha, std::uint32_t color), (override));
  MOCK_METHOD(void, DrawTextSection, (const TextTokenSection& section, std::int32_t x, std::int32_t y, std::uint8_t alpha), (override));
  MOCK_METHOD(void, FillRect, (TRect rect, std::uint32_t color, std::uint8_t alpha), (override));
  MOCK_METHOD(void, FillRectWithBorder, (TRect rect, std::uint32_t fill, std::uint8_t alpha, std::uint32_t borderWidth, std::uint32_t borderColor), (override));
};

}  // namespace nsTamskLib::nsDrawManager

namespace nsTamskLib::nsSoundManager {

class MockSoundManager : public ISoundManager {
 public:
  MOCK_METHOD(int, GetSEVolume, (), (override));
  MOCK_METHOD(int, GetBGMVolume, (), (override));
  MOCK_METHOD(int, GetVoiceVolume, (), (override));
  MOCK_METHOD(void, SetSEVolume, (int volume), (override));
  MOCK_METHOD(void, SetBGMVolume, (int volume), (override));
  MOCK_METHOD(void, SetVoiceVolume, (int volume), (override));
  MOCK_METHOD(void, ApplySEVolume, (int volume), (override));
  MOCK_METHOD(void, ApplyBGMVolume, (int volume), (override));
  MOCK_METHOD(void, ApplyVoiceVolume, (int volume), (override));
  MOCK_METHOD(int, GetDefaultSEVolume, (), (override));
  MOCK_METHOD(int, GetDefaultBGMVolume, (), (override));
  MOCK_METHOD(int, GetDefaultVoiceVolume, (), (override));
  MOCK_METHOD(void, SetDefaultSEVolume, (unsigned volume), (override));
  MOCK_METHOD(void, SetDefaultBGMVolume, (unsigned volume), (override));
  MOCK_METHOD(void, SetDefaultVoiceVolume, (unsigned volume), (override));
  MOCK_METHOD(bool, IsSEVolumeInvalid, (), (override));
  MOCK_METHOD(bool, IsBGMVolumeInvalid, (), (override));
  MOCK_METHOD(bool, IsVoiceVolumeInvalid, (), (override));
  MOCK_METHOD(bool, StopAllSE, (), (override));
  MOCK_METHOD(bool, ReleaseAllSE, (), (override));
  MOCK_METHOD(bool, PlaySE, (const char* name), (override));
  MOCK_METHOD(bool, StopSE, (const char* name), (override));
  MOCK_METHOD(bool, LoadSE, (const char* name), (override));
  MOCK_METHOD(bool, ReleaseSE, (const char* name), (override));
  MOCK_METHOD(bool, StopBGM, (), (override));
  MOCK_METHOD(bool, PlayBGM, (const char* name), (override));
  MOCK_METHOD(bool, PlayBGMOnce, (const char* name), (override));
  MOCK_METHOD(bool, StopAllVoice, (), (override));
  MOCK_METHOD(bool, ReleaseAllVoice, (), (override));
  MOCK_METHOD(bool, PlayVoice, (const char* name), (override));
  MOCK_METHOD(bool, StopVoice, (const char* name), (override));
  MOCK_METHOD(bool, LoadVoice, (const char* name), (override));
  MOCK_METHOD(bool, ReleaseVoice, (const char* name), (override));
  MOCK_METHOD(bool, IsPlayingSE, (const char* name), (override));
  MOCK_METHOD(bool, IsBGMPlaying, (const char* name), (override));
  MOCK_METHOD(bool, IsPlayingVoice, (const char* name), (override));
};

}  // namespace nsTamskLib::nsSoundManager

namespace nsTamskLib::nsInputManager {

class MockInputManager : public IInputManager {
 public:
  MOCK_METHOD(bool, IsLeftDown, (), (override));
  MOCK_METHOD(bool, IsLeftPushed, (), (override));
  MOCK_METHOD(bool, IsLeftReleased, (), (override));
  MOCK_METHOD(bool, IsMiddleDown, (), (override));
  MOCK_METHOD(bool, IsMiddlePushed, (), (override));
  MOCK_METHOD(bool, IsMiddleReleased, (), (override));
  MOCK_METHOD(bool, IsRightDown, (), (override));
  MOCK_METHOD(bool, IsRightPushed, (), (override));
  MOCK_METHOD(bool, IsRightReleased, (), (override));
  MOCK_METHOD(void, GetMousePos, (int& x, int& y), (override));
  MOCK_METHOD(int, GetWheel, (int& wheel), (override));
  MOCK_METHOD(bool, IsBackLogCall, (), (override));
  MOCK_METHOD(bool, IsConfigCall, (), (override));
  MOCK_METHOD(bool, IsMenuCall, (), (override));
  MOCK_METHOD(bool, IsSaveCall, (), (override));
  MOCK_METHOD(bool, IsLoadCall, (), (override));
  MOCK_METHOD(bool, IsSuspendCall, (), (override));
  MOCK_METHOD(bool, IsQuitCall, (), (override));
  MOCK_METHOD(bool, IsBackLogClose, (), (override));
  MOCK_METHOD(bool, IsConfigClose, (), (override));
  MOCK_METHOD(bool, IsMenuClose, (), (override));
  MOCK_METHOD(bool, IsSaveClose, (), (override));
  MOCK_METHOD(bool, IsLoadClose, (), (override));
  MOCK_METHOD(bool, IsAutoOn, (), (override));
  MOCK_METHOD(bool, IsAutoOff, (), (override));
  MOCK_METHOD(bool, IsSkipOn, (), (override));
  MOCK_METHOD(bool, IsSkipOff, (), (override));
  MOCK_METHOD(bool, IsGoNext, (), (override));
  MOCK_METHOD(bool, IsTextWindowToggle, (), (override));
  MOCK_METHOD(bool, IsBackLogScrollUp, (), (override));
  MOCK_METHOD(bool, IsBackLogScrollDown, (), (override));
  MOCK_METHOD(bool, IsSpareDown, (), (override));
  MOCK_METHOD(bool, IsSparePushed, (), (override));
  MOCK_METHOD(bool, IsSpareReleased, (), (override));
  MOCK_METHOD(bool, IsButtonDown, (), (override));
  MOCK_METHOD(bool, IsButtonPushed, (), (override));
  MOCK_METHOD(bool, IsButtonReleased, (), (override));
  MOCK_METHOD(bool, IsComponentDown, (), (override));
  MOCK_METHOD(bool, IsComponentPushed, (), (override));
  MOCK_METHOD(bool, IsComponentReleased, (), (override));
  MOCK_METHOD(void, UpdateClickLock, (), (override));
  MOCK_METHOD(bool, IsClickLocked, (), (override));
  MOCK_METHOD(void, SetClickLock, (unsigned frames), (override));
  MOCK_METHOD(void, Update, (), (override));
};

}  // namespace nsTamskLib::nsInputManager

namespace nsTamskLib::nsTextManager {

class MockTextManager : public ITextManager {
 public:
  MOCK_METHOD(bool, IsSkip, (), (override));
  MOCK_METHOD(void, SetSkip, (bool skip), (override));
  MOCK_METHOD(bool, IsKidokuSkip, (), (override));
  MOCK_METHOD(void, SetKidokuSkip, (bool skip), (override));
  MOCK_METHOD(bool, IsAuto, (), (override));
  MOCK_METHOD(void, SetAuto, (bool autoMode), (override));
  MOCK_METHOD(std::uint32_t, GetAutoWait, (), (override));
  MOCK_METHOD(void, SetAutoWait, (std::uint32_t wait), (override));
  MOCK_METHOD(std::uint32_t, GetBackLogMax, (), (override));
  MOCK_METHOD(void, SetBackLogMax, (std::uint32_t max), (override));
  MOCK_METHOD(void, MarkRead, (std::uint32_t id), (override));
  MOCK_METHOD(bool, IsRead, (std::uint32_t id), (override));
  MOCK_METHOD(void, MoveBackLogCursor, (std::int32_t delta), (override));
  MOCK_METHOD(std::uint32_t, GetBackLogCursor, (), (override));
  MOCK_METHOD(void, SetBackLogCursor, (std::uint32_t cursor), (override));
  MOCK_METHOD(void, ClearBackLog, (), (override));
  MOCK_METHOD(bool, IsBackLogEmpty, (), (override));
  MOCK_METHOD(BackLogRecord*, GetRecordData, (), (override));
  MOCK_METHOD(void, AddRecord, (const BackLogRecord& record), (override));
};

}  // namespace nsTamskLib::nsTextManager

namespace nsTamskLib::nsIOStream {

class MockIOStream : public IIOStream {
 public:
  MOCK_METHOD(bool, Open, (const char* file, const char* mode), (override));
  MOCK_METHOD(bool, Close, (), (override));
  MOCK_METHOD(bool, IsOpen, (), (override, const));
  MOCK_METHOD(void, SaveNum, (std::int32_t value), (override));
  MOCK_METHOD(void, SaveChar, (const char* text), (override));
  MOCK_METHOD(void, SavePrimitive, (const void* data, unsigned size), (override));
  MOCK_METHOD(void, LoadNum, (std::int32_t* value), (override));
  MOCK_METHOD(void, LoadChar, (char* buffer), (override));
  MOCK_METHOD(void, LoadPrimitive, (void* data, unsigned size), (override));
  MOCK_METHOD(void, SaveStringM, (const mystr& text), (override));
  MOCK_METHOD(void, SaveStringVM, (const vector_mystr& texts), (override));
  MOCK_METHOD(void, SaveExpression, (const Expression& expr), (override));
  MOCK_METHOD(void, SaveTextTokenSection, (const TextTokenSection& section), (override));
  MOCK_METHOD(void, LoadStringM, (mystr& text), (override));
  MOCK_METHOD(void, LoadStringVM, (vector_mystr& texts), (override));
  MOCK_METHOD(void, LoadExpression, (Expression& expr), (override));
  MOCK_METHOD(void, LoadTextTokenSection, (TextTokenSection& section), (override));
  MOCK_METHOD(void, SaveDrawTask, (const nsTaskManager::DrawTask& task), (override));
  MOCK_METHOD(void, SaveSprite, (const nsTaskManager::Sprite& sprite), (override));
  MOCK_METHOD(void, SaveButton, (const nsTaskManager::Button& button), (override));
  MOCK_METHOD(void, SaveEffectParam, (const nsTaskManager::EffectParam& param), (override));
  MOCK_METHOD(void, SaveUpdateParam, (const nsTaskManager::UpdateParam& param), (override));
  MOCK_METHOD(void, LoadDrawTask, (nsTaskManager::DrawTask& task), (override));
  MOCK_METHOD(void, LoadSprite, (nsTaskManager::Sprite& sprite), (override));
  MOCK_METHOD(void, LoadButton, (nsTaskManager::Button& button), (override));
  MOCK_METHOD(void, LoadEffectParam, (nsTaskManager::EffectParam& param), (override));
  MOCK_METHOD(void, LoadUpdateParam, (nsTaskManager::UpdateParam& param), (override));
  MOCK_METHOD(void, SaveRecord, (const nsTextManager::BackLogRecord& record), (override));
  MOCK_METHOD(void, LoadRecord, (nsTextManager::BackLogRecord& record), (override));
  MOCK_METHOD(bool, HasReadFailed, (), (override, const));
};

}  // namespace nsTamskLib::nsIOStream

namespace nsTamskLib {

class MockCommand : public ICmd_Base {
 public:
  MOCK_METHOD(void, Reset, (), (override));
  MOCK_METHOD(void, Destroy, (), (override));
  MOCK_METHOD(int, Execute, (), (override));
  MOCK_METHOD(void, SetEngine, (nsCore::INovelEngine* engine), (override));
  MOCK_METHOD(void, Setup, (const CommandParam& param), (override));
  MOCK_METHOD(std::uint32_t, GetID, (), (override));
  MOCK_METHOD(void, Dump, (nsTextStream::ITextStream* out), (override));
  MOCK_METHOD(void, Save, (nsIOStream::IIOStream* stream), (override));
  MOCK_METHOD(void, Load, (nsIOStream::IIOStream* stream), (override));
};

}  // namespace nsTamskLib

namespace vesk_test {
using nsTamskLib::nsTaskManager::MockTaskManager;
using nsTamskLib::nsTaskManager::MockTMAccessor;
using nsTamskLib::nsDrawManager::MockDrawManager;
using nsTamskLib::nsDrawManager::MockDMAccessor;
using nsTamskLib::nsSoundManager::MockSoundManager;
using nsTamskLib::nsInputManager::MockInputManager;
using nsTamskLib::nsTextManager::MockTextManager;
using nsTamskLib::nsIOStream::MockIOStream;
using nsTamskLib::MockCommand;
}  // namespace vesk_test
