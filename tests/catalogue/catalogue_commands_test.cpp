// The commands of the catalogue: verbs, directory keys, programs and their arguments, the
// graphics row and the rows repeated across groups.
#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "catalogue/catalogue_rows.h"

namespace {

const std::string kGraphicsTitle = "图形编辑、打印及转换";
const std::string kDrawingsTitle = "图纸编辑、打印及转换";

bool IsSwitch(const std::string& word) {
    return word.size() >= 2 && word[0] == '-' &&
           std::isupper(static_cast<unsigned char>(word[1])) &&
           std::all_of(word.begin() + 1, word.end(), [](char c) {
               return std::isupper(static_cast<unsigned char>(c)) ||
                      std::isdigit(static_cast<unsigned char>(c));
           });
}

bool IsNumber(const std::string& word) {
    return !word.empty() && word.size() <= 3 && std::all_of(word.begin(), word.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
}

bool IsWord(const std::string& word) {
    return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
        return std::isalpha(static_cast<unsigned char>(c));
    });
}

enum class ArgumentKind { None, Switches, Numbers, Word, Mixed };

/// How a row passes arguments: each program one or two switches, one or two numbers, or one
/// plain word; a row mixes no kinds.
ArgumentKind KindOf(const CatalogueRow& row) {
    std::set<ArgumentKind> kinds;
    for (const Triple& triple : row.triples) {
        std::vector<std::string> arguments = ProgramArguments(triple.program);
        if (arguments.empty()) {
            continue;
        }
        if (arguments.size() <= 2 && std::all_of(arguments.begin(), arguments.end(), IsSwitch)) {
            kinds.insert(ArgumentKind::Switches);
        } else if (arguments.size() <= 2 &&
                   std::all_of(arguments.begin(), arguments.end(), IsNumber)) {
            kinds.insert(ArgumentKind::Numbers);
        } else if (arguments.size() == 1 && IsWord(arguments[0])) {
            kinds.insert(ArgumentKind::Word);
        } else {
            kinds.insert(ArgumentKind::Mixed);
        }
    }
    if (kinds.empty()) {
        return ArgumentKind::None;
    }
    return kinds.size() == 1 ? *kinds.begin() : ArgumentKind::Mixed;
}

std::string Extension(const std::string& programName) {
    std::size_t dot = programName.rfind('.');
    return dot == std::string::npos ? std::string() : programName.substr(dot);
}

class CatalogueCommands : public testing::TestWithParam<bool> {
protected:
    std::vector<CatalogueRow> rows = CatalogueRows(GetParam());
};

TEST_P(CatalogueCommands, RowsCarryNoneOneOrTwoTriplesOfTheThreeVerbs) {
    std::map<std::string, int> verbs;
    int oneTriple = 0, twoTriples = 0;
    for (const CatalogueRow& row : rows) {
        ASSERT_TRUE(row.tokens.size() == 2 || row.tokens.size() == 5 || row.tokens.size() == 8)
            << row.text;
        oneTriple += row.triples.size() == 1;
        twoTriples += row.triples.size() == 2;
        for (const Triple& triple : row.triples) {
            ++verbs[triple.verb];
        }
        if (row.triples.size() == 2) {
            EXPECT_EQ(row.triples[0].verb, "RunExeFileMin") << row.text;
            EXPECT_EQ(row.triples[1].verb, "RunExeFileMax") << row.text;
            EXPECT_EQ(row.triples[0].dirKey, row.triples[1].dirKey) << row.text;
        }
    }
    EXPECT_EQ(oneTriple, 275);
    EXPECT_EQ(twoTriples, 8);
    EXPECT_EQ(verbs, (std::map<std::string, int>{
                         {"RunExeFile", 275}, {"RunExeFileMax", 8}, {"RunExeFileMin", 8}}));
}

TEST_P(CatalogueCommands, DirectoryKeysAndTheInstallationRootRows) {
    std::map<std::string, std::set<int>> groupsOfKey;
    int rootTriples = 0;
    std::set<int> rootGroups;
    for (const CatalogueRow& row : rows) {
        for (const Triple& triple : row.triples) {
            groupsOfKey[triple.dirKey].insert(row.group);
            if (triple.dirKey == "CFG") {
                ++rootTriples;
                rootGroups.insert(row.group);
                EXPECT_EQ(ProgramName(triple.program), "GrafEdit.exe") << row.text;
            }
        }
    }
    EXPECT_EQ(groupsOfKey.size(), 35u);
    EXPECT_EQ(std::count_if(groupsOfKey.begin(), groupsOfKey.end(),
                            [](const auto& entry) { return entry.second.size() > 1; }),
              4);
    EXPECT_EQ(rootTriples, 27);
    EXPECT_EQ(rootGroups.size(), 6u);
    int grafEditElsewhere = 0;
    for (const CatalogueRow& row : GroupRows(rows, 7)) {
        grafEditElsewhere += row.HasCommand() && row.Title() != kGraphicsTitle &&
                             row.Title() != kDrawingsTitle &&
                             ProgramName(row.triples[0].program) == "GrafEdit.exe";
    }
    EXPECT_EQ(grafEditElsewhere, 2);
}

TEST_P(CatalogueCommands, TheGraphicsRowEndsMostModules) {
    std::set<std::string> modules, drawingsModules;
    std::set<int> groups;
    int lastRow = 0, commandRows = 0, flowRows = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CatalogueRow& row = rows[i];
        if (row.Title() != kGraphicsTitle && row.Title() != kDrawingsTitle) {
            continue;
        }
        EXPECT_TRUE(modules.insert(row.Module()).second) << "once per module: " << row.text;
        groups.insert(row.group);
        if (row.Title() == kDrawingsTitle) {
            drawingsModules.insert(row.Module());
            EXPECT_EQ(row.group, 7);
        }
        lastRow += i + 1 == rows.size() || rows[i + 1].Module() != row.Module();
        if (row.HasCommand()) {
            ++commandRows;
            ASSERT_EQ(row.triples.size(), 1u);
            EXPECT_EQ(row.triples[0].dirKey, "CFG");
            EXPECT_EQ(row.triples[0].program, "GrafEdit.exe");
        } else {
            ++flowRows;
            EXPECT_EQ(row.group, 1);
        }
    }
    EXPECT_EQ(modules.size(), 26u);
    EXPECT_EQ(groups.size(), 7u);
    EXPECT_EQ(drawingsModules.size(), 2u);
    EXPECT_EQ(lastRow, 22);
    EXPECT_EQ(commandRows, 25);
    EXPECT_EQ(flowRows, 1);
}

TEST_P(CatalogueCommands, ProgramNamesExtensionsAndBlanks) {
    std::map<std::string, int> extensions;
    int withDirectory = 0, doubleBlank = 0, trailingBlank = 0;
    std::multiset<std::string> upperCaseExe;
    std::vector<std::string> inspectArguments;
    for (const CatalogueRow& row : rows) {
        for (const Triple& triple : row.triples) {
            std::string name = ProgramName(triple.program);
            ++extensions[Extension(name)];
            withDirectory += name.find('\\') != std::string::npos;
            doubleBlank += triple.program.find("  ") != std::string::npos;
            trailingBlank += triple.program.back() == ' ';
            if (Extension(name) == ".EXE") {
                upperCaseExe.insert(name);
                if (name != "ACAD.EXE") {
                    inspectArguments.push_back(triple.program.substr(name.size()));
                }
            }
            if (Extension(name) == ".chm") {
                EXPECT_EQ(triple.verb, "RunExeFile") << row.text;
            }
        }
    }
    EXPECT_EQ(extensions,
              (std::map<std::string, int>{{"", 4}, {".EXE", 5}, {".chm", 3}, {".exe", 279}}));
    EXPECT_EQ(withDirectory, 2);
    EXPECT_EQ(doubleBlank, 15);
    EXPECT_EQ(trailingBlank, 2);
    EXPECT_EQ(upperCaseExe, (std::multiset<std::string>{"ACAD.EXE", "INSPECT1.EXE", "INSPECT2.EXE",
                                                        "INSPECT3.EXE", "INSPECT4.EXE"}));
    EXPECT_TRUE(std::any_of(inspectArguments.begin(), inspectArguments.end(),
                            [](const std::string& rest) { return !rest.empty(); }));
}

TEST_P(CatalogueCommands, ArgumentsAreSwitchesNumbersOrOneWord) {
    std::map<ArgumentKind, int> kinds;
    int managerOneNumber = 0, managerTwoNumbers = 0, viewerRows = 0, viewerFromDirectory = 0;
    for (const CatalogueRow& row : rows) {
        ++kinds[KindOf(row)];
        bool runsManager = false, runsViewer = false;
        for (const Triple& triple : row.triples) {
            std::string name = ProgramName(triple.program);
            if (name == "EXECMGR.exe") {
                runsManager = true;
                std::size_t count = ProgramArguments(triple.program).size();
                managerOneNumber += count == 1;
                managerTwoNumbers += count == 2;
            }
            if (name == "TRUV3D.exe" || EndsWith(name, "\\TRUV3D.exe")) {
                runsViewer = true;
                viewerFromDirectory += name != "TRUV3D.exe";
            }
        }
        viewerRows += runsViewer;
        if (runsManager) {
            EXPECT_EQ(KindOf(row), ArgumentKind::Numbers) << row.text;
        }
    }
    EXPECT_EQ(kinds[ArgumentKind::Mixed], 0);
    EXPECT_EQ(kinds[ArgumentKind::Switches], 60);
    EXPECT_EQ(kinds[ArgumentKind::Numbers], 38);
    EXPECT_EQ(kinds[ArgumentKind::Word], 4);
    EXPECT_EQ(managerOneNumber + managerTwoNumbers, 30) << "rows running EXECMGR.exe";
    EXPECT_EQ(managerOneNumber, 8);
    EXPECT_EQ(managerTwoNumbers, 22);
    EXPECT_EQ(viewerRows, 4);
    EXPECT_EQ(viewerFromDirectory, 1);
}

TEST_P(CatalogueCommands, TitlesRepeatedAcrossGroups) {
    std::map<std::string, std::set<int>> groupsOfTitle;
    std::map<std::pair<std::string, std::string>, std::set<int>> groupsOfTitleAndCommand;
    for (const CatalogueRow& row : rows) {
        groupsOfTitle[row.Title()].insert(row.group);
        if (row.HasCommand()) {
            groupsOfTitleAndCommand[{row.Title(), row.CommandKey()}].insert(row.group);
        }
    }
    EXPECT_EQ(std::count_if(groupsOfTitle.begin(), groupsOfTitle.end(),
                            [](const auto& entry) { return entry.second.size() > 1; }),
              16);
    std::map<std::string, std::size_t> sharedCommands;
    for (const auto& [titleAndCommand, groups] : groupsOfTitleAndCommand) {
        if (groups.size() > 1) {
            sharedCommands[titleAndCommand.first] = groups.size();
        }
    }
    ASSERT_EQ(sharedCommands.size(), 3u);
    EXPECT_EQ(sharedCommands[kGraphicsTitle], 6u);
    EXPECT_EQ(std::count_if(sharedCommands.begin(), sharedCommands.end(),
                            [](const auto& entry) { return entry.second == 2; }),
              2);
}

TEST_P(CatalogueCommands, ServicesModulesOpenWithTheSameBuildingConditionsSubMenu) {
    std::vector<CatalogueRow> services = GroupRows(rows, 7);
    std::vector<std::string> modules = ModuleTitles(services);
    ASSERT_GE(modules.size(), 4u);
    std::vector<std::vector<CatalogueRow>> openings;
    for (int m = 0; m < 4; ++m) {
        auto first = std::find_if(services.begin(), services.end(),
                                  [&](const CatalogueRow& r) { return r.Module() == modules[m]; });
        openings.emplace_back(first, first + 5);
    }
    std::set<std::string> firstEntryDifferences, sharedKeys;
    for (const std::vector<CatalogueRow>& opening : openings) {
        for (int e = 0; e < 5; ++e) {
            ASSERT_EQ(opening[e].Module(), opening[0].Module());
            EXPECT_EQ(opening[e].Title(), openings[0][e].Title());
            ASSERT_EQ(opening[e].triples.size(), 1u);
            sharedKeys.insert(opening[e].triples[0].dirKey);
            if (e > 0) {
                EXPECT_EQ(opening[e].triples[0].program, openings[0][e].triples[0].program);
            }
        }
        const std::string& program = opening[0].triples[0].program;
        EXPECT_EQ(ProgramName(program), ProgramName(openings[0][0].triples[0].program));
        std::vector<std::string> arguments = ProgramArguments(program);
        ASSERT_EQ(arguments.size(), 1u) << program;
        EXPECT_TRUE(IsSwitch(arguments[0]));
        firstEntryDifferences.insert(arguments[0]);
    }
    EXPECT_EQ(firstEntryDifferences.size(), 4u);
    EXPECT_EQ(sharedKeys.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(BothPrestressedEditions, CatalogueCommands, testing::Bool(),
                         PrestressedEditionName);

}  // namespace
