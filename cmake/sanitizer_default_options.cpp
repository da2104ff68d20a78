// The AddressSanitizer runtime's default options, compiled into every program of an
// AddressSanitizer build: the tests, the tools, the fuzzing harnesses and the game.
//
// intercept_tls_get_addr=0: this compiler's runtime follows the thread-local blocks
// of libraries opened with dlopen (the plug-in has one) by guessing the C library's
// layout of them. A block that happens to start 16 bytes into a page is taken for
// an old layout, and the allocator's own chunk header in front of it is read as the
// block's start and size. The leak check at exit then scans that made-up range and
// its tracer dies on a fault ("Tracer caught signal 11") after every test passed.
// Where the block lands depends on every allocation before it, down to the length
// of the path the program was started by. Without the interception such a block is
// an ordinary heap chunk that the C library's own thread data points to, so the
// leak check still follows every pointer it holds.
extern "C" __attribute__((visibility("default"), used)) const char* __asan_default_options() {
  return "intercept_tls_get_addr=0";
}
