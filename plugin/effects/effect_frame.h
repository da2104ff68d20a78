#pragma once
// The frame every screen effect runs first: both accessors bound to the engine, the
// start time taken on the first frame, the elapsed time, and the common ending.
//
// The effect work group holds (index 0 to 3 of each array):
//   flag 0   the effect has started (the clock may read 0 in a started frame, so
//            the start time alone cannot tell)
//   B[0]     clock value of the first frame
//   B[1/2]   clock value of the last horizontal / vertical shake change
//   A[0/1]   current horizontal / vertical shake offset
//   real 0   the fades' level

#include <cstdint>

#include "engine/api/fwd.h"
#include "engine/api/types.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

struct EffectFrame {
  INovelEngine* engine = nullptr;
  ITMAccessor* tasks = nullptr;
  nsTamskLib::nsDrawManager::IDMAccessor* draw = nullptr;
  nsTamskLib::nsTaskManager::EffectParam* data = nullptr;
  std::uint32_t now = 0;
  std::uint32_t start = 0;
  // now - start, unsigned 32-bit.
  std::uint32_t elapsed = 0;
  // This is the effect's first frame.
  bool first = false;
};

// Binds both accessors to the engine and fetches the effect record; the work group
// is left alone. False when the host gave no accessors (nothing to do).
bool BindEffectFrame(INovelEngine* engine, EffectFrame& frame);

// BindEffectFrame, then the clock; on the first frame the start time is stored.
bool BeginEffectFrame(INovelEngine* engine, EffectFrame& frame);

// Ends the running effect: type 0, and both work groups cleared.
void EndEffect(const EffectFrame& frame);

// The effect work elements as unsigned and signed values.
std::uint32_t& EffectWorkTime(const EffectFrame& frame, std::uint32_t index);
std::int32_t& EffectWorkOffset(const EffectFrame& frame, std::uint32_t index);
double& EffectWorkLevel(const EffectFrame& frame);

// The whole screen, from the draw manager's screen size.
TRect FullScreenRect(const EffectFrame& frame);

// Asks the update pass for the page flip: the update record becomes pattern 3 with
// time 0.
void RequestPageFlip(const EffectFrame& frame);

}  // namespace nsWendrick
