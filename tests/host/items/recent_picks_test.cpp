// The recent picks: their order, no key twice, at most ten, keys the menu no longer has, and
// files that are damaged, foreign, huge or no file at all.
#include "host/items/recent_picks.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/fault_plan.h"
#include "support/temp_dir.h"

namespace {

host::MenuTree TreeOf(const std::vector<std::string>& titles) {
    host::MenuTree tree;
    host::MenuModule module;
    module.title = "M";
    for (const std::string& title : titles) {
        module.nodes.push_back({false, "", {{title, "M|" + title}}});
    }
    tree.groups.push_back({"G", {module}});
    return tree;
}

std::vector<std::string> Keys(const std::string& letters) {
    std::vector<std::string> keys;
    for (char letter : letters) keys.push_back(std::string("M|") + letter);
    return keys;
}

TEST(RecentPicks, APickComesFirstOnceAndTheEleventhFallsOff) {
    struct Case {
        const char* before;
        char picked;
        const char* after;
    };
    const Case cases[] = {
        {"", 'a', "a"},
        {"abc", 'd', "dabc"},
        {"abc", 'b', "bac"},  // moved to the front, not listed twice
        {"abcdefghij", 'k', "kabcdefghi"},
        {"abcdefghij", 'j', "jabcdefghi"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(host::AfterPick(Keys(c.before), std::string("M|") + c.picked), Keys(c.after))
            << c.before << " + " << c.picked;
    }
}

TEST(RecentPicks, ReadingDropsUnknownAndRepeatedKeysAndIgnoresForeignText) {
    const host::MenuTree tree = TreeOf({"a", "b", "c"});
    const std::string header = host::FormatRecent({});
    struct Case {
        std::string bytes;
        const char* keys;
    };
    const Case cases[] = {
        {host::FormatRecent(Keys("cab")), "cab"},
        {header + "M|c\nM|gone\nM|c\nM|a", "ca"},  // no longer in the menu, twice, no last LF
        {"M|a\nM|b\n", ""},                        // no header: not ours
        {header.substr(1) + "M|a\n", ""},
        {std::string("\0\xFF", 2) + header, ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> expected;
        for (char letter : std::string(c.keys)) expected.push_back(std::string("M|") + letter);
        EXPECT_EQ(host::ParseRecent(c.bytes, tree), expected) << c.bytes;
    }
}

TEST(RecentPicks, NotesAreKeptInTheFolderAndAHugeOrOddFileIsIgnored) {
    const host::MenuTree tree = TreeOf({"a", "b"});
    TempDir temp;
    const std::string folder =
        JoinPath(JoinPath(temp.Path(), "state"), "truvhost");  // made when needed
    {
        host::RecentPicks recent(folder, tree);
        EXPECT_TRUE(recent.Note("M|a"));
        EXPECT_TRUE(recent.Note("M|b"));
    }
    EXPECT_EQ(host::RecentPicks(folder, tree).Keys(), Keys("ba"));
    const std::string file = JoinPath(folder, host::kRecentFileName);
    WriteWholeFile(file, host::FormatRecent(Keys("a")) + std::string(host::kRecentFileLimit, '\n'));
    EXPECT_TRUE(host::RecentPicks(folder, tree).Keys().empty());
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);  // a folder where the file belongs
    host::RecentPicks odd(folder, tree);
    EXPECT_TRUE(odd.Keys().empty());
    EXPECT_FALSE(odd.Note("M|a"));
    EXPECT_EQ(odd.Keys(), Keys("a"));
}

// Two hosts of one user, each with the picks it read at its start: no pick of the other is
// lost, also of items that only the other's menu has.
TEST(RecentPicks, TwoHostsKeepEachOthersPicks) {
    const struct {
        const char* name;
        const char* picks;  // host, key; host 'B' has no item 'z'
        const char* file;
        const char* shownByB;
    } cases[] = {
        {"taking turns", "AaBbAcBd", "dcba", "dcba"},
        {"the same key", "AaBaAb", "ba", "ba"},
        {"a key only A's menu has", "AzBb", "bz", "b"},
        {"the eleventh falls off", "AaAbAcAdAeAfAgAhAiBjAk", "kjihgfedcb", "kjihgfedcb"},
    };
    for (const auto& c : cases) {
        TempDir temp;
        const host::MenuTree treeA =
            TreeOf({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "z"});
        const host::MenuTree treeB =
            TreeOf({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k"});
        host::RecentPicks a(temp.Path(), treeA);
        host::RecentPicks b(temp.Path(), treeB);
        for (const char* pick = c.picks; *pick != '\0'; pick += 2) {
            EXPECT_TRUE((pick[0] == 'A' ? a : b).Note(std::string("M|") + pick[1])) << c.name;
        }
        EXPECT_EQ(ReadWholeFile(JoinPath(temp.Path(), host::kRecentFileName)),
                  host::FormatRecent(Keys(c.file)))
            << c.name;
        EXPECT_EQ(host::RecentPicks(temp.Path(), treeB).Keys(), Keys(c.shownByB)) << c.name;
    }
}

// Whatever step of a write fails, or when a folder stands under the file's name, no
// temporary file is left behind.
TEST(RecentPicks, AFailedWriteLeavesNoTemporary) {
    const host::MenuTree tree = TreeOf({"a", "b"});
    TempDir temp;
    const std::string file = JoinPath(temp.Path(), host::kRecentFileName);
    const std::string temporary = file + ".new";
    std::filesystem::create_directory(file);
    EXPECT_FALSE(host::RecentPicks(temp.Path(), tree).Note("M|a"));
    EXPECT_FALSE(std::filesystem::exists(temporary));
    std::filesystem::remove(file);

    const auto pick = [&] {
        std::filesystem::remove(file);
        return host::RecentPicks(temp.Path(), tree).Note("M|a");
    };
    std::vector<SystemCall> calls;
    {
        FaultPlan plan;
        EXPECT_TRUE(pick());
        calls = plan.Calls();
    }
    ASSERT_FALSE(calls.empty());
    for (std::size_t number = 1; number <= calls.size(); ++number) {
        for (const Fault fault : FaultsOf(calls[number - 1])) {
            FaultPlan plan;
            plan.FailCall(number, fault);
            pick();
            EXPECT_FALSE(std::filesystem::exists(temporary))
                << "call " << number << " (" << NameOf(calls[number - 1]) << ") " << NameOf(fault);
        }
    }
}

}  // namespace
