#pragma once
// What the headers of a Vorbis stream state about the decoder it needs: the
// format of its identification header and the shape of its setup header, as the
// setup reader describes them and the cost model reads them.

#include <cstdint>
#include <vector>

namespace nsZarn::nsSound::nsISoundReader {

// The identification header's statements: channels and block sizes.
struct VorbisStreamFormat {
  int channels = 0;
  std::uint32_t shortBlock = 0;  // samples
  std::uint32_t longBlock = 0;
};

// The setup header's statements that size the decoder's tables and its work, one
// entry for each codebook, floor, residue, mapping and mode, in the header's order.
struct VorbisSetupShape {
  struct Codebook {
    std::uint32_t dim = 0;
    std::uint32_t entries = 0;
    std::uint32_t used = 0;          // entries with a codeword
    std::uint64_t storedValues = 0;  // values the header lists; 0 for a book of no vectors
  };
  struct Floor {
    bool lsp = false;          // floor 0
    std::uint32_t order = 0;   // floor 0
    std::uint32_t bands = 0;   // floor 0's bark map size
    std::uint32_t posts = 0;   // floor 1, both ends included
  };
  struct Residue {
    int type = 0;
    std::uint32_t begin = 0;
    std::uint32_t end = 0;
    std::uint32_t grouping = 1;  // samples of a partition
    std::uint32_t classes = 0;
    std::uint32_t classBook = 0;
    int stages = 0;  // the highest stage of any class
    bool wholeVectors = true;  // every stage book's vectors fill a partition exactly
  };
  struct Submap {
    std::uint32_t floor = 0;
    std::uint32_t residue = 0;
  };
  struct Mapping {
    std::uint32_t couplingSteps = 0;
    std::vector<std::uint32_t> channelSubmap;  // of each channel
    std::vector<Submap> submaps;
  };
  struct Mode {
    bool longBlock = false;
    std::uint32_t mapping = 0;
  };
  std::vector<Codebook> codebooks;
  std::vector<Floor> floors;
  std::vector<Residue> residues;
  std::vector<Mapping> mappings;
  std::vector<Mode> modes;
};

}  // namespace nsZarn::nsSound::nsISoundReader
