// Windows half: the span a PE library's headers describe: its headers, the raw data of its
// sections and the symbol and string tables a MinGW build may keep after them.
#include <windows.h>

#include <algorithm>
#include <cstddef>

#include "host/plugin/plugin_loader.h"

namespace host {
namespace {

/// A disk file opened for reading, shared with every other opener.
class HeaderFile {
public:
    explicit HeaderFile(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
        LARGE_INTEGER size{};
        if (handle_ != INVALID_HANDLE_VALUE && GetFileType(handle_) == FILE_TYPE_DISK &&
            GetFileSizeEx(handle_, &size)) {
            size_ = static_cast<std::uint64_t>(size.QuadPart);
            regular_ = true;
        }
    }
    HeaderFile(const HeaderFile&) = delete;
    HeaderFile& operator=(const HeaderFile&) = delete;
    ~HeaderFile() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }

    bool Regular() const { return regular_; }
    std::uint64_t Size() const { return size_; }

    /// The `T` at `offset`; false when the file ends before it.
    template <typename T>
    bool ReadAt(std::uint64_t offset, T& value) const {
        if (offset > size_ || size_ - offset < sizeof value) return false;
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD read = 0;
        return ReadFile(handle_, &value, sizeof value, &read, &at) && read == sizeof value;
    }

private:
    HANDLE handle_;
    std::uint64_t size_ = 0;
    bool regular_ = false;
};

constexpr std::uint64_t kSymbolSize = 18;  // one entry of the COFF symbol table

std::uint64_t EndOf(std::uint64_t offset, std::uint64_t size) {
    return offset + size;  // both at most 32 bits wide: no wrap-around
}

/// The end of the symbol table and of the string table right after it; 0 without them.
std::uint64_t SymbolsEnd(const HeaderFile& file, const IMAGE_FILE_HEADER& header) {
    if (header.PointerToSymbolTable == 0) return 0;
    const std::uint64_t strings =
        EndOf(header.PointerToSymbolTable, kSymbolSize * header.NumberOfSymbols);
    DWORD stringsSize = 0;
    if (!file.ReadAt(strings, stringsSize)) return strings + sizeof stringsSize;
    return EndOf(strings, std::max<DWORD>(stringsSize, sizeof stringsSize));
}

std::uint64_t DescribedEnd(const HeaderFile& file, LONG peOffset) {
    IMAGE_FILE_HEADER header{};
    const std::uint64_t headerAt = static_cast<std::uint64_t>(peOffset) + sizeof(DWORD);
    if (!file.ReadAt(headerAt, header)) return headerAt + sizeof header;
    const std::uint64_t optionalAt = headerAt + sizeof header;
    const std::uint64_t sectionsAt = optionalAt + header.SizeOfOptionalHeader;
    std::uint64_t end = EndOf(sectionsAt, sizeof(IMAGE_SECTION_HEADER) * header.NumberOfSections);
    // SizeOfHeaders lies at the same place in the optional headers of 32- and 64-bit files.
    DWORD headersSize = 0;
    if (file.ReadAt(optionalAt + offsetof(IMAGE_OPTIONAL_HEADER32, SizeOfHeaders), headersSize)) {
        end = std::max<std::uint64_t>(end, headersSize);
    }
    for (WORD i = 0; i < header.NumberOfSections; ++i) {
        IMAGE_SECTION_HEADER section{};
        if (!file.ReadAt(sectionsAt + i * sizeof section, section)) break;
        end = std::max(end, EndOf(section.PointerToRawData, section.SizeOfRawData));
    }
    return std::max(end, SymbolsEnd(file, header));
}

}  // namespace

LibrarySpan ReadLibrarySpan(const std::string& path) {
    const HeaderFile file(path);
    IMAGE_DOS_HEADER dos{};
    if (!file.Regular() || !file.ReadAt(0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE ||
        dos.e_lfanew <= 0) {
        return {};
    }
    DWORD signature = 0;
    if (file.ReadAt(static_cast<std::uint64_t>(dos.e_lfanew), signature) &&
        signature != IMAGE_NT_SIGNATURE) {
        return {};
    }
    return {DescribedEnd(file, dos.e_lfanew), file.Size()};
}

}  // namespace host
