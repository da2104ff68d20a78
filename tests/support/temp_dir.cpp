#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace vesk_test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vesk-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  m_Path = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(m_Path, ec);
}

ScopedWorkingDir::ScopedWorkingDir() : m_Previous(std::filesystem::current_path()) {
  std::filesystem::current_path(m_Dir.path());
}

ScopedWorkingDir::~ScopedWorkingDir() {
  std::error_code ec;
  std::filesystem::current_path(m_Previous, ec);
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace vesk_test
