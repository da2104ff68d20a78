#pragma once
// A fresh temporary folder for one test, removed with everything in it at the end.
// ScopedWorkingDir also makes it the working folder, since the game reads and
// writes its files relative to the working folder.

#include <filesystem>
#include <string>

namespace vesk_test {

class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  const std::filesystem::path& path() const { return m_Path; }
  std::string file(const std::string& name) const { return (m_Path / name).string(); }

 private:
  std::filesystem::path m_Path;
};

class ScopedWorkingDir {
 public:
  ScopedWorkingDir();
  ScopedWorkingDir(const ScopedWorkingDir&) = delete;
  ScopedWorkingDir& operator=(const ScopedWorkingDir&) = delete;
  ~ScopedWorkingDir();

  const std::filesystem::path& path() const { return m_Dir.path(); }

 private:
  TempDir m_Dir;
  std::filesystem::path m_Previous;
};

// Writes bytes to a file, creating parent folders.
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
// Reads a whole file; empty when it does not exist.
std::string ReadFile(const std::filesystem::path& path);

}  // namespace vesk_test
