#pragma once
// mystr: the engine's string. An owned buffer of Shift-JIS bytes (0-terminated) and
// its capacity in bytes including the terminator. The buffer never shrinks: an
// assignment reallocates only when the new text does not fit. The layout (buffer
// pointer, then capacity) is shared by the program and the plug-in.

#include <cstdint>

namespace nsTamskLib {

class mystr {
 public:
  mystr();
  mystr(const char* Src);  // implicit: engine code passes literals where a mystr is expected
  mystr(const mystr& other);
  mystr& operator=(const mystr& other);
  ~mystr();

  void assign(const char* Src);
  mystr& operator=(const char* RHS);
  bool operator==(const char* RHS) const;
  bool operator!=(const char* RHS) const;

  const char* c_str() const { return m_Buffer != nullptr ? m_Buffer : ""; }
  // Bytes allocated, terminator included (0 while nothing was ever stored).
  std::uint32_t capacity() const { return m_Capacity; }

 private:
  void Store(const char* Src);

  char* m_Buffer;
  std::uint32_t m_Capacity;
};

// Empty state of a string held in a container: "" (the buffer is kept).
void ResetElement(mystr& s);

}  // namespace nsTamskLib
