// lha32: the archiver the program calls to pack and unpack its job files.
//   lha32 e ARCHIVE MEMBER   extract MEMBER into the current folder under its bare name
//   lha32 u ARCHIVE FILE     add or replace FILE under its bare name, creating ARCHIVE if missing
// Exit code 0 on success; otherwise a message on stderr and a nonzero code.
#include "lzh_archive.h"
#include "lzh_extract.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iconv.h>
#include <iostream>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using lha32::RawMember;

// Names are stored in the Windows Japanese code page so that Windows archivers
// show them correctly; the local file system uses UTF-8.
std::optional<std::string> convert(const std::string& text, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in = text;
    std::string out(text.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1)) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

std::string bareName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

int fail(const std::string& message) {
    std::cerr << "lha32: " << message << '\n';
    return 1;
}

// The whole of a regular file; false for anything else (a FIFO or device is
// refused at once, never waited on) or a failed read.
bool readFile(const std::string& path, std::vector<uint8_t>& out) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    out.clear();
    uint8_t block[1 << 16];
    while (ok) {
        const ssize_t n = ::read(fd, block, sizeof block);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        out.insert(out.end(), block, block + n);
    }
    ::close(fd);
    return ok;
}

// Writes the bytes to a scratch file beside target and renames it over the
// target, so an interrupted run never leaves a half-written file behind.
std::optional<std::string> replaceFile(const std::string& target, const std::vector<uint8_t>& bytes) {
    std::string scratch = folderOf(target) + "/.lha32-XXXXXX";
    const int fd = mkstemp(scratch.data());
    if (fd < 0) return "一時ファイルを作れません: " + folderOf(target) + " (" + std::strerror(errno) + ")";
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            const std::string err = std::strerror(errno);
            close(fd);
            unlink(scratch.c_str());
            return "書き込みに失敗しました: " + target + " (" + err + ")";
        }
        done += static_cast<size_t>(n);
    }
    fchmod(fd, 0644); // mkstemp makes the file private; an archive is an ordinary document
    if (fsync(fd) != 0 || close(fd) != 0) {
        unlink(scratch.c_str());
        return "書き込みに失敗しました: " + target;
    }

    if (std::rename(scratch.c_str(), target.c_str()) != 0) {
        const std::string err = std::strerror(errno);
        unlink(scratch.c_str());
        return "ファイルを置き換えられません: " + target + " (" + err + ")";
    }
    return std::nullopt;
}

int addFile(const std::string& archivePath, const std::string& filePath) {
    std::vector<uint8_t> contents;
    struct stat st {};
    if (stat(filePath.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || !readFile(filePath, contents))
        return fail("追加するファイルを読めません: " + filePath);
    const auto storedName = convert(bareName(filePath), "CP932", "UTF-8");
    if (!storedName) return fail("ファイル名を Shift-JIS で表せません: " + bareName(filePath));
    if (storedName->empty() || storedName->size() > 230)
        return fail("ファイル名の長さが扱えません: " + filePath);

    std::vector<RawMember> members;
    if (access(archivePath.c_str(), F_OK) == 0) {
        std::vector<uint8_t> archive;
        if (!readFile(archivePath, archive)) return fail("書庫を読めません: " + archivePath);
        if (const auto err = lha32::splitArchive(archive, members)) return fail(*err + " " + archivePath);
    }
    std::string method;
    RawMember added{*storedName,
                    lha32::buildMember(*storedName, contents, lha32::dosTimestamp(st.st_mtime), method)};
    // The new member takes the place of the first one of the same name; any
    // later copy of that name is dropped, since it would shadow the new one.
    std::vector<RawMember> kept;
    bool placed = false;
    for (RawMember& m : members) {
        if (!lha32::sameStoredName(m.storedName, *storedName)) {
            kept.push_back(std::move(m));
        } else if (!placed) {
            kept.push_back(added);
            placed = true;
        }
    }
    if (!placed) kept.push_back(std::move(added));
    members = std::move(kept);

    std::vector<uint8_t> out;
    for (const RawMember& m : members)
        out.insert(out.end(), m.bytes.begin(), m.bytes.end());
    out.push_back(0); // end of archive
    if (const auto err = replaceFile(archivePath, out)) return fail(*err);
    return 0;
}

int extractMember(const std::string& archivePath, const std::string& member) {
    const std::string wanted = bareName(member);
    const auto wantedStored = convert(wanted, "CP932", "UTF-8");
    lha32::ExtractedMember m;
    if (const auto err = lha32::readMember(archivePath, {wantedStored.value_or(wanted), wanted}, m))
        return fail(*err);
    // The stored name matched the bare name asked for, so it names no folder.
    const std::string localName = convert(m.storedName, "UTF-8", "CP932").value_or(wanted);
    if (const auto err = replaceFile(localName, m.data)) return fail(*err);
    const struct timespec times[2] = {{static_cast<time_t>(m.timestamp), 0},
                                      {static_cast<time_t>(m.timestamp), 0}};
    if (m.timestamp != 0) utimensat(AT_FDCWD, localName.c_str(), times, 0);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 || (std::strcmp(argv[1], "e") != 0 && std::strcmp(argv[1], "u") != 0)) {
        std::cerr << "使い方: lha32 e 書庫 メンバー名   (メンバーを現在のフォルダーに取り出す)\n"
                     "        lha32 u 書庫 ファイル     (ファイルを書庫に追加または置き換える)\n";
        return 2;
    }
    if (argv[1][0] == 'e') return extractMember(argv[2], argv[3]);
    return addFile(argv[2], argv[3]);
}
