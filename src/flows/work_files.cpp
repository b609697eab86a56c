// Tests and deletions of the work files in the project directory.
#include "flows/work_files.h"

#include "model/trace.h"
#include "os/os.h"
#include "os/wildcard.h"

bool WorkFilePresent(const std::string& pattern) {
    const bool present = os::PatternExists(pattern);
    trace::Event(trace::kTest, {pattern, present ? trace::kPresent : trace::kAbsent});
    return present;
}

void DeleteWorkFiles(const std::string& pattern) {
    // The platform's search also matches alternative short names ("TEMP*.TIF" finds
    // "TEMP0001.TIFF"); only entries whose own name matches are work files of the pattern.
    bool matched = false;
    for (const std::string& name : os::FindMatches(pattern)) {
        if (!os::WildcardMatch(pattern, name, os::FileNameEncoding())) continue;
        trace::Deleted(name, os::DeleteFile(name));
        matched = true;
    }
    if (!matched) trace::Event(trace::kDelete, {pattern, trace::kNoMatch});
}
