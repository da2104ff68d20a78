#include "engine/api/mystr.h"

#include <cstring>

#include "engine/api/misuse.h"

namespace nsTamskLib {

mystr::mystr() : m_Buffer(nullptr), m_Capacity(0) {}

mystr::mystr(const char* Src) : m_Buffer(nullptr), m_Capacity(0) {
  if (Src == nullptr) ReportMisuse("mystr::mystr(const char* Src)");
  Store(Src);
}

mystr::mystr(const mystr& other) : m_Buffer(nullptr), m_Capacity(0) { Store(other.c_str()); }

mystr& mystr::operator=(const mystr& other) {
  if (this != &other) Store(other.c_str());
  return *this;
}

mystr::~mystr() { delete[] m_Buffer; }

void mystr::assign(const char* Src) {
  if (Src == nullptr) ReportMisuse("mystr::assign(const char* Src)");
  Store(Src);
}

mystr& mystr::operator=(const char* RHS) {
  if (RHS == nullptr) ReportMisuse("mystr::operator =(const char* RHS)");
  Store(RHS);
  return *this;
}

bool mystr::operator==(const char* RHS) const {
  if (RHS == nullptr) ReportMisuse("mystr::operator ==(const char* RHS)");
  return std::strcmp(c_str(), RHS) == 0;
}

bool mystr::operator!=(const char* RHS) const {
  if (RHS == nullptr) ReportMisuse("mystr::operator !=(const char* RHS)");
  return std::strcmp(c_str(), RHS) != 0;
}

// Copies Src with its terminator, growing the buffer to exactly the needed size
// when it does not fit. Src may point into this string's own buffer.
void mystr::Store(const char* Src) {
  const std::size_t needed = std::strlen(Src) + 1;
  if (needed > m_Capacity) {
    char* buffer = new char[needed];
    std::memcpy(buffer, Src, needed);
    delete[] m_Buffer;
    m_Buffer = buffer;
    m_Capacity = static_cast<std::uint32_t>(needed);
    return;
  }
  std::memmove(m_Buffer, Src, needed);
}

void ResetElement(mystr& s) { s = ""; }

}  // namespace nsTamskLib
