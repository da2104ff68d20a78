#include "engine/api/draw_records.h"

#include "engine/api/backlog_record.h"

namespace nsTamskLib::nsTaskManager {

DrawTask::DrawTask()
    : A(255), X(0), Y(0), Z(0), Visible(false), BltType(0), Rect{0, 0, 0, 0}, Color(0),
      SrcRect{0, 0, 0, 0}, SubOrder(0), Type(0), Param{} {}

void DrawTask::Clear() {
  A = 255;
  X = 0;
  Y = 0;
  Z = 0;
  Visible = false;
  BltType = 0;
  Rect = TRect{0, 0, 0, 0};
  Color = 0;
  Text.clear();
  SrcRect = TRect{0, 0, 0, 0};
  Name = "";
  SubOrder = 0;
  Type = 0;
  for (int i = 0; i < kDrawTaskParams; ++i) {
    Param[i] = 0;
    Str[i] = "";
  }
}

bool DrawTaskLess(const DrawTask& a, const DrawTask& b) {
  if (a.Z != b.Z) return a.Z < b.Z;
  if (a.SubOrder != b.SubOrder) return a.SubOrder < b.SubOrder;
  return a.A > b.A;
}

void Sprite::Clear() {
  Task[0].Clear();
  Task[1].Clear();
}

Button::Button()
    : Held(false), CursorOver(false), Enabled(false), ClickRect{0, 0, 0, 0}, SrcRect{} {}

void Button::Clear() {
  Held = false;
  CursorOver = false;
  Enabled = false;
  ClickRect = TRect{0, 0, 0, 0};
  for (auto& page : SrcRect) {
    for (TRect& rect : page) rect = TRect{0, 0, 0, 0};
  }
  Label = "";
  PushSound = "";
  CursorSound = "";
  Task[0].Clear();
  Task[1].Clear();
}

EffectParam::EffectParam() : Type(0), Time(0), Color(0), Param{} {}

void EffectParam::Clear() {
  Type = 0;
  Time = 0;
  Color = 0;
  for (int i = 0; i < kEffectParams; ++i) {
    Param[i] = 0;
    Str[i] = "";
  }
}

UpdateParam::UpdateParam() : Type(0), Time(0), Color(0), Param{} {}

void UpdateParam::Clear() {
  Type = 0;
  Time = 0;
  Color = 0;
  for (int i = 0; i < kEffectParams; ++i) {
    Param[i] = 0;
    Str[i] = "";
  }
}

}  // namespace nsTamskLib::nsTaskManager

namespace nsTamskLib::nsTextManager {

void BackLogRecord::Clear() {
  Message.clear();
  Talker.clear();
  Extra.clear();
}

}  // namespace nsTamskLib::nsTextManager
