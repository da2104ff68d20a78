#pragma once
// Makes the chunk checksums of a mutated PNG right again. The decoder refuses a
// file whose chunks do not match their checksums, so without this almost no byte
// mutation reaches the chunk contents behind the check. Each chunk, from the first
// after the signature, gets the checksum of its type and contents, as far as the
// chunks' lengths lead through the file. Other files stay as they are.

#include <string>

namespace vesk_fuzz {

// Whether the bytes changed.
bool RepairPngChunks(std::string& bytes);

}  // namespace vesk_fuzz
