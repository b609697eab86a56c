// Flattens the group tables into rows with their tokens and triples.
#include "catalogue/catalogue_rows.h"

#include <algorithm>

#include "catalogue/group_tables.h"
#include "model/split_row.h"
#include "text/gbk_text.h"

std::string CatalogueRow::CommandKey() const {
    std::string key;
    for (const Triple& triple : triples) {
        key += "|" + triple.verb + "|" + triple.dirKey + "|" + triple.program;
    }
    return gbk::Upper(key);
}

std::span<const ModuleBlock> GroupBlocks(int group, bool lyrInstalled) {
    switch (group) {
        case 1:
            return ArchitectureBlocks();
        case 2:
            return StructureBlocks();
        case 3:
            return SteelBlocks();
        case 4:
            return SpecialStructureBlocks(lyrInstalled);
        case 5:
            return MasonryBlocks();
        case 6:
            return AppraisalBlocks();
        case 7:
            return ServicesBlocks();
    }
    return {};
}

std::vector<CatalogueRow> CatalogueRows(bool lyrInstalled) {
    std::vector<CatalogueRow> rows;
    for (int group = 1; group <= kGroupCount; ++group) {
        std::span<const ModuleBlock> blocks = GroupBlocks(group, lyrInstalled);
        for (std::size_t b = 0; b < blocks.size(); ++b) {
            for (std::string_view text : blocks[b].rows) {
                CatalogueRow row{group,
                                 static_cast<int>(b) + 1,
                                 std::string(blocks[b].caption),
                                 std::string(blocks[b].moduleKey),
                                 blocks[b].moduleNumber,
                                 std::string(text),
                                 {},
                                 {}};
                SplitRow(row.text.data(), row.text.size(), row.tokens);
                for (std::size_t t = 2; t + 2 < row.tokens.size(); t += 3) {
                    row.triples.push_back({row.tokens[t], row.tokens[t + 1], row.tokens[t + 2]});
                }
                rows.push_back(std::move(row));
            }
        }
    }
    return rows;
}

std::vector<CatalogueRow> GroupRows(const std::vector<CatalogueRow>& rows, int group) {
    std::vector<CatalogueRow> selected;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(selected),
                 [group](const CatalogueRow& row) { return row.group == group; });
    return selected;
}

std::vector<std::string> ModuleTitles(const std::vector<CatalogueRow>& rows) {
    std::vector<std::string> titles;
    for (const CatalogueRow& row : rows) {
        if (std::find(titles.begin(), titles.end(), row.Module()) == titles.end()) {
            titles.push_back(row.Module());
        }
    }
    return titles;
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string ProgramName(const std::string& program) {
    return program.substr(0, program.find(' '));
}

std::vector<std::string> ProgramArguments(const std::string& program) {
    std::vector<std::string> arguments;
    std::size_t pos = program.find(' ');
    while (pos != std::string::npos) {
        std::size_t start = program.find_first_not_of(' ', pos);
        if (start == std::string::npos) {
            break;
        }
        pos = program.find(' ', start);
        arguments.push_back(program.substr(start, pos - start));
    }
    return arguments;
}

std::string PrestressedEditionName(const testing::TestParamInfo<bool>& edition) {
    return edition.param ? "Lyr" : "Lyr8";
}
