// Feeds GCC's own coverage instrumentation (-fsanitize-coverage=trace-pc, a call at
// the start of every basic block) into AFL++'s shared coverage map, with AFL's
// edge hashing: the map counts pairs of consecutive blocks, not blocks.

#include <cstdint>

extern "C" unsigned char* __afl_area_ptr;

namespace {

constexpr std::uintptr_t kMapMask = (1u << 16) - 1;  // AFL++'s default map of 64 KiB
thread_local std::uintptr_t t_PreviousBlock = 0;

}  // namespace

extern "C" __attribute__((no_sanitize_coverage)) void __sanitizer_cov_trace_pc() {
  const auto pc = reinterpret_cast<std::uintptr_t>(__builtin_return_address(0));
  const std::uintptr_t block = (pc ^ (pc >> 16) ^ (pc >> 32)) & kMapMask;
  ++__afl_area_ptr[block ^ t_PreviousBlock];
  t_PreviousBlock = block >> 1;
}
