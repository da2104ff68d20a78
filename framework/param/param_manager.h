#pragma once
// The parameter files: INI-style files of tunable data, loaded on first use either
// from their converted form (what the data archive holds, read through the
// manager's file reader) or from INI text, kept in memory, and queried by file,
// section and key with a default. A file may name a root file ([Root]
// RootFile="...") in which the keys it lacks are looked up.
//
// Converted form (little-endian; every string stored as a scrambled string):
//   ".INIcDAT", root file name, u32 section count, then per section in ascending
//   byte order: name, u32 key count, then per key in ascending byte order: key, value.

#include <cstdint>
#include <map>
#include <string>

#include "framework/file/file_reader.h"
#include "framework/file/file_writer.h"

namespace nsZarn::nsFramework::nsParam {

// Names, keys and values are byte strings compared exactly; values are raw (a
// string value keeps its quotes).
struct ParamFile {
  std::string rootFileName;
  std::map<std::string, std::map<std::string, std::string>> sections;
};

class ParamManager {
 public:
  static constexpr char kMagic[8] = {'.', 'I', 'N', 'I', 'c', 'D', 'A', 'T'};

  // Takes ownership of both (either may be null).
  ParamManager(nsFile::nsFileReader::IFileReader* reader, nsFile::nsFileWriter::IFileWriter* writer);
  ParamManager(const ParamManager&) = delete;
  ParamManager& operator=(const ParamManager&) = delete;
  virtual ~ParamManager();

  // Replaces (and deletes) the reader used for the converted form.
  void SetFileReader(nsFile::nsFileReader::IFileReader* reader);

  // The value as an integer ('-'? followed by digits, wrapping at 32 bits), looked
  // up in the file and then down its chain of root files; else the default.
  int GetInt(const std::string& fileName, const std::string& section, const std::string& key, int defaultValue);
  // The value between its double quotes, looked up the same way; else the default.
  std::string GetString(const std::string& fileName, const std::string& section, const std::string& key,
                        const std::string& defaultValue);

  // Loads a file from INI text. A file that holds the converted form is not INI
  // text and is refused, so that it is never mistaken for an empty INI file.
  bool LoadParamINIFile(const std::string& fileName, bool reload);
  // Loads a file in converted form through the file reader.
  bool LoadParamDATFile(const std::string& fileName, bool reload);
  // Writes a loaded file in converted form through the file writer.
  bool SaveParamDATFile(const std::string& fileName, const std::string& outputName);

  // The loaded record of a file, or null.
  const ParamFile* FindFile(const std::string& fileName) const;

  static bool ParseInt(const std::string& value, int& result);
  static bool ParseString(const std::string& value, std::string& result);

 private:
  bool EnsureLoaded(const std::string& fileName);
  // Walks the file and its root files; a file met a second time ends the walk.
  template <typename Parse>
  bool Lookup(const std::string& fileName, const std::string& section, const std::string& key, Parse parse);

  nsFile::nsFileReader::IFileReader* m_Reader;
  nsFile::nsFileWriter::IFileWriter* m_Writer;
  std::uint8_t m_Key = 0;
  std::map<std::string, ParamFile> m_Files;
};

}  // namespace nsZarn::nsFramework::nsParam
