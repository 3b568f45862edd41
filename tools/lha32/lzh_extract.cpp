#include "lzh_extract.h"

#include "lzh_archive.h"

extern "C" {
#include <lha_reader.h>
}

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lha32 {
namespace {

struct ReaderGuard {
    FILE* file = nullptr;
    LHAInputStream* stream = nullptr;
    LHAReader* reader = nullptr;
    ~ReaderGuard() {
        if (reader) lha_reader_free(reader);
        if (stream) lha_input_stream_free(stream);
        if (file) std::fclose(file);
    }
};

// The archive opened for reading when it is a regular file; a FIFO or device
// in its place is refused at once (opened without blocking, checked on the
// open descriptor) instead of hanging the extraction.
FILE* openRegularFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FILE* file = ::fdopen(fd, "rb");
    if (!file) ::close(fd);
    return file;
}

bool isWanted(const std::string& stored, const std::vector<std::string>& wantedNames) {
    for (const std::string& wanted : wantedNames)
        if (sameStoredName(stored, wanted)) return true;
    return false;
}

// Reads the current member's data as it is decoded: the buffer grows with
// what actually arrives, never with what the header claims.
bool readData(LHAReader* reader, uint64_t length, std::vector<uint8_t>& data) {
    constexpr size_t kChunk = 64 * 1024;
    data.clear();
    while (data.size() < length) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(kChunk, length - data.size()));
        const size_t at = data.size();
        data.resize(at + want);
        const size_t n = lha_reader_read(reader, data.data() + at, want);
        data.resize(at + n);
        if (n == 0) break;
    }
    return data.size() == length;
}

} // namespace

std::optional<std::string> readMember(const std::string& archivePath,
                                      const std::vector<std::string>& wantedNames, ExtractedMember& out) {
    const std::string shown = wantedNames.empty() ? std::string() : wantedNames.back();
    std::string path = archivePath;
    ReaderGuard g;
    g.file = openRegularFile(path);
    if (g.file) g.stream = lha_input_stream_from_FILE(g.file);
    if (!g.stream) return "書庫を開けません: " + archivePath;
    g.reader = lha_reader_new(g.stream);
    if (!g.reader) return "書庫を読めません: " + archivePath;
    while (LHAFileHeader* h = lha_reader_next_file(g.reader)) {
        if (!h->filename || std::strcmp(h->compress_method, LHA_COMPRESS_TYPE_DIR) == 0) continue;
        const std::string stored = h->filename;
        if (!isWanted(stored, wantedNames)) continue;
        if (h->length > kLargestMember) return "書庫のメンバーが大きすぎます: " + shown;
        if (!readData(g.reader, h->length, out.data)) return "書庫のデータが壊れています: " + shown;
        if (crc16(out.data.data(), out.data.size()) != h->crc) return "CRC が合いません: " + shown;
        out.storedName = stored;
        out.timestamp = h->timestamp;
        return std::nullopt;
    }
    return "書庫に " + shown + " がありません: " + archivePath;
}

} // namespace lha32
