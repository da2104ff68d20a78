#include "tests/fuzz/peak_memory.h"

#include <atomic>
#include <cstdint>
#include <fstream>
#include <string>

#ifdef __SANITIZE_ADDRESS__
// The sanitizer runtime's allocator interface; this compiler ships no header of it.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, std::size_t),
                                                         void (*onFree)(const volatile void*));
extern "C" std::size_t __sanitizer_get_allocated_size(const volatile void* pointer);
#endif

namespace vesk_fuzz {
namespace {

#ifdef __SANITIZE_ADDRESS__
// Bytes allocated less bytes freed since the hooks were installed (negative after
// freeing what was allocated before), and the highest that has reached since the
// last reset. Readers may allocate on threads of their own.
std::atomic<std::int64_t> g_Live{0};
std::atomic<std::int64_t> g_Peak{0};
std::int64_t g_AtReset = 0;

void OnMalloc(const volatile void*, std::size_t size) {
  const std::int64_t live = g_Live.fetch_add(static_cast<std::int64_t>(size), std::memory_order_relaxed) +
                            static_cast<std::int64_t>(size);
  std::int64_t peak = g_Peak.load(std::memory_order_relaxed);
  while (live > peak && !g_Peak.compare_exchange_weak(peak, live, std::memory_order_relaxed)) {
  }
}

// Called before the block is released, while its size can still be asked.
void OnFree(const volatile void* pointer) {
  g_Live.fetch_sub(static_cast<std::int64_t>(__sanitizer_get_allocated_size(pointer)), std::memory_order_relaxed);
}
#else
std::size_t g_AtReset = 0;

// A "Vm...:  1234 kB" line of the process's status, in bytes; 0 when missing.
std::size_t StatusBytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field + ":", 0) == 0) return std::stoull(line.substr(field.size() + 1)) * 1024;
  }
  return 0;
}
#endif

}  // namespace

void ResetPeakMemory() {
#ifdef __SANITIZE_ADDRESS__
  static const bool installed = __sanitizer_install_malloc_and_free_hooks(&OnMalloc, &OnFree) != 0;
  (void)installed;
  g_AtReset = g_Live.load();
  g_Peak.store(g_AtReset);
#else
  // Writing 5 sets the high-water mark to the resident size now.
  std::ofstream("/proc/self/clear_refs") << "5";
  g_AtReset = StatusBytes("VmRSS");
#endif
}

std::size_t PeakMemorySinceReset() {
#ifdef __SANITIZE_ADDRESS__
  const std::int64_t peak = g_Peak.load() - g_AtReset;
#else
  const std::int64_t peak = static_cast<std::int64_t>(StatusBytes("VmHWM")) - static_cast<std::int64_t>(g_AtReset);
#endif
  return peak > 0 ? static_cast<std::size_t>(peak) : 0;
}

}  // namespace vesk_fuzz
