// Tests and deletions of the work files in the project directory.
#include "flows/work_files.h"

#include "os/os.h"
#include "os/wildcard.h"

bool WorkFilePresent(const std::string& pattern) {
    return os::PatternExists(pattern);
}

void DeleteWorkFiles(const std::string& pattern) {
    // The platform's search also matches alternative short names ("TEMP*.TIF" finds
    // "TEMP0001.TIFF"); only entries whose own name matches are work files of the pattern.
    for (const std::string& name : os::FindMatches(pattern)) {
        if (os::WildcardMatch(pattern, name, os::FileNameEncoding())) os::DeleteFile(name);
    }
}
