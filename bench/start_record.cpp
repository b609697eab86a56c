// Start records of the trivial program.
#include "bench/start_record.h"

namespace bench {
namespace {

constexpr char kFieldEnd = '\x1F';
constexpr char kRecordEnd = '\x1E';

}  // namespace

std::string FormatStart(const StartRecord& record) {
    std::string text = record.program + kFieldEnd + record.commandLine;
    for (const std::string& argument : record.arguments) text += kFieldEnd + argument;
    return text + kRecordEnd;
}

std::vector<StartRecord> ParseStarts(const std::string& log) {
    std::vector<StartRecord> records;
    std::size_t start = 0;
    for (std::size_t end; (end = log.find(kRecordEnd, start)) != std::string::npos;
         start = end + 1) {
        std::vector<std::string> fields;
        std::size_t from = start;
        for (std::size_t at; (at = log.find(kFieldEnd, from)) < end; from = at + 1) {
            fields.push_back(log.substr(from, at - from));
        }
        fields.push_back(log.substr(from, end - from));
        if (fields.size() < 3) continue;
        records.push_back({fields[0], fields[1], {fields.begin() + 2, fields.end()}});
    }
    return records;
}

}  // namespace bench
