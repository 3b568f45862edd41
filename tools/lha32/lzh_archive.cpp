#include "lzh_archive.h"

#include "lh5_encoder.h"

#include <array>

namespace lha32 {
namespace {

uint16_t read16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t read32(const uint8_t* p) {
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

bool isLeadByte(uint8_t c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Old archivers write folder separators as '\' or 0xFF; extended headers use 0xFF.
std::string withBackslashes(std::string path) {
    for (size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<uint8_t>(path[i]);
        if (isLeadByte(c)) {
            ++i;
        } else if (c == 0xFF || c == '/') {
            path[i] = '\\';
        }
    }
    return path;
}

struct ExtendedHeaders {
    std::string name;
    std::string folder;
};

// Walks a chain of extended headers starting at pos; each is its type byte,
// its body and the size of the next one (the first size is given), and each
// size counts the whole header. Returns false when the chain runs past end.
bool readExtended(const std::vector<uint8_t>& a, size_t pos, size_t end, size_t size, ExtendedHeaders& ext) {
    while (size != 0) {
        if (size < 3 || pos + size > end) return false;
        const uint8_t type = a[pos];
        const std::string body(reinterpret_cast<const char*>(&a[pos + 1]), size - 3);
        if (type == 0x01) ext.name = body;
        if (type == 0x02) ext.folder = body;
        const size_t next = read16(&a[pos + size - 2]);
        pos += size;
        size = next;
    }
    return true;
}

std::string joinStoredPath(const ExtendedHeaders& ext, const std::string& baseName) {
    std::string name = ext.name.empty() ? baseName : ext.name;
    if (ext.folder.empty()) return withBackslashes(name);
    std::string folder = withBackslashes(ext.folder);
    if (folder.back() != '\\') folder += '\\';
    return folder + withBackslashes(name);
}

} // namespace

uint16_t crc16(const uint8_t* data, size_t size, uint16_t crc) {
    static const std::array<uint16_t, 256> table = [] {
        std::array<uint16_t, 256> t{};
        for (unsigned i = 0; i < 256; ++i) {
            unsigned r = i;
            for (int k = 0; k < 8; ++k)
                r = (r & 1) ? (r >> 1) ^ 0xA001u : r >> 1;
            t[i] = static_cast<uint16_t>(r);
        }
        return t;
    }();
    for (size_t i = 0; i < size; ++i)
        crc = static_cast<uint16_t>(table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8));
    return crc;
}

uint32_t dosTimestamp(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    if (local.tm_year < 80) return (1u << 5 | 1u) << 16; // before 1980: 1980-01-01 00:00
    const uint32_t date =
        static_cast<uint32_t>(((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
    const uint32_t clock =
        static_cast<uint32_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
    return (date << 16) | clock;
}

bool sameStoredName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto ca = static_cast<uint8_t>(a[i]);
        auto cb = static_cast<uint8_t>(b[i]);
        if (isLeadByte(ca)) {
            if (ca != cb || i + 1 >= a.size() || a[i + 1] != b[i + 1]) return false;
            ++i;
            continue;
        }
        if (ca >= 'a' && ca <= 'z') ca = static_cast<uint8_t>(ca - 'a' + 'A');
        if (cb >= 'a' && cb <= 'z') cb = static_cast<uint8_t>(cb - 'a' + 'A');
        if (ca != cb) return false;
    }
    return true;
}

std::optional<std::string> splitArchive(const std::vector<uint8_t>& a, std::vector<RawMember>& members) {
    size_t pos = 0;
    while (pos < a.size() && a[pos] != 0) { // a zero byte ends the archive
        if (a.size() - pos < 22) return "書庫の終わりが壊れています。";
        const uint8_t* h = &a[pos];
        const int level = h[20];
        const uint32_t packed = read32(h + 7);
        size_t headerSize = 0;
        size_t total = 0;
        ExtendedHeaders ext;
        std::string baseName;
        if (level == 0 || level == 1) {
            headerSize = 2u + h[0];
            if (pos + headerSize > a.size() || 22u + h[21] > headerSize)
                return "書庫のヘッダーが壊れています。";
            uint8_t sum = 0;
            for (size_t i = 2; i < headerSize; ++i)
                sum = static_cast<uint8_t>(sum + h[i]);
            if (sum != h[1]) return "書庫のヘッダーのチェックサムが合いません。";
            baseName.assign(reinterpret_cast<const char*>(h + 22), h[21]);
            total = headerSize + packed; // level 1: the packed size counts the extended headers
            if (pos + total > a.size()) return "書庫が途中で切れています。";
            if (level == 1 &&
                !readExtended(a, pos + headerSize, pos + total, read16(h + headerSize - 2), ext))
                return "書庫の拡張ヘッダーが壊れています。";
        } else if (level == 2) {
            headerSize = read16(h);
            if (headerSize < 26 || pos + headerSize > a.size()) return "書庫のヘッダーが壊れています。";
            total = headerSize + packed;
            if (pos + total > a.size()) return "書庫が途中で切れています。";
            if (!readExtended(a, pos + 26, pos + headerSize, read16(h + 24), ext))
                return "書庫の拡張ヘッダーが壊れています。";
        } else {
            return "対応していない形式のヘッダー (レベル " + std::to_string(level) + ") があります。";
        }
        RawMember m;
        m.storedName = joinStoredPath(ext, baseName);
        m.bytes.assign(a.begin() + static_cast<std::ptrdiff_t>(pos),
                       a.begin() + static_cast<std::ptrdiff_t>(pos + total));
        members.push_back(std::move(m));
        pos += total;
    }
    return std::nullopt;
}

std::vector<uint8_t> buildMember(const std::string& name, const std::vector<uint8_t>& contents,
                                 uint32_t timestamp, std::string& method) {
    std::vector<uint8_t> data = encodeLh5(contents);
    method = "-lh5-";
    if (data.size() >= contents.size()) {
        data = contents;
        method = "-lh0-";
    }
    std::vector<uint8_t> h;
    h.push_back(0); // header size, set below
    h.push_back(0); // checksum, set below
    h.insert(h.end(), method.begin(), method.end());
    put32(h, static_cast<uint32_t>(data.size()));
    put32(h, static_cast<uint32_t>(contents.size()));
    put32(h, timestamp);
    h.push_back(0x20); // archive attribute
    h.push_back(1);    // header level
    h.push_back(static_cast<uint8_t>(name.size()));
    h.insert(h.end(), name.begin(), name.end());
    put16(h, crc16(contents.data(), contents.size()));
    h.push_back('M'); // written on MS-DOS/Windows
    put16(h, 0);      // no extended headers
    h[0] = static_cast<uint8_t>(h.size() - 2);
    uint8_t sum = 0;
    for (size_t i = 2; i < h.size(); ++i)
        sum = static_cast<uint8_t>(sum + h[i]);
    h[1] = sum;
    h.insert(h.end(), data.begin(), data.end());
    return h;
}

} // namespace lha32
