// Writing and reading the stand-in's journal.
#include "suite/journal.h"

#include <charconv>

namespace suite {
namespace {

void AppendField(std::string& out, const char* name, const std::string& value) {
    out += name;
    out += ' ';
    out += std::to_string(value.size());
    out += ':';
    out += value;
    out += '\n';
}

/// Reads fields one at a time from a journal text.
class FieldReader {
public:
    explicit FieldReader(const std::string& bytes) : bytes_(bytes) {}

    bool AtEnd() const { return pos_ == bytes_.size(); }
    std::size_t Offset() const { return pos_; }

    /// Reads "end\n" or "name LEN:bytes\n"; false on malformed input.
    bool Next(std::string& name, std::string& value) {
        std::size_t lineEnd = bytes_.find_first_of(" \n", pos_);
        if (lineEnd == std::string::npos) return false;
        name = bytes_.substr(pos_, lineEnd - pos_);
        if (bytes_[lineEnd] == '\n') {
            pos_ = lineEnd + 1;
            value.clear();
            return name == "end";
        }
        std::size_t colon = bytes_.find(':', lineEnd + 1);
        if (colon == std::string::npos) return false;
        std::size_t length = 0;
        const char* first = bytes_.data() + lineEnd + 1;
        const char* last = bytes_.data() + colon;
        auto [stop, fault] = std::from_chars(first, last, length);
        if (fault != std::errc() || stop != last || first == last) return false;
        if (length > bytes_.size() - colon - 1 || bytes_.size() - colon - 1 - length < 1) {
            return false;
        }
        value = bytes_.substr(colon + 1, length);
        if (bytes_[colon + 1 + length] != '\n') return false;
        pos_ = colon + 2 + length;
        return true;
    }

private:
    const std::string& bytes_;
    std::size_t pos_ = 0;
};

bool ParseExitCode(const std::string& text, std::uint32_t& code) {
    const char* last = text.data() + text.size();
    auto [stop, fault] = std::from_chars(text.data(), last, code);
    return fault == std::errc() && stop == last && !text.empty();
}

/// Stores one field in `record`; false for an unknown name or a bad value.
bool StoreField(JournalRecord& record, const std::string& name, const std::string& value) {
    if (name == "program") {
        record.program = value;
    } else if (name == "command") {
        record.commandLine = value;
    } else if (name == "arg") {
        record.args.push_back(value);
    } else if (name == "cwd") {
        record.currentDir = value;
    } else if (name == "path") {
        record.pathHead.push_back(value);
    } else if (name == "action") {
        record.actions.push_back(value);
    } else if (name == "exit") {
        return ParseExitCode(value, record.exitCode);
    } else {
        return false;
    }
    return true;
}

}  // namespace

std::string FormatRecord(const JournalRecord& record) {
    std::string out;
    AppendField(out, "program", record.program);
    AppendField(out, "command", record.commandLine);
    for (const std::string& arg : record.args) AppendField(out, "arg", arg);
    AppendField(out, "cwd", record.currentDir);
    for (const std::string& element : record.pathHead) AppendField(out, "path", element);
    for (const std::string& action : record.actions) AppendField(out, "action", action);
    AppendField(out, "exit", std::to_string(record.exitCode));
    out += "end\n";
    return out;
}

bool ParseJournal(const std::string& bytes, std::vector<JournalRecord>& records,
                  std::string& error) {
    FieldReader reader(bytes);
    JournalRecord current;
    bool open = false;
    std::string name;
    std::string value;
    while (!reader.AtEnd()) {
        std::size_t offset = reader.Offset();
        bool good = reader.Next(name, value);
        if (good && name == "end") {
            good = open;  // a record holds at least one field
            if (good) records.push_back(std::move(current));
            current = JournalRecord();
            open = false;
        } else if (good) {
            good = StoreField(current, name, value);
            open = true;
        }
        if (!good) {
            error = "malformed journal field at byte " + std::to_string(offset);
            return false;
        }
    }
    if (open) {
        error = "journal ends inside a record";
        return false;
    }
    return true;
}

std::vector<std::string> PathHead(const std::string& pathValue, char separator) {
    std::vector<std::string> head;
    if (pathValue.empty()) return head;
    std::size_t start = 0;
    while (head.size() < 2) {
        std::size_t stop = pathValue.find(separator, start);
        head.push_back(pathValue.substr(start, stop - start));
        if (stop == std::string::npos) break;
        start = stop + 1;
    }
    return head;
}

}  // namespace suite
