// Any bytes as an archive given to the archiver: splitting it into members
// (as adding a file does) and extracting the job file from it must refuse or
// succeed, never crash, hang, trip a sanitizer or allocate what a header
// merely claims. Inputs whose first byte is even are file contents instead:
// packed by our own encoder, they must extract to the same bytes.
#include "lzh_archive.h"
#include "lzh_extract.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// A scratch folder of the process's own, removed when the search ends.
struct ScratchFolder {
    std::string path = [] {
        std::string dir = "/tmp/lzh-fuzz-XXXXXX";
        if (!mkdtemp(dir.data())) std::abort();
        return dir;
    }();
    ~ScratchFolder() { std::filesystem::remove_all(path); }
};

const std::string& scratchArchive() {
    static const ScratchFolder folder;
    static const std::string path = folder.path + "/a.lzh";
    return path;
}

void writeArchive(const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(scratchArchive().c_str(), "wb");
    if (!f) std::abort();
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

const std::vector<std::string> kJobNames = {"K5dat02.k5d", "K5dat.k5d"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::vector<uint8_t> rest(data + 1, data + size);
    lha32::ExtractedMember member;
    if (data[0] & 1) {
        std::vector<lha32::RawMember> members;
        lha32::splitArchive(rest, members);
        writeArchive(rest);
        lha32::readMember(scratchArchive(), kJobNames, member);
        return 0;
    }
    std::string method;
    std::vector<uint8_t> archive = lha32::buildMember("K5dat02.k5d", rest, 0x5A8C6000, method);
    archive.push_back(0);
    std::vector<lha32::RawMember> members;
    if (lha32::splitArchive(archive, members) || members.size() != 1) std::abort();
    writeArchive(archive);
    if (lha32::readMember(scratchArchive(), kJobNames, member) || member.data != rest) std::abort();
    return 0;
}
