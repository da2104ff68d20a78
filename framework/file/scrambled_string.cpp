#include "framework/file/scrambled_string.h"

#include <cstring>

namespace nsZarn::nsFile {
namespace {

// Maps non-zero bytes one to one onto non-zero bytes, so a raw 0 always marks the
// end: a byte equal to the key stays, every other byte is XORed with it.
char Scramble(char byte, std::uint8_t key) {
  const auto b = static_cast<std::uint8_t>(byte);
  return b == key ? byte : static_cast<char>(b ^ key);
}

}  // namespace

bool ReadScrambledString(nsFileReader::IFileReader* reader, std::uint8_t key, std::string& text) {
  text.clear();
  if (reader == nullptr) return false;
  std::string read;
  for (;;) {
    char byte = 0;
    if (reader->fread(&byte, 1, 1) != 1) return false;
    if (byte == '\0') break;
    if (read.size() == kMaxScrambledStringLength) return false;
    read.push_back(Scramble(byte, key));
  }
  text = std::move(read);
  return true;
}

bool WriteScrambledString(nsFileWriter::IFileWriter* writer, std::uint8_t key, const std::string& text) {
  if (writer == nullptr) return false;
  const std::size_t length = std::strlen(text.c_str());
  if (length > kMaxScrambledStringLength) return false;
  std::string stored(text.c_str(), length + 1);
  for (std::size_t i = 0; i < length; ++i) stored[i] = Scramble(stored[i], key);
  return writer->fwrite(stored.data(), 1, stored.size()) == stored.size();
}

}  // namespace nsZarn::nsFile
