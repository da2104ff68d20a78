#pragma once
// The writer side of the program's file access, modelled on the C standard I/O
// functions. Positions are 64-bit.

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace nsZarn::nsFile::nsFileWriter {

class IFileWriter {
 public:
  virtual ~IFileWriter() = default;

  // Opens a file (a Shift-JIS name) for writing; a mode that begins with 'r' is
  // refused.
  virtual bool fopen(const char* fileName, const char* mode) = 0;
  virtual bool fclose() = 0;
  virtual bool IsOpen() const = 0;
  virtual std::int64_t GetSize() = 0;
  virtual bool fputc(char byte) = 0;
  virtual bool fputs(const char* text) = 0;
  virtual std::size_t fwrite(const void* buffer, std::size_t elementSize, std::size_t count) = 0;
  // Formats with the Windows user-interface formatting rules (at most 1,023
  // characters, no floating point) and writes the text; returns what the C
  // library's fprintf returned for it.
  virtual int fprintf(const char* format, ...) __attribute__((format(printf, 2, 3))) = 0;
  virtual std::int64_t ftell() = 0;
  virtual bool fseek(std::int64_t offset, int origin) = 0;
  virtual bool fgetpos(std::int64_t& position) = 0;
  virtual bool fsetpos(std::int64_t position) = 0;
  virtual bool feof() = 0;
  virtual int ferror() = 0;
};

// A writer over a C stream.
class CFileWriter : public IFileWriter {
 public:
  CFileWriter() = default;
  CFileWriter(const CFileWriter&) = delete;
  CFileWriter& operator=(const CFileWriter&) = delete;
  ~CFileWriter() override;

  bool fopen(const char* fileName, const char* mode) override;
  bool fclose() override;
  bool IsOpen() const override;
  std::int64_t GetSize() override;
  bool fputc(char byte) override;
  bool fputs(const char* text) override;
  std::size_t fwrite(const void* buffer, std::size_t elementSize, std::size_t count) override;
  int fprintf(const char* format, ...) override __attribute__((format(printf, 2, 3)));
  std::int64_t ftell() override;
  bool fseek(std::int64_t offset, int origin) override;
  bool fgetpos(std::int64_t& position) override;
  bool fsetpos(std::int64_t position) override;
  bool feof() override;
  int ferror() override;

 private:
  std::FILE* m_File = nullptr;
};

}  // namespace nsZarn::nsFile::nsFileWriter
