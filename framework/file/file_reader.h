#pragma once
// The reader side of the program's file access: a small interface modelled on the
// C standard I/O functions, so that the same code reads loose files and entries of
// the data archive. Positions are 64-bit.

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace nsZarn::nsFile::nsFileReader {

class IFileReader {
 public:
  virtual ~IFileReader() = default;

  // Opens a file (a Shift-JIS name) for reading; the mode must begin with 'r' and
  // must not have '+' as its second character.
  virtual bool fopen(const char* fileName, const char* mode) = 0;
  // True when nothing was open or the close succeeded.
  virtual bool fclose() = 0;
  virtual bool IsOpen() const = 0;
  // The size in bytes; the position is left where it was.
  virtual std::int64_t GetSize() = 0;
  // Reads one byte; false at the end of the file.
  virtual bool fgetc(char& byte) = 0;
  // Reads one line into a buffer of capacity bytes, always terminated by 0.
  virtual bool fgets(char* buffer, std::size_t capacity) = 0;
  // Reads up to count elements of elementSize bytes; returns the whole elements read.
  virtual std::size_t fread(void* buffer, std::size_t elementSize, std::size_t count) = 0;
  virtual std::int64_t ftell() = 0;
  virtual bool fseek(std::int64_t offset, int origin) = 0;
  virtual bool fgetpos(std::int64_t& position) = 0;
  virtual bool fsetpos(std::int64_t position) = 0;
  virtual bool feof() = 0;
  virtual int ferror() = 0;
};

// A reader over a C stream.
class CFileReader : public IFileReader {
 public:
  CFileReader() = default;
  CFileReader(const CFileReader&) = delete;
  CFileReader& operator=(const CFileReader&) = delete;
  ~CFileReader() override;

  bool fopen(const char* fileName, const char* mode) override;
  bool fclose() override;
  bool IsOpen() const override;
  std::int64_t GetSize() override;
  bool fgetc(char& byte) override;
  bool fgets(char* buffer, std::size_t capacity) override;
  std::size_t fread(void* buffer, std::size_t elementSize, std::size_t count) override;
  std::int64_t ftell() override;
  bool fseek(std::int64_t offset, int origin) override;
  bool fgetpos(std::int64_t& position) override;
  bool fsetpos(std::int64_t position) override;
  bool feof() override;
  int ferror() override;

 protected:
  // The mode rule of readers: it must begin with 'r' and not have '+' second.
  static bool IsReadMode(const char* mode);

  std::FILE* m_File = nullptr;
};

}  // namespace nsZarn::nsFile::nsFileReader
