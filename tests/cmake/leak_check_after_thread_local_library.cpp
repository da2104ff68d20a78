// Opens a library with a thread-local block and arranges the heap so that the
// block starts 16 bytes into a page: the place where the AddressSanitizer runtime's
// guess about the C library's layout misreads the block. The program then ends
// normally, and the leak check at exit must finish: exit status 0, not the
// tracer's fault. Exit status 2 or 3 means the arrangement was not reached and the
// run proved nothing.
//   leak_check_after_thread_local_library <library>

#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr std::uintptr_t kPage = 4096;
constexpr std::uintptr_t kBlockOffsetInPage = 16;
constexpr int kMaxFill = 1 << 16;

// Held in a plain global, scanned by the leak check: the fill is not a leak.
void* g_Fill[kMaxFill];

std::uintptr_t Address(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    std::fprintf(stderr, "%s\n", dlerror());
    return 2;
  }
  auto touch = reinterpret_cast<char* (*)()>(dlsym(library, "TouchThreadLocalBytes"));
  if (touch == nullptr) return 2;

  // Chunks of the block's size come one after another at a fixed step: take them
  // until the next one starts 16 bytes into a page, then let the block take it.
  int count = 0;
  for (; count < kMaxFill; ++count) {
    g_Fill[count] = std::malloc(32);
    if (count == 0) continue;
    const std::uintptr_t step = Address(g_Fill[count]) - Address(g_Fill[count - 1]);
    if ((Address(g_Fill[count]) + step) % kPage == kBlockOffsetInPage) break;
  }
  const char* block = touch();
  if (Address(block) % kPage != kBlockOffsetInPage) {
    std::fprintf(stderr, "the block lies at %p, not 16 bytes into a page\n", static_cast<const void*>(block));
    return 3;
  }
  dlclose(library);
  return 0;
}
