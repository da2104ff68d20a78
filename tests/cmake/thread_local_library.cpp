// A library with a thread-local block of 32 bytes, which the C library allocates
// with malloc on its first use in a thread, as it does the plug-in's.
thread_local char t_Bytes[32];

extern "C" __attribute__((visibility("default"))) char* TouchThreadLocalBytes() {
  t_Bytes[0] = 1;
  return t_Bytes;
}
