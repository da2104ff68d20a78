#pragma once
// Scratch storage that the plug-in's transitions and effects keep between frames:
// one group for the running update pattern, one for the running screen effect.
// Handed out element by element through the task accessor.

#include <cstdint>

#include "engine/api/mystr.h"

namespace nsTamskLib::nsTaskManager {

// Elements in each array of a work group; valid indices are 0 to kWorkElements - 1.
inline constexpr std::uint32_t kWorkElements = 4;

struct WorkGroup {
  std::int32_t A[kWorkElements];
  std::uint8_t Flag[kWorkElements];
  mystr Str[kWorkElements];
  std::int32_t B[kWorkElements];
  double Real[kWorkElements];
  std::int32_t C[kWorkElements];

  WorkGroup() { Clear(); }

  // Integers 0, flags false, reals 0.0, strings "".
  void Clear() {
    for (std::uint32_t i = 0; i < kWorkElements; ++i) {
      A[i] = 0;
      Flag[i] = 0;
      Str[i] = "";
      B[i] = 0;
      Real[i] = 0.0;
      C[i] = 0;
    }
  }
};

}  // namespace nsTamskLib::nsTaskManager
