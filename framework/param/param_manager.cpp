#include "framework/param/param_manager.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <set>

#include "framework/file/binary_io.h"
#include "framework/file/scrambled_string.h"
#include "platform/debug/debug_sink.h"
#include "platform/files/files.h"
#include "platform/ini/ini_profile.h"

namespace nsZarn::nsFramework::nsParam {

using nsFile::ReadScrambledString;
using nsFile::WriteScrambledString;

namespace {

// The smallest stored section is an empty name and a key count; the smallest key
// is two empty strings. Counts larger than the rest of the file can hold are damage.
constexpr std::int64_t kMinSectionBytes = 1 + 4;
constexpr std::int64_t kMinKeyBytes = 2;

bool StartsWithMagic(std::string_view cp932Path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(platform::OpenFile(cp932Path, "rb"), std::fclose);
  if (!file) return false;
  char head[sizeof ParamManager::kMagic] = {};
  return std::fread(head, 1, sizeof head, file.get()) == sizeof head &&
         std::memcmp(head, ParamManager::kMagic, sizeof head) == 0;
}

// Reads the body of the converted form after its magic.
bool ReadConvertedBody(nsFile::nsFileReader::IFileReader& reader, std::uint8_t key, ParamFile& file) {
  if (!ReadScrambledString(&reader, key, file.rootFileName)) return false;
  std::uint32_t sectionCount = 0;
  if (!nsFile::ReadU32(reader, sectionCount)) return false;
  if (sectionCount > nsFile::RemainingBytes(reader) / kMinSectionBytes) return false;
  for (std::uint32_t s = 0; s < sectionCount; ++s) {
    std::string sectionName;
    std::uint32_t keyCount = 0;
    if (!ReadScrambledString(&reader, key, sectionName) || !nsFile::ReadU32(reader, keyCount)) return false;
    if (keyCount > nsFile::RemainingBytes(reader) / kMinKeyBytes) return false;
    auto& section = file.sections[sectionName];
    for (std::uint32_t k = 0; k < keyCount; ++k) {
      std::string name;
      std::string value;
      if (!ReadScrambledString(&reader, key, name) || !ReadScrambledString(&reader, key, value)) return false;
      section[name] = value;
    }
  }
  return true;
}

}  // namespace

ParamManager::ParamManager(nsFile::nsFileReader::IFileReader* reader, nsFile::nsFileWriter::IFileWriter* writer)
    : m_Reader(reader), m_Writer(writer) {}

ParamManager::~ParamManager() {
  delete m_Reader;
  delete m_Writer;
}

void ParamManager::SetFileReader(nsFile::nsFileReader::IFileReader* reader) {
  if (reader == m_Reader) return;
  delete m_Reader;
  m_Reader = reader;
}

bool ParamManager::ParseInt(const std::string& value, int& result) {
  if (value.empty()) return false;
  std::uint32_t n = 0;  // wraps, as 32-bit arithmetic does
  bool negative = false;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c >= '0' && c <= '9') {
      n = n * 10u + static_cast<std::uint32_t>(c - '0');
    } else if (c == '-' && i == 0) {
      negative = true;
    } else {
      return false;
    }
  }
  if (negative) n = 0u - n;
  result = static_cast<int>(static_cast<std::int32_t>(n));
  return true;
}

bool ParamManager::ParseString(const std::string& value, std::string& result) {
  if (value.empty() || value.front() != '"' || value.back() != '"') return false;
  result = value.size() == 1 ? std::string() : value.substr(1, value.size() - 2);
  return true;
}

bool ParamManager::EnsureLoaded(const std::string& fileName) {
  return LoadParamDATFile(fileName, false) || LoadParamINIFile(fileName, false);
}

template <typename Parse>
bool ParamManager::Lookup(const std::string& fileName, const std::string& section, const std::string& key,
                          Parse parse) {
  std::set<std::string> visited;
  for (std::string name = fileName; visited.insert(name).second;) {
    if (!EnsureLoaded(name)) return false;
    const ParamFile& file = m_Files.at(name);
    const auto s = file.sections.find(section);
    if (s != file.sections.end()) {
      const auto k = s->second.find(key);
      if (k != s->second.end() && parse(k->second)) return true;
    }
    name = file.rootFileName;
  }
  return false;  // the root files name each other in a cycle
}

int ParamManager::GetInt(const std::string& fileName, const std::string& section, const std::string& key,
                         int defaultValue) {
  int result = defaultValue;
  if (Lookup(fileName, section, key, [&result](const std::string& v) { return ParseInt(v, result); })) return result;
  return defaultValue;
}

std::string ParamManager::GetString(const std::string& fileName, const std::string& section, const std::string& key,
                                    const std::string& defaultValue) {
  std::string result;
  if (Lookup(fileName, section, key, [&result](const std::string& v) { return ParseString(v, result); })) {
    return result;
  }
  return defaultValue;
}

bool ParamManager::LoadParamINIFile(const std::string& fileName, bool reload) {
  if (fileName.empty()) return false;
  if (reload) m_Files.erase(fileName);
  if (m_Files.count(fileName) != 0) return true;

  std::FILE* probe = platform::OpenFile(fileName, "rt");
  if (probe == nullptr) return false;
  std::fclose(probe);
  if (StartsWithMagic(fileName)) return false;  // converted form, not INI text

  std::vector<platform::IniSection> sections;
  if (!platform::ReadIniFile(fileName, sections)) return false;
  ParamFile record;
  for (const auto& section : sections) {
    auto& keys = record.sections[section.name];
    for (const auto& [key, value] : section.entries) keys.emplace(key, value);
  }
  const auto root = record.sections.find("Root");
  if (root != record.sections.end()) {
    const auto rootFile = root->second.find("RootFile");
    if (rootFile != root->second.end()) {
      for (const char c : rootFile->second) {
        if (c != '"') record.rootFileName.push_back(c);
      }
    }
  }
  m_Files[fileName] = std::move(record);
  return true;
}

bool ParamManager::LoadParamDATFile(const std::string& fileName, bool reload) {
  if (m_Reader == nullptr) {
    platform::WriteDebugLine("Failed : ParamManager::LoadParamDATFile ParamManager Not Initialized\n");
    return false;
  }
  if (fileName.empty()) return false;
  if (reload) m_Files.erase(fileName);
  if (m_Files.count(fileName) != 0) return true;

  if (!m_Reader->fopen(fileName.c_str(), "rb")) return false;
  char magic[sizeof kMagic] = {};
  ParamFile record;
  const bool ok = m_Reader->fread(magic, 1, sizeof magic) == sizeof magic &&
                  std::memcmp(magic, kMagic, sizeof magic) == 0 && ReadConvertedBody(*m_Reader, m_Key, record);
  m_Reader->fclose();
  if (!ok) return false;  // what was half read is discarded
  m_Files[fileName] = std::move(record);
  return true;
}

bool ParamManager::SaveParamDATFile(const std::string& fileName, const std::string& outputName) {
  if (m_Writer == nullptr) {
    platform::WriteDebugLine("Failed : ParamManager::SaveParamDATFile ParamManager Not Initialized\n");
    return false;
  }
  const auto found = m_Files.find(fileName);
  if (found == m_Files.end() || outputName.empty()) return false;
  if (!m_Writer->fopen(outputName.c_str(), "wb")) return false;

  const ParamFile& file = found->second;
  bool ok = m_Writer->fwrite(kMagic, 1, sizeof kMagic) == sizeof kMagic &&
            WriteScrambledString(m_Writer, m_Key, file.rootFileName) &&
            nsFile::WriteU32(*m_Writer, static_cast<std::uint32_t>(file.sections.size()));
  for (auto s = file.sections.begin(); ok && s != file.sections.end(); ++s) {
    ok = WriteScrambledString(m_Writer, m_Key, s->first) &&
         nsFile::WriteU32(*m_Writer, static_cast<std::uint32_t>(s->second.size()));
    for (auto k = s->second.begin(); ok && k != s->second.end(); ++k) {
      ok = WriteScrambledString(m_Writer, m_Key, k->first) && WriteScrambledString(m_Writer, m_Key, k->second);
    }
  }
  return m_Writer->fclose() && ok;
}

const ParamFile* ParamManager::FindFile(const std::string& fileName) const {
  const auto found = m_Files.find(fileName);
  return found == m_Files.end() ? nullptr : &found->second;
}

}  // namespace nsZarn::nsFramework::nsParam
