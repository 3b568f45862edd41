#pragma once
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace lha32 {

// CRC-16 of the archive format (polynomial 0x8005, reflected, start 0).
uint16_t crc16(const uint8_t* data, size_t size, uint16_t crc = 0);

// MS-DOS date and time of a local time, in the archive's 32-bit layout
// (date in the high word, time in the low word, two-second resolution).
uint32_t dosTimestamp(std::time_t time);

// One member of an existing archive, kept as the bytes it occupies (header,
// extended headers and compressed data) so it can be copied unchanged.
struct RawMember {
    std::string storedName; // path and name as stored, folders joined with '\'
    std::vector<uint8_t> bytes;
};

// Splits an archive into its members. Returns an error text when the archive
// is damaged or uses a header layout this program does not copy.
std::optional<std::string> splitArchive(const std::vector<uint8_t>& archive, std::vector<RawMember>& members);

// Builds a level-1 member (the layout Windows archivers read and write) for
// the file contents, compressed with -lh5- unless that does not make it
// smaller, in which case it is stored. name is in CP932.
std::vector<uint8_t> buildMember(const std::string& name, const std::vector<uint8_t>& contents,
                                 uint32_t timestamp, std::string& method);

// Compares two stored names the way Windows compares file names: ASCII
// letters in either case match; the trail bytes of double-byte characters
// are compared as they are.
bool sameStoredName(const std::string& a, const std::string& b);

} // namespace lha32
