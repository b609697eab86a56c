// Loads the real truvApp.dll as the host does: by decorated names and ordinals, from the
// folder of the executable, and checks the menu file that InitTruvApp writes beside it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "os/os.h"
#include "os/win32/windows_support.h"
#include "suite/sandbox.h"
#include "support/box_capture.h"
#include "support/temp_dir.h"

namespace {

#ifdef _WIN64
constexpr char kInitName[] = "?InitTruvApp@@YAPEBDXZ";
constexpr char kRunName[] = "?RunCommand@@YAXPEAD@Z";
#else
constexpr char kInitName[] = "?InitTruvApp@@YAPBDXZ";
constexpr char kRunName[] = "?RunCommand@@YAXPAD@Z";
#endif
constexpr char kSeparator[] = "===========================";

using InitFunction = const char* (*)();
using RunFunction = void (*)(char*);

std::string BesideExecutable(const std::string& name) {
    const std::string exe = os::HostExecutablePath();
    return exe.substr(0, exe.find_last_of('\\') + 1) + name;
}

/// The library, loaded for one test and unloaded after it.
class LoadedPlugin {
public:
    LoadedPlugin() : module_(LoadLibraryA(BesideExecutable("truvApp.dll").c_str())) {}
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;
    ~LoadedPlugin() {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    bool IsLoaded() const { return module_ != nullptr; }
    FARPROC ByName(const char* name) const { return GetProcAddress(module_, name); }
    FARPROC ByOrdinal(WORD ordinal) const {
        return GetProcAddress(module_, MAKEINTRESOURCEA(ordinal));
    }

private:
    HMODULE module_;
};

template <typename Function>
Function As(FARPROC address) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

/// Splits at CR LF; a bare LF stays inside a line, where the line check finds it.
std::vector<std::string> CrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "the file does not end with CR LF";
    return lines;
}

/// The line after each separator that does not open a module: the group titles.
std::vector<std::string> GroupTitles(const std::vector<std::string>& lines) {
    std::vector<std::string> titles;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i] == kSeparator && lines[i + 1].rfind("module=", 0) != 0) {
            titles.push_back(lines[i + 1]);
        }
    }
    return titles;
}

class PluginDll : public ::testing::Test {
protected:
    void SetUp() override { os::DeleteFile(menuPath_); }
    void TearDown() override { os::DeleteFile(menuPath_); }

    const std::string menuPath_ = BesideExecutable("menu.txt");
};

TEST_F(PluginDll, ExportsBothFunctionsByDecoratedNameAndOrdinal) {
    LoadedPlugin plugin;
    ASSERT_TRUE(plugin.IsLoaded()) << os::ErrorText(os::LastError());
    ASSERT_NE(plugin.ByName(kInitName), nullptr);
    ASSERT_NE(plugin.ByName(kRunName), nullptr);
    EXPECT_EQ(plugin.ByOrdinal(1), plugin.ByName(kInitName));
    EXPECT_EQ(plugin.ByOrdinal(2), plugin.ByName(kRunName));
    EXPECT_EQ(plugin.ByName("_Z11InitTruvAppv"), nullptr);  // no compiler-internal names
    EXPECT_EQ(plugin.ByName("InitTruvApp"), nullptr);
}

TEST_F(PluginDll, InitTruvAppWritesTheMenuFileBesideTheHostWithEightGroupBlocks) {
    LoadedPlugin plugin;
    ASSERT_TRUE(plugin.IsLoaded()) << os::ErrorText(os::LastError());
    BoxCapture capture;
    const char* result = As<InitFunction>(plugin.ByName(kInitName))();
    ASSERT_NE(result, nullptr);
    EXPECT_STREQ(result, "CFG");
    EXPECT_TRUE(capture.Take().empty());

    const std::string menu = ReadWholeFile(menuPath_);
    ASSERT_FALSE(menu.empty()) << menuPath_;
    EXPECT_NE(menu.substr(0, 3), "\xEF\xBB\xBF");  // no byte-order mark
    const std::vector<std::string> lines = CrLfLines(menu);
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "bare line end in: " << line;
    }
    const std::vector<std::string> expectedTitles = {
        "[建  筑]",   "[结  构]",   "[钢结构]", "[特种结构]",
        "[砌体结构]", "[鉴定加固]", "[设  备]", ""};
    EXPECT_EQ(GroupTitles(lines), expectedTitles);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], kSeparator);
    EXPECT_EQ(lines.back(), "");
}

TEST_F(PluginDll, ExistingMenuFileIsKeptAndTheResultIsTheSameConstantText) {
    WriteWholeFile(menuPath_, "kept as it is\r\n");
    LoadedPlugin plugin;
    ASSERT_TRUE(plugin.IsLoaded()) << os::ErrorText(os::LastError());
    BoxCapture capture;
    const auto init = As<InitFunction>(plugin.ByOrdinal(1));
    const char* first = init();
    EXPECT_EQ(init(), first);
    EXPECT_STREQ(first, "CFG");
    EXPECT_EQ(ReadWholeFile(menuPath_), "kept as it is\r\n");

    // An unknown key finds no item and shows nothing.
    std::string key = "NOSUCH MODULE|NOSUCH ITEM";
    As<RunFunction>(plugin.ByOrdinal(2))(key.data());
    EXPECT_EQ(key, "NOSUCH MODULE|NOSUCH ITEM");  // the key is not modified
    EXPECT_TRUE(capture.Take().empty());
}

TEST_F(PluginDll, WritesTheGoldenMenuFile) {
    LoadedPlugin plugin;
    ASSERT_TRUE(plugin.IsLoaded()) << os::ErrorText(os::LastError());
    As<InitFunction>(plugin.ByName(kInitName))();
    EXPECT_TRUE(ReadWholeFile(menuPath_) == ReadWholeFile(TRUV_GOLDEN_DIR "/menu.txt"));
}

TEST_F(PluginDll, PathIsExtendedOncePerLoad) {
    suite::Sandbox sandbox;
    sandbox.Install({{"DMGT", "dmgt", {"SuiteMgr.exe"}}, {"CORE", "core", {}}});
    sandbox.SetRegistryRoot();
    const std::string savedPath = os::GetEnvironmentVariable("PATH").value_or("");
    CurrentDirectoryScope inProject(sandbox.ProjectDir());
    std::string key = "DMGT|DMGT";
    const std::vector<std::string> extended{
        sandbox.Root(), sandbox.DirLine("core").substr(0, sandbox.DirLine("core").size() - 1)};
    for (int load = 0; load < 2; ++load) {
        LoadedPlugin plugin;
        ASSERT_TRUE(plugin.IsLoaded());
        const auto run = As<RunFunction>(plugin.ByName(kRunName));
        os::SetEnvironmentVariable("PATH", "C:\\first;C:\\second");
        run(key.data());  // the first start of this load puts root and CORE in front
        os::SetEnvironmentVariable("PATH", "C:\\first;C:\\second");
        run(key.data());  // later starts leave "PATH" alone
        const auto journal = sandbox.ReadJournal();
        sandbox.ClearJournal();
        ASSERT_EQ(journal.size(), 2u);
        EXPECT_EQ(journal[0].pathHead, extended) << "load " << load;
        EXPECT_EQ(journal[1].pathHead, (std::vector<std::string>{"C:\\first", "C:\\second"}));
    }
    os::SetEnvironmentVariable("PATH", savedPath);
}

}  // namespace
