// "CFGPATH": any file is read into lines without a fault (a line ends at LF, a CR before the
// LF dropped, and its text at its first NUL); the key lookup and the resolver of the run operations
// hold to their rules for every line as a key. Input: a byte that picks the directory key among the
// lines, then the file's bytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "launch/install_paths.h"
#include "launch/run_rules.h"
#include "text/gbk_text.h"

namespace {

const std::string& Root() {
    static const std::string root = fuzz::ScratchDir();
    return root;
}

// The lines of `bytes` that end in LF, CR before the LF dropped, each up to its first NUL.
std::vector<std::string> EndedLines(std::string_view bytes) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = bytes.find('\n', start)) != std::string_view::npos;
         start = end + 1) {
        std::string line(bytes.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line.substr(0, line.find('\0')));
    }
    return lines;
}

void CheckFindKeyDir(const std::vector<std::string>& lines, const std::string& key) {
    for (const KeyMatch match : {KeyMatch::First, KeyMatch::Last}) {
        std::string dir = "left over";
        CfgPathReader file(lines);
        const bool found = FindKeyDir(file, key, match, dir);
        std::optional<std::size_t> at;
        // A key line's directory line is consumed: the scan goes on after it.
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (gbk::Upper(lines[i]) != key) continue;
            at = i++;
            if (match == KeyMatch::First) break;
        }
        fuzz::Check(found == at.has_value(), "FindKeyDir: found or not, wrongly");
        const std::string expected = at && *at + 1 < lines.size() ? lines[*at + 1] : "";
        fuzz::Check(dir == expected, "FindKeyDir: not the line after the key");
    }
}

void CheckResolveRun(const std::vector<std::string>& lines, const std::string& key) {
    InstallationView installation{Root(), "<root>", lines, true};
    for (const RunMode& mode : kRunModes) {
        const ResolvedRun run = ResolveRun(mode, key, "Zeta Calc.exe -B \"x\"", installation);
        if (run.outcome == RunOutcome::kStart) {
            fuzz::Check(!run.command.commandLine.empty(), "a start without a command line");
            std::string dir = Root() + "\\";
            CfgPathReader file(lines);
            fuzz::Check((key == installation.rootKey || FindKeyDir(file, key, mode.match, dir)) &&
                            dir == run.dir,
                        "a start from another directory than the key's");
        } else {
            fuzz::Check(!run.message.empty(), "a refusal without a message");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::string_view bytes = fuzz::AsText(data + 1, size - 1);
    fuzz::WriteWhole(Root() + "/CFGPATH", bytes);
    const std::optional<std::vector<std::string>> lines = ReadCfgPath(Root());
    fuzz::Check(lines.has_value(), "a readable CFGPATH was not read");

    const std::vector<std::string> ended = EndedLines(bytes);
    fuzz::Check(lines->size() >= ended.size() && lines->size() <= ended.size() + 1,
                "not one line per LF, and the last without LF");
    fuzz::Check(std::vector<std::string>(lines->begin(), lines->begin() + ended.size()) == ended,
                "lines differ from the text between LFs");

    if (!lines->empty()) {
        const std::string key = gbk::Upper(gbk::Trim((*lines)[data[0] % lines->size()]));
        CheckFindKeyDir(*lines, key);
        CheckResolveRun(*lines, key);
    }
    CheckResolveRun(*lines, "<root>");
    const std::string core = CoreDirectory(*lines);
    fuzz::Check(ExtendedPath("R", core, "OLD", ':') == "R:" + core + ":OLD",
                "PATH not extended in front");
    return 0;
}
