#pragma once
// The commands that change the engine's named buttons and named sprites: show,
// hide, enable and disable them, place and move them, give them images, a click
// area, an action label and sounds, and give sprites a laid-out text. The buttons
// and sprites themselves are declared by the script and kept by the task manager.
// Both commands finish in the frame in which they run.
//
//   Cmd_setbutton  showbutton, showallbutton, hidebutton, hideallbutton,
//                  enablebutton, enableallbutton, disablebutton, disableallbutton,
//                  setbutton, movebutton, buttonimage, buttonarea, buttonaction,
//                  buttonsound
//   Cmd_setsprite  showsprite, showallsprite, hidesprite, hideallsprite,
//                  setsprite, movesprite, spriteimage, spritetext

#include <cstdint>
#include <string>

#include "engine/api/task_manager.h"
#include "engine/api/token_containers.h"
#include "plugin/commands/command_base.h"
#include "plugin/commands/keyword_list.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

// Where a button or a sprite stands: the x, y, depth and alpha of its set and move
// statements (Expr[0] to Expr[3] of the parse results).
struct Placement {
  using SetPosition = void (nsTamskLib::nsTaskManager::ITaskManager::*)(
      const char* name, std::int32_t x, std::int32_t y, std::int32_t z, std::uint8_t a);
  using Move = void (nsTamskLib::nsTaskManager::ITaskManager::*)(
      const char* name, std::int32_t dx, std::int32_t dy, std::int32_t dz, std::int32_t da);

  void Setup(const CommandParam& param);
  // "<verb><noun> <name>, x, y, z, a" without the closing ";".
  void Dump(ITextStream* out, const char* verb, const char* noun, const char* name) const;
  void Save(IIOStream* stream) const;
  void Load(IIOStream* stream);
  // set: the position, with the alpha checked to be 0 to 255; move: the offsets.
  void Set(INovelEngine* engine, WindowHandle owner, const char* name,
           SetPosition setPosition) const;
  void Offset(INovelEngine* engine, const char* name, Move move) const;

  Expression x, y, z, a;
};

class Cmd_setbutton final : public CommandBase {
 public:
  enum Kind : std::int32_t {
    kShow = 0, kHide, kEnable, kDisable, kSet, kMove, kImage, kArea, kAction, kSound,
  };
  // The states whose source rectangles buttonimage gives, and the click rectangle.
  static constexpr int kStates = 4;
  static constexpr int kClickRect = 4;

  static ICmd_Base* Create() { return new Cmd_setbutton(); }
  static int Parse(unsigned keywordToken);
  static KeywordList Keywords();

  int Execute() override;
  void Setup(const CommandParam& param) override;
  static constexpr std::uint32_t kType = 23;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  void Save(IIOStream* stream) override;
  void Load(IIOStream* stream) override;

 private:
  void SaveOrLoadRect(int index, IIOStream* stream, bool save);

  std::int32_t m_Kind = 0;
  std::string m_Name;
  Placement m_Place;
  std::string m_Image;
  Expression m_BltType;
  Expression m_RectX[5], m_RectY[5], m_RectWidth[5], m_RectHeight[5];
  std::string m_Label;
  std::string m_ClickSound;
  std::string m_CursorSound;
};

class Cmd_setsprite final : public CommandBase {
 public:
  enum Kind : std::int32_t { kShow = 0, kHide, kSet, kMove, kImage, kText };

  static ICmd_Base* Create() { return new Cmd_setsprite(); }
  static int Parse(unsigned keywordToken);
  static KeywordList Keywords();

  int Execute() override;
  void Setup(const CommandParam& param) override;
  static constexpr std::uint32_t kType = 24;
  std::uint32_t GetID() override { return kType; }
  void Dump(ITextStream* out) override;
  void Save(IIOStream* stream) override;
  void Load(IIOStream* stream) override;

 private:
  std::int32_t m_Kind = 0;
  std::string m_Name;
  Placement m_Place;
  std::string m_Image;
  Expression m_BltType, m_RectX, m_RectY, m_RectWidth, m_RectHeight;
  std::string m_Text;
  std::string m_Font;
  Expression m_Size, m_R, m_G, m_B;
};

}  // namespace nsWendrick
