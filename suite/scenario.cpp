// Writing, reading and applying the stand-in's scenario.
#include "suite/scenario.h"

#include <charconv>

#include "plugin/inspect.h"

namespace suite {
namespace {

constexpr std::string_view kExeSuffix = ".exe";

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerAscii(std::string text) {
    for (char& c : text) c = LowerAscii(c);
    return text;
}

std::string WithoutExeSuffix(std::string name) {
    name = LowerAscii(std::move(name));
    if (name.size() > kExeSuffix.size() && name.ends_with(kExeSuffix)) {
        name.resize(name.size() - kExeSuffix.size());
    }
    return name;
}

void AppendHexEscape(std::string& out, unsigned char byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xF];
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = LowerAscii(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

/// Decodes the escape that starts at text[pos] == '\'; advances pos past it.
bool DecodeEscape(const std::string& text, std::size_t& pos, std::string& bytes) {
    if (pos + 1 >= text.size()) return false;
    char kind = text[pos + 1];
    static constexpr struct {
        char letter;
        char byte;
    } kSimple[] = {{'\\', '\\'}, {'s', ' '}, {'t', '\t'}, {'r', '\r'}, {'n', '\n'}};
    for (const auto& simple : kSimple) {
        if (kind == simple.letter) {
            bytes += simple.byte;
            pos += 2;
            return true;
        }
    }
    if (kind != 'x' || pos + 4 > text.size()) return false;
    int high = HexValue(text[pos + 2]);
    int low = HexValue(text[pos + 3]);
    if (high < 0 || low < 0) return false;
    bytes += static_cast<char>(high * 16 + low);
    pos += 4;
    return true;
}

/// Splits "keyword rest": the keyword ends at the first blank, the rest follows that blank.
void SplitKeyword(const std::string& line, std::string& keyword, std::string& rest) {
    std::size_t blank = line.find(' ');
    keyword = line.substr(0, blank);
    rest = blank == std::string::npos ? std::string() : line.substr(blank + 1);
}

bool ParseCode(const std::string& text, std::uint32_t& code) {
    const char* last = text.data() + text.size();
    auto [stop, fault] = std::from_chars(text.data(), last, code);
    return fault == std::errc() && stop == last && !text.empty();
}

/// Parses the value of one action line into `action`.
bool ParseAction(const std::string& keyword, const std::string& rest, ScenarioAction& action,
                 std::string& error) {
    if (keyword == "create") {
        action.kind = ActionKind::Create;
        std::string name;
        std::string bytes;
        SplitKeyword(rest, name, bytes);
        return UnescapeField(name, action.name, error) && UnescapeField(bytes, action.bytes, error);
    }
    if (keyword == "delete") {
        action.kind = ActionKind::Delete;
        return UnescapeField(rest, action.name, error);
    }
    if (keyword == "exit" || keyword == "wait") {
        action.kind = keyword == "exit" ? ActionKind::Exit : ActionKind::Wait;
        if (ParseCode(rest, action.code)) return true;
        error = "bad " + keyword + " number";
        return false;
    }
    error = "unknown keyword '" + keyword + "'";
    return false;
}

/// Applies one non-comment line to the scenario being read.
bool ParseLine(const std::string& line, Scenario& scenario, std::string& error) {
    std::string keyword;
    std::string rest;
    SplitKeyword(line, keyword, rest);
    if (keyword == "program") {
        ScenarioRule& rule = scenario.rules.emplace_back();
        return UnescapeField(rest, rule.program, error);
    }
    if (scenario.rules.empty()) {
        error = "'" + keyword + "' before the first 'program' line";
        return false;
    }
    ScenarioRule& rule = scenario.rules.back();
    if (keyword == "args") {
        if (rule.args || !rule.actions.empty()) {
            error = "'args' must follow 'program' once";
            return false;
        }
        rule.args.emplace();
        return UnescapeField(rest, *rule.args, error);
    }
    return ParseAction(keyword, rest, rule.actions.emplace_back(), error);
}

std::string ActionLine(const ScenarioAction& action) {
    switch (action.kind) {
        case ActionKind::Create:
            return "create " + EscapeField(action.name, true) + " " +
                   EscapeField(action.bytes, false);
        case ActionKind::Delete:
            return "delete " + EscapeField(action.name, false);
        case ActionKind::Exit:
            return "exit " + std::to_string(action.code);
        case ActionKind::Wait:
            return "wait " + std::to_string(action.code);
    }
    return {};
}

}  // namespace

ScenarioRule& ScenarioRule::Create(std::string name, std::string bytes) {
    actions.push_back({ActionKind::Create, std::move(name), std::move(bytes), 0});
    return *this;
}

ScenarioRule& ScenarioRule::Delete(std::string name) {
    actions.push_back({ActionKind::Delete, std::move(name), {}, 0});
    return *this;
}

ScenarioRule& ScenarioRule::Exit(std::uint32_t code) {
    actions.push_back({ActionKind::Exit, {}, {}, code});
    return *this;
}

ScenarioRule& ScenarioRule::Wait(std::uint32_t milliseconds) {
    actions.push_back({ActionKind::Wait, {}, {}, milliseconds});
    return *this;
}

ScenarioRule& Scenario::On(std::string program, std::optional<std::string> args) {
    return rules.emplace_back(ScenarioRule{std::move(program), std::move(args), {}});
}

std::string FormatScenario(const Scenario& scenario) {
    std::string out;
    for (const ScenarioRule& rule : scenario.rules) {
        out += "program " + EscapeField(rule.program, false) + "\n";
        if (rule.args) out += "args " + EscapeField(*rule.args, false) + "\n";
        for (const ScenarioAction& action : rule.actions) out += ActionLine(action) + "\n";
        out += "\n";
    }
    return out;
}

bool ParseScenario(const std::string& text, Scenario& scenario, std::string& error) {
    std::size_t start = 0;
    for (int lineNumber = 1; start < text.size(); ++lineNumber) {
        std::size_t stop = text.find('\n', start);
        if (stop == std::string::npos) stop = text.size();
        std::string line = text.substr(start, stop - start);
        start = stop + 1;
        if (line.ends_with('\r')) line.pop_back();
        std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        if (!ParseLine(line.substr(first), scenario, error)) {
            error = "scenario line " + std::to_string(lineNumber) + ": " + error;
            return false;
        }
    }
    return true;
}

bool ProgramNameMatches(const std::string& ruleProgram, const std::string& fileName) {
    return WithoutExeSuffix(ruleProgram) == WithoutExeSuffix(fileName);
}

bool WildcardMatches(const std::string& pattern, const std::string& text) {
    std::size_t p = 0;
    std::size_t t = 0;
    std::size_t starAt = std::string::npos;  // pattern position after the last '*'
    std::size_t starText = 0;                // text position that '*' stretches up to
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = ++p;
            starText = t;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || LowerAscii(pattern[p]) == LowerAscii(text[t]))) {
            ++p;
            ++t;
        } else if (starAt != std::string::npos) {
            p = starAt;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

const ScenarioRule* SelectRule(const Scenario& scenario, const std::string& fileName,
                               const std::vector<std::string>& args) {
    std::string joined;
    for (const std::string& arg : args) joined += (joined.empty() ? "" : " ") + arg;
    for (const ScenarioRule& rule : scenario.rules) {
        if (!ProgramNameMatches(rule.program, fileName)) continue;
        if (!rule.args || WildcardMatches(*rule.args, joined)) return &rule;
    }
    return nullptr;
}

std::string EscapeField(const std::string& bytes, bool escapeBlanks) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto byte = static_cast<unsigned char>(bytes[i]);
        if (gbk::IsLeadByte(bytes[i]) && i + 1 < bytes.size() && gbk::IsTrailByte(bytes[i + 1])) {
            out += bytes.substr(i++, 2);
        } else if (byte == '\\') {
            out += "\\\\";
        } else if (byte < 0x20 || byte >= 0x7F || (escapeBlanks && byte == ' ')) {
            AppendHexEscape(out, byte);
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

bool UnescapeField(const std::string& text, std::string& bytes, std::string& error) {
    bytes.clear();
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (gbk::IsLeadByte(text[pos]) && pos + 1 < text.size()) {
            bytes += text.substr(pos, 2);
            pos += 2;
        } else if (text[pos] != '\\') {
            bytes += text[pos++];
        } else if (!DecodeEscape(text, pos, bytes)) {
            error = "bad escape at column " + std::to_string(pos + 1);
            return false;
        }
    }
    return true;
}

}  // namespace suite
