// The stand-in's scenario: what each substitute program does when it is started.
#ifndef TRUV_SUITE_SCENARIO_H
#define TRUV_SUITE_SCENARIO_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace suite {

/// The scenario's file name in the installation root, when no environment variable names one.
inline constexpr const char* kScenarioName = "suite.scenario";

enum class ActionKind { Create, Delete, Exit, Wait };

/// One thing a program does: create a file in its current directory with `bytes`, delete a
/// file there, set its exit code, or wait (a program that runs a while).
struct ScenarioAction {
    ActionKind kind = ActionKind::Exit;
    std::string name;        // Create, Delete: the file name (relative: the current directory)
    std::string bytes;       // Create: the file's content
    std::uint32_t code = 0;  // Exit: the exit code; Wait: milliseconds

    bool operator==(const ScenarioAction&) const = default;
};

/// The actions of one program, optionally only when its arguments match.
struct ScenarioRule {
    std::string program;              // file name; no regard to case, ".exe" optional
    std::optional<std::string> args;  // wildcard pattern over argv[1..] joined by blanks
    std::vector<ScenarioAction> actions;

    ScenarioRule& Create(std::string name, std::string bytes = {});
    ScenarioRule& Delete(std::string name);
    ScenarioRule& Exit(std::uint32_t code);
    ScenarioRule& Wait(std::uint32_t milliseconds);

    bool operator==(const ScenarioRule&) const = default;
};

/// Rules in order; the first rule that selects a start is the one carried out.
struct Scenario {
    std::vector<ScenarioRule> rules;

    /// Appends a rule and returns it for its actions (the reference lasts until the next On).
    ScenarioRule& On(std::string program, std::optional<std::string> args = std::nullopt);

    bool operator==(const Scenario&) const = default;
};

/// The scenario file's text (the format is described in suite/README.md).
std::string FormatScenario(const Scenario& scenario);

/// Parses a scenario file. On a fault: false and `error` names the line.
bool ParseScenario(const std::string& text, Scenario& scenario, std::string& error);

/// True when `fileName` (a program's file name) is the program `ruleProgram`: equal without
/// regard to ASCII case, either of them with or without a trailing ".exe".
bool ProgramNameMatches(const std::string& ruleProgram, const std::string& fileName);

/// '*' (any run of bytes) and '?' (one byte) wildcard match without regard to ASCII case.
bool WildcardMatches(const std::string& pattern, const std::string& text);

/// The first rule for `fileName` whose argument pattern (if any) matches `args` (argv
/// without argv[0]) joined by single blanks; null when no rule applies.
const ScenarioRule* SelectRule(const Scenario& scenario, const std::string& fileName,
                               const std::vector<std::string>& args);

/// A field as the scenario file writes it: '\' and control bytes (and blanks when
/// `escapeBlanks`) as escapes; GBK double-byte characters are kept whole.
std::string EscapeField(const std::string& bytes, bool escapeBlanks);

/// Decodes the escapes \\ \s \t \r \n \xHH; a GBK lead byte takes the next byte with it
/// unread. False and `error` set on a bad escape.
bool UnescapeField(const std::string& text, std::string& bytes, std::string& error);

}  // namespace suite

#endif  // TRUV_SUITE_SCENARIO_H
