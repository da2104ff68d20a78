#pragma once
// Equality of two draw records as the transitions judge "this layer did not change":
// every field that decides what is drawn and where (A, X, Y, Z, Visible, BltType,
// Rect, Color, Text token by token, SrcRect, Name, SubOrder, Type). The trailing
// parameters and strings do not take part.

#include "engine/api/draw_records.h"

namespace nsTamskLib::nsTaskManager {

bool operator==(const DrawTask& lhs, const DrawTask& rhs);

// Laid-out texts equal line by line and token by token (ruby included).
bool SameTextSection(const TextTokenSection& lhs, const TextTokenSection& rhs);

}  // namespace nsTamskLib::nsTaskManager
