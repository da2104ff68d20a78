#include "plugin/transitions/draw_task_equality.h"

#include <cstring>

namespace nsTamskLib::nsTaskManager {
namespace {

bool SameString(const mystr& lhs, const mystr& rhs) {
  return std::strcmp(lhs.c_str(), rhs.c_str()) == 0;
}

bool SameRect(const TRect& lhs, const TRect& rhs) {
  return lhs.left == rhs.left && lhs.top == rhs.top && lhs.right == rhs.right &&
         lhs.bottom == rhs.bottom;
}

bool SameRuby(const RubyToken& lhs, const RubyToken& rhs) {
  return SameString(lhs.Text, rhs.Text) && lhs.Size == rhs.Size && lhs.Colour == rhs.Colour &&
         SameString(lhs.FontFace, rhs.FontFace) && lhs.Alpha == rhs.Alpha &&
         lhs.Flag1 == rhs.Flag1 && lhs.Flag2 == rhs.Flag2 && lhs.Width == rhs.Width &&
         lhs.Height == rhs.Height;
}

bool SameToken(const TextToken& lhs, const TextToken& rhs) {
  if (!(SameString(lhs.Text, rhs.Text) && lhs.Size == rhs.Size && lhs.Colour == rhs.Colour &&
        SameString(lhs.FontFace, rhs.FontFace) && lhs.Alpha == rhs.Alpha &&
        lhs.Flag1 == rhs.Flag1 && lhs.Flag2 == rhs.Flag2 && lhs.Width == rhs.Width &&
        lhs.Height == rhs.Height && lhs.Ruby.size() == rhs.Ruby.size())) {
    return false;
  }
  for (unsigned i = 0; i < lhs.Ruby.size(); ++i) {
    if (!SameRuby(lhs.Ruby.at(i), rhs.Ruby.at(i))) return false;
  }
  return true;
}

bool SameLine(const TextTokenLine& lhs, const TextTokenLine& rhs) {
  if (lhs.size() != rhs.size()) return false;
  for (unsigned i = 0; i < lhs.size(); ++i) {
    if (!SameToken(lhs.at(i), rhs.at(i))) return false;
  }
  return true;
}

}  // namespace

bool SameTextSection(const TextTokenSection& lhs, const TextTokenSection& rhs) {
  if (lhs.size() != rhs.size()) return false;
  for (unsigned i = 0; i < lhs.size(); ++i) {
    if (!SameLine(lhs.at(i), rhs.at(i))) return false;
  }
  return true;
}

bool operator==(const DrawTask& lhs, const DrawTask& rhs) {
  return lhs.A == rhs.A && lhs.X == rhs.X && lhs.Y == rhs.Y && lhs.Z == rhs.Z &&
         lhs.Visible == rhs.Visible && lhs.BltType == rhs.BltType && SameRect(lhs.Rect, rhs.Rect) &&
         lhs.Color == rhs.Color && SameTextSection(lhs.Text, rhs.Text) &&
         SameRect(lhs.SrcRect, rhs.SrcRect) && SameString(lhs.Name, rhs.Name) &&
         lhs.SubOrder == rhs.SubOrder && lhs.Type == rhs.Type;
}

}  // namespace nsTamskLib::nsTaskManager
