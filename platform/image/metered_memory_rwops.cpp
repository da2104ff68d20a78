#include "platform/image/metered_memory_rwops.h"

#include <algorithm>
#include <climits>

#include "platform/work/work_meter.h"

namespace platform {
namespace {

// The meter is asked at the first read and then every 64 KB read (a read of
// nothing, as at the end of the file, counts as a byte), so that a decoder reading
// byte by byte pays under a nanosecond a byte for it.
constexpr std::size_t kBytesPerMeterCheck = std::size_t{64} << 10;

struct MeteredMemory {
  SDL_RWops* memory;
  std::size_t bytesToNextCheck;
};

MeteredMemory& StateOf(SDL_RWops* rw) { return *static_cast<MeteredMemory*>(rw->hidden.unknown.data1); }

Sint64 SDLCALL Size(SDL_RWops* rw) { return SDL_RWsize(StateOf(rw).memory); }

Sint64 SDLCALL Seek(SDL_RWops* rw, Sint64 offset, int whence) { return SDL_RWseek(StateOf(rw).memory, offset, whence); }

std::size_t SDLCALL Read(SDL_RWops* rw, void* out, std::size_t size, std::size_t count) {
  MeteredMemory& metered = StateOf(rw);
  if (metered.bytesToNextCheck == 0) {
    if (CheckLoadWork() != WorkVerdict::kGoOn) {
      SDL_SetError("the load's meter stopped the decode");
      return 0;
    }
    metered.bytesToNextCheck = kBytesPerMeterCheck;
  }
  const std::size_t items = SDL_RWread(metered.memory, out, size, count);
  // The memory holds fewer than INT_MAX bytes, so the product does not overflow.
  const std::size_t bytes = std::max<std::size_t>(items * size, 1);
  metered.bytesToNextCheck -= std::min(bytes, metered.bytesToNextCheck);
  return items;
}

std::size_t SDLCALL Write(SDL_RWops*, const void*, std::size_t, std::size_t) {
  SDL_SetError("the bytes are read-only");
  return 0;
}

int SDLCALL Close(SDL_RWops* rw) {
  const MeteredMemory* metered = &StateOf(rw);
  const int closed = SDL_RWclose(metered->memory);
  delete metered;
  SDL_FreeRW(rw);
  return closed;
}

}  // namespace

SDL_RWops* OpenMeteredMemory(const void* bytes, std::size_t size) {
  if (size > static_cast<std::size_t>(INT_MAX)) return nullptr;
  SDL_RWops* memory = SDL_RWFromConstMem(bytes, static_cast<int>(size));
  if (memory == nullptr) return nullptr;
  SDL_RWops* rw = SDL_AllocRW();
  if (rw == nullptr) {
    SDL_RWclose(memory);
    return nullptr;
  }
  rw->size = Size;
  rw->seek = Seek;
  rw->read = Read;
  rw->write = Write;
  rw->close = Close;
  rw->type = SDL_RWOPS_UNKNOWN;
  rw->hidden.unknown.data1 = new MeteredMemory{memory, 0};
  rw->hidden.unknown.data2 = nullptr;
  return rw;
}

}  // namespace platform
