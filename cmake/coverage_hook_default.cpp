// The coverage hook of a fuzzing build, compiled into every program of that build
// as a weak call that does nothing. The fuzzing build instruments every block of
// the game, its tools and its tests with a call to this hook, but only the fuzzing
// targets count those calls into AFL++'s map (tests/fuzz/afl_coverage.cpp, whose
// definition takes the place of this one); every other program of the build links
// and runs as it does in the plain sanitizer build.
extern "C" __attribute__((weak, no_sanitize_coverage)) void __sanitizer_cov_trace_pc() {}
