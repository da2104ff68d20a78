#pragma once
// The one shape behind every engine container: an array of pointers to separately
// allocated elements, the size (elements in use) and the capacity (elements
// allocated). Every element up to the capacity exists; those beyond the size are
// spare and are reused by the next append, so a container that has reached a size
// allocates nothing more when it is cleared and filled again.
//
// Elements provide ResetElement(T&), which brings one back to its empty state.
// Checked operations report misuse with the operation's signature, for example
// "Expression::at(unsigned int Num)".

#include <cstdint>
#include <string>

#include "engine/api/misuse.h"

namespace nsTamskLib {

template <typename T, const char* const* Name>
class PointerArray {
 public:
  PointerArray() : m_Items(nullptr), m_Size(0), m_Capacity(0) {}
  PointerArray(const PointerArray& other) : PointerArray() {
    for (std::uint32_t i = 0; i < other.m_Size; ++i) push_back(*other.m_Items[i]);
  }
  PointerArray& operator=(const PointerArray& other) {
    if (this == &other) return *this;
    clear();
    for (std::uint32_t i = 0; i < other.m_Size; ++i) push_back(*other.m_Items[i]);
    return *this;
  }
  ~PointerArray() {
    for (std::uint32_t i = 0; i < m_Capacity; ++i) delete m_Items[i];
    delete[] m_Items;
  }

  std::uint32_t size() const { return m_Size; }
  bool empty() const { return m_Size == 0; }
  // Elements allocated (in use and spare).
  std::uint32_t capacity() const { return m_Capacity; }

  T& at(unsigned int Num) {
    if (Num >= m_Size) Fail("::at(unsigned int Num)");
    return *m_Items[Num];
  }
  const T& at(unsigned int Num) const {
    if (Num >= m_Size) Fail("::at(unsigned int Num)");
    return *m_Items[Num];
  }
  T& back() {
    if (m_Size == 0) Fail("::back()");
    return *m_Items[m_Size - 1];
  }
  const T& back() const {
    if (m_Size == 0) Fail("::back()");
    return *m_Items[m_Size - 1];
  }

  // Copies the value into the element at the size; the element's own buffers are
  // reused.
  void push_back(const T& value) {
    if (m_Size == m_Capacity) Grow();
    *m_Items[m_Size] = value;
    ++m_Size;
  }

  // Drops the last element, which returns to its empty state.
  void pop_back() {
    if (m_Size == 0) Fail("::pop_back()");
    --m_Size;
    ResetElement(*m_Items[m_Size]);
  }

  // Resets every element in use and sets the size to 0; nothing is freed.
  void clear() {
    for (std::uint32_t i = 0; i < m_Size; ++i) ResetElement(*m_Items[i]);
    m_Size = 0;
  }

 private:
  [[noreturn]] static void Fail(const char* operation) {
    const std::string signature = std::string(*Name) + operation;
    ReportMisuse(signature.c_str());
  }

  // Capacity 0 becomes 1, otherwise it doubles; every new place gets a new empty
  // element at once.
  void Grow() {
    const std::uint32_t newCapacity = m_Capacity == 0 ? 1u : m_Capacity * 2u;
    T** items = new T*[newCapacity];
    for (std::uint32_t i = 0; i < m_Capacity; ++i) items[i] = m_Items[i];
    for (std::uint32_t i = m_Capacity; i < newCapacity; ++i) items[i] = new T();
    delete[] m_Items;
    m_Items = items;
    m_Capacity = newCapacity;
  }

  T** m_Items;
  std::uint32_t m_Size;
  std::uint32_t m_Capacity;
};

}  // namespace nsTamskLib
