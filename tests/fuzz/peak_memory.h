#pragma once
// The most memory the process held at once since the last reset, less what it
// held at the reset: what one replayed input cost at its peak. Under
// AddressSanitizer the allocator's hooks count the live heap (the resident size
// would count the sanitizer's quarantine of freed memory too); elsewhere it is the
// resident size's high-water mark, which Linux resets on request.

#include <cstddef>

namespace vesk_fuzz {

void ResetPeakMemory();
std::size_t PeakMemorySinceReset();

}  // namespace vesk_fuzz
