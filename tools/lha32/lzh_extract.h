#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lha32 {

// The largest member the archiver extracts. A job file of the most records a
// job can hold is far smaller; a header claiming more is damaged or hostile,
// and trusting it would make the extraction allocate without bound.
inline constexpr uint64_t kLargestMember = 256ull << 20;

struct ExtractedMember {
    std::string storedName; // as stored, in CP932
    std::vector<uint8_t> data;
    uint32_t timestamp = 0; // Unix time; 0 when the archive gives none
};

// Reads the first file member of the archive at `archivePath` whose stored
// name matches one of `wantedNames` the way Windows compares file names. The
// data is checked whole against its CRC. Returns an error text (the archive
// cannot be opened or is damaged, the member is missing, too large, cut
// short or fails its CRC), or nothing with `out` filled.
std::optional<std::string> readMember(const std::string& archivePath,
                                      const std::vector<std::string>& wantedNames, ExtractedMember& out);

} // namespace lha32
