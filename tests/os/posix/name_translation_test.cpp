// Path names cross the posix backend's seam translated: GBK to the callers, UTF-8 to the file
// system, and a name that cannot be translated exactly is refused, never changed.
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "os/os.h"
#include "os/status_printing.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::string Utf8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

// A folder with a Chinese name, made as the file system spells it (UTF-8), and its GBK
// spelling as the plug-in gives it; it holds the file 名单.txt with "list".
class NameTranslationTest : public ::testing::Test {
protected:
    NameTranslationTest()
        : gbkFolder(JoinPath(temp.Path(), "项目")),
          nativeFolder(JoinPath(temp.Path(), Utf8(u8"项目"))),
          previous(os::CurrentDirectory().value_or("/")) {
        fs::create_directory(nativeFolder);
        WriteWholeFile(JoinPath(nativeFolder, Utf8(u8"名单.txt")), "list");
    }
    ~NameTranslationTest() override {
        os::SetCurrentDirectory(previous);
        unsetenv("TRUV_NAME_TEST");
    }

    std::string Gbk(const std::string& name) const { return gbkFolder + "/" + name; }
    std::string Native(const char8_t* name) const { return nativeFolder + "/" + Utf8(name); }

    TempDir temp;
    const std::string gbkFolder;
    const std::string nativeFolder;
    const std::string previous;
};

struct Crossing {
    const char* what;
    std::function<bool()> holds;
};

TEST_F(NameTranslationTest, NamesCrossTheSeamTranslated) {
    const std::string probe = "#!/bin/sh\n{ pwd -P; printf '[%s]' \"$@\"; } > report\n";
    const Crossing crossings[] = {
        {"the current directory, set and read back",
         [&] { return os::SetCurrentDirectory(gbkFolder) && os::CurrentDirectory() == gbkFolder; }},
        {"a file created under a GBK name",
         [&] {
             os::File file;
             return file.CreateForWriting(Gbk("新.txt")) == os::kSuccess && file.Close() &&
                    fs::exists(Native(u8"新.txt"));
         }},
        {"a file read under its GBK name",
         [&] {
             std::string bytes;
             return os::ReadSmallFile(Gbk("名单.txt"), 100, os::Sharing::kShared, bytes) ==
                        os::kSuccess &&
                    bytes == "list";
         }},
        {"a search hands back GBK names",
         [&] { return os::FindMatches(Gbk("名*")) == std::vector<std::string>{"名单.txt"}; }},
        {"a name looked at",
         [&] { return os::LookAtName(Gbk("名单.txt")).kind == os::NameInfo::Kind::kFile; }},
        {"a move between GBK names",
         [&] {
             return os::MoveFileDurably(Gbk("名单.txt"), Gbk("旧.txt"), false) == os::kSuccess &&
                    fs::exists(Native(u8"旧.txt"));
         }},
        {"a delete",
         [&] {
             return os::DeleteFile(Gbk("旧.txt")) == os::kSuccess &&
                    !fs::exists(Native(u8"旧.txt"));
         }},
        {"an append and an identity",
         [&] {
             return os::AppendToFile(Gbk("踪迹.log"), "x") == os::kSuccess &&
                    ReadWholeFile(Native(u8"踪迹.log")) == "x" &&
                    os::IdentityOf(Gbk("踪迹.log")).has_value();
         }},
        {"an environment value",
         [&] {
             return os::SetEnvironmentVariable("TRUV_NAME_TEST", gbkFolder) &&
                    getenv("TRUV_NAME_TEST") == nativeFolder &&
                    os::GetEnvironmentVariable("TRUV_NAME_TEST") == gbkFolder;
         }},
        {"a program found, started in the folder with its arguments in UTF-8",
         [&] {
             WriteWholeFile(Native(u8"探针"), probe);
             fs::permissions(Native(u8"探针"), fs::perms::owner_all);
             os::Process started;
             const os::EnvironmentBlock environment;
             const bool ran = os::FindProgramFile(Gbk("探针")) == Gbk("探针") &&
                              os::StartProcess("\"" + Gbk("探针") + "\" 参数 \"甲 乙\"",
                                               environment, gbkFolder, started) == os::kSuccess;
             started.Wait();
             started.Close();
             const std::string report = ReadWholeFile(Native(u8"report"));
             EXPECT_EQ(report,
                       fs::canonical(nativeFolder).string() + "\n" + Utf8(u8"[参数][甲 乙]"));
             return ran &&
                    report == fs::canonical(nativeFolder).string() + "\n" + Utf8(u8"[参数][甲 乙]");
         }},
        {"a registry store in UTF-8 at a UTF-8 path",
         [&] {
             WriteWholeFile(Native(u8"注册"),
                            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\T]\nCFG=" + nativeFolder + "\n");
             setenv("TRUV_REGISTRY", Native(u8"注册").c_str(), 1);
             os::RegistryKey key = nullptr;
             char value[512] = {};
             std::uint32_t size = sizeof value;
             const bool read = os::RegistryOpen("SOFTWARE\\T", 0, key) == os::kSuccess &&
                               os::RegistryQuery(key, "CFG", value, size) == os::kSuccess;
             os::RegistryClose(key);
             unsetenv("TRUV_REGISTRY");
             return read && std::string(value) == gbkFolder;
         }},
    };
    for (const Crossing& crossing : crossings) {
        EXPECT_TRUE(crossing.holds()) << crossing.what;
    }
}

struct Refusal {
    const char* what;
    std::function<os::Status()> status;  // kInvalidName when refused
};

TEST_F(NameTranslationTest, UntranslatableNamesAreRefused) {
    const std::string noGbk = "a\x81";               // a lead byte without its trail
    const std::string smile = Utf8(u8"\U0001F600");  // no GBK spelling
    fs::create_directory(JoinPath(temp.Path(), smile));
    WriteWholeFile(JoinPath(nativeFolder, smile), "");
    const Refusal refusals[] = {
        {"a file created", [&] { return os::File().CreateForWriting(Gbk(noGbk)); }},
        {"a file deleted", [&] { return os::DeleteFile(Gbk(noGbk)); }},
        {"a search", [&] { return os::PatternExists(Gbk(noGbk)) ? 0 : os::LastError(); }},
        {"a folder entered",
         [&] { return os::SetCurrentDirectory(Gbk(noGbk)) ? 0 : os::LastError(); }},
        {"a folder that GBK cannot spell as the current one",
         [&] {
             const bool entered = chdir(JoinPath(temp.Path(), smile).c_str()) == 0;
             return entered && !os::CurrentDirectory() ? os::LastError() : 0;
         }},
        {"an environment value set",
         [&] { return os::SetEnvironmentVariable("TRUV_NAME_TEST", noGbk) ? 0 : os::LastError(); }},
        {"an environment value that GBK cannot spell",
         [&] {
             setenv("TRUV_NAME_TEST", smile.c_str(), 1);
             return os::GetEnvironmentVariable("TRUV_NAME_TEST") ? 0 : os::LastError();
         }},
        {"a typed folder name that GBK cannot spell",
         [&] {
             const std::string typed = os::Utf8ToGbk(JoinPath(temp.Path(), smile));
             return os::SetCurrentDirectory(typed) ? 0 : os::LastError();
         }},
        {"a start in such a folder",
         [&] {
             os::Process started;
             return os::StartProcess("true", os::EnvironmentBlock(), Gbk(noGbk), started);
         }},
    };
    for (const Refusal& refusal : refusals) {
        EXPECT_EQ(refusal.status(), os::kInvalidName) << refusal.what;
    }
    EXPECT_FALSE(os::ErrorText(os::kInvalidName).empty());
    // A name no caller could spell is left out of a search, never handed out changed.
    EXPECT_EQ(os::FindMatches(Gbk("*")), std::vector<std::string>{"名单.txt"});
}

}  // namespace
