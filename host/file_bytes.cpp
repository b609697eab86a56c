// Reading a whole file for the host's checks and views.
#include "host/file_bytes.h"

#include <fstream>

namespace host {

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error) {
    bytes.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot be opened (missing, or not readable for this user)";
        return false;
    }
    char chunk[4096];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        error = "cannot be read (a directory, or a read error)";
        return false;
    }
    return true;
}

}  // namespace host
