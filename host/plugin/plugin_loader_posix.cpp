// POSIX half: the span an ELF library's headers describe. The system's loader maps the
// segments without comparing them with the file's size, and a page past the end of the file
// then ends the process with SIGBUS at its first touch.
#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "host/plugin/plugin_loader.h"

namespace host {
namespace {

/// A regular file opened for reading without waiting (a pipe under the name is refused).
class HeaderFile {
public:
    explicit HeaderFile(const std::string& path)
        : fd_(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
        struct stat info {};
        if (fd_ >= 0 && fstat(fd_, &info) == 0 && S_ISREG(info.st_mode)) {
            size_ = static_cast<std::uint64_t>(info.st_size);
            regular_ = true;
        }
    }
    HeaderFile(const HeaderFile&) = delete;
    HeaderFile& operator=(const HeaderFile&) = delete;
    ~HeaderFile() {
        if (fd_ >= 0) close(fd_);
    }

    bool Regular() const { return regular_; }
    std::uint64_t Size() const { return size_; }

    /// The `T` at `offset`; false when the file ends before it.
    template <typename T>
    bool ReadAt(std::uint64_t offset, T& value) const {
        if (offset > size_ || size_ - offset < sizeof value) return false;
        return pread(fd_, &value, sizeof value, static_cast<off_t>(offset)) ==
               static_cast<ssize_t>(sizeof value);
    }

private:
    int fd_;
    std::uint64_t size_ = 0;
    bool regular_ = false;
};

/// `offset` + `count` × `each`, at most UINT64_MAX: a hostile header cannot wrap it around.
std::uint64_t EndOf(std::uint64_t offset, std::uint64_t count, std::uint64_t each = 1) {
    constexpr std::uint64_t kMost = ~std::uint64_t{0};
    if (each != 0 && count > kMost / each) return kMost;
    return count * each > kMost - offset ? kMost : offset + count * each;
}

/// The end of the headers, the segments and the sections of an ELF file of one class.
template <typename Header, typename Segment, typename Section>
std::uint64_t DescribedEnd(const HeaderFile& file) {
    Header header{};
    if (!file.ReadAt(0, header)) return sizeof header;
    std::uint64_t end = sizeof header;
    end = std::max(end, EndOf(header.e_phoff, header.e_phnum, header.e_phentsize));
    end = std::max(end, EndOf(header.e_shoff, header.e_shnum, header.e_shentsize));
    for (std::uint64_t i = 0; i < header.e_phnum && header.e_phentsize >= sizeof(Segment); ++i) {
        Segment segment{};
        if (!file.ReadAt(EndOf(header.e_phoff, i, header.e_phentsize), segment)) break;
        end = std::max(end, EndOf(segment.p_offset, segment.p_filesz));
    }
    for (std::uint64_t i = 0; i < header.e_shnum && header.e_shentsize >= sizeof(Section); ++i) {
        Section section{};
        if (!file.ReadAt(EndOf(header.e_shoff, i, header.e_shentsize), section)) break;
        if (section.sh_type != SHT_NOBITS) {
            end = std::max(end, EndOf(section.sh_offset, section.sh_size));
        }
    }
    return end;
}

}  // namespace

LibrarySpan ReadLibrarySpan(const std::string& path) {
    const HeaderFile file(path);
    unsigned char ident[EI_NIDENT] = {};
    if (!file.Regular() || !file.ReadAt(0, ident) || std::memcmp(ident, ELFMAG, SELFMAG) != 0) {
        return {};
    }
    const std::uint64_t described = ident[EI_CLASS] == ELFCLASS64
                                        ? DescribedEnd<Elf64_Ehdr, Elf64_Phdr, Elf64_Shdr>(file)
                                        : DescribedEnd<Elf32_Ehdr, Elf32_Phdr, Elf32_Shdr>(file);
    return {described, file.Size()};
}

}  // namespace host
