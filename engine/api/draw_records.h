#pragma once
// The records of the story screen that cross between the program and the plug-in
// by reference: the draw task, the sprite and button records, and the parameters
// of the running update pattern and screen effect. Their field order is part of the
// plug-in interface; nothing stores them raw (the save stream writes them field by
// field), so their byte sizes may differ from the 32-bit originals.

#include <cstdint>

#include "engine/api/mystr.h"
#include "engine/api/token_containers.h"
#include "engine/api/types.h"

namespace nsTamskLib::nsTaskManager {

// Kinds of draw task (DrawTask::Type); 4 and above are plug-in kinds.
enum DrawTaskType : std::uint32_t {
  kDrawNothing = 0,
  kDrawFilledRect = 1,
  kDrawText = 2,
  kDrawImage = 3,
  kDrawFirstPluginType = 4,
};

inline constexpr int kDrawTaskParams = 10;

// One thing to draw in a frame.
struct DrawTask {
  std::uint8_t A;        // alpha, 0 (invisible) to 255 (opaque)
  std::int32_t X;
  std::int32_t Y;
  std::int32_t Z;        // larger is drawn later (in front)
  bool Visible;
  std::int32_t BltType;  // transfer method of an image task
  TRect Rect;            // screen rectangle of a filled-rectangle task
  std::uint32_t Color;   // engine colour 0xAABBGGRR
  TextTokenSection Text; // laid-out text of a text task
  TRect SrcRect;         // part of the image that is drawn
  mystr Name;            // image name
  std::uint32_t SubOrder;
  std::uint32_t Type;
  std::int32_t Param[kDrawTaskParams];
  mystr Str[kDrawTaskParams];

  // Builds a cleared task.
  DrawTask();
  DrawTask(const DrawTask& other) = default;
  DrawTask& operator=(const DrawTask& other) = default;
  ~DrawTask() = default;

  // A 255, every other field 0, false or empty; the text keeps its lines allocated.
  void Clear();
};

// The draw order of the task list: Z ascending (signed), then SubOrder ascending
// (unsigned), then A descending. Tasks equal in all three have no fixed order.
bool DrawTaskLess(const DrawTask& a, const DrawTask& b);

// A named sprite: one task per page (page 0 first).
struct Sprite {
  DrawTask Task[2];

  void Clear();
};

// The pictures of a button, the second index of Button::SrcRect.
enum ButtonState : int {
  kButtonNormal = 0,
  kButtonOnCursor = 1,
  kButtonOnHold = 2,
  kButtonDisable = 3,
};

// A named button: a task per page with four pictures, a click rectangle, two
// sounds and the label called on a click.
struct Button {
  bool Held;
  bool CursorOver;
  bool Enabled;
  TRect ClickRect;       // relative to the task's X, Y; bounds inclusive
  TRect SrcRect[2][4];   // [page][ButtonState]
  mystr Label;
  mystr PushSound;
  mystr CursorSound;
  DrawTask Task[2];

  // Builds a cleared button: disabled, every rectangle 0, empty strings.
  Button();
  void Clear();
};

inline constexpr int kEffectParams = 10;

// Parameters of the running screen effect (m_EffectData).
struct EffectParam {
  std::uint32_t Type;   // effect number; 0 = no effect
  std::uint32_t Time;   // duration, milliseconds
  std::uint32_t Color;  // engine colour
  std::int32_t Param[kEffectParams];
  mystr Str[kEffectParams];

  EffectParam();
  void Clear();
};

// Parameters of the running update pattern (m_UpdateData); the layout of EffectParam.
struct UpdateParam {
  std::uint32_t Type;   // pattern number; 0 = show the current page
  std::uint32_t Time;
  std::uint32_t Color;
  std::int32_t Param[kEffectParams];
  mystr Str[kEffectParams];

  UpdateParam();
  void Clear();
};

}  // namespace nsTamskLib::nsTaskManager
