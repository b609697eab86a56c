// The registry text store: keys, string and DWORD values, and RegQueryValueExA's size rules.
#include <stdlib.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "os/os.h"
#include "os/status_printing.h"
#include "support/temp_dir.h"

namespace {

constexpr char kPathKey[] = "SOFTWARE\\TRUV\\MAIN\\PATH";

// Points TRUV_REGISTRY at a store file of the test's own for as long as it lives.
class RegistryStoreTest : public testing::Test {
protected:
    RegistryStoreTest() {
        if (const char* previous = getenv("TRUV_REGISTRY")) {
            previous_ = previous;
        }
        setenv("TRUV_REGISTRY", StorePath().c_str(), 1);
    }
    ~RegistryStoreTest() override {
        if (previous_) {
            setenv("TRUV_REGISTRY", previous_->c_str(), 1);
        } else {
            unsetenv("TRUV_REGISTRY");
        }
    }

    std::string StorePath() const { return dir_ / "registry"; }
    void WriteStore(const std::string& content) const { WriteWholeFile(StorePath(), content); }

    // Opens `subKey`, queries `value` into a buffer of `size` bytes filled with '#'.
    struct Query {
        os::Status status;
        std::uint32_t size;
        std::string buffer;
    };
    static Query QueryValue(const std::string& subKey, const std::string& value,
                            std::uint32_t size) {
        os::RegistryKey key = nullptr;
        const os::Status opened = os::RegistryOpen(subKey, os::kKeyRead, key);
        if (opened != os::kSuccess) {
            return {opened, 0, ""};
        }
        Query query{os::kSuccess, size, std::string(size, '#')};
        query.status = os::RegistryQuery(key, value, query.buffer.data(), query.size);
        os::RegistryClose(key);
        return query;
    }

private:
    TempDir dir_;
    std::optional<std::string> previous_;
};

TEST_F(RegistryStoreTest, KeysAndNamesIgnoreCase) {
    WriteStore("; installation\n[hkey_local_machine\\Software\\Truv\\Main\\Path]\ncfg=/srv/truv\n");
    const Query query = QueryValue(kPathKey, "CFG", 200);
    EXPECT_EQ(Code{query.status}, Code{os::kSuccess});
    EXPECT_EQ(query.size, 10u);
    EXPECT_EQ(std::string(query.buffer.c_str()), "/srv/truv");
}

TEST_F(RegistryStoreTest, MissingFileKeyOrValue) {
    os::RegistryKey key = nullptr;
    EXPECT_EQ(Code{os::RegistryOpen(kPathKey, os::kKeyRead, key)}, Code{os::kFileNotFound});
    EXPECT_EQ(key, nullptr);
    WriteStore(
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TRUV\\MAIN]\nCFG=/srv/other\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TRUV\\MAIN\\PATH]\n");
    EXPECT_EQ(Code{os::RegistryOpen("SOFTWARE\\TRUV\\MISSING", os::kKeyRead, key)},
              Code{os::kFileNotFound});
    EXPECT_EQ(Code{QueryValue(kPathKey, "CFG", 200).status}, Code{os::kFileNotFound});
    EXPECT_EQ(Code{os::LastError()}, Code{os::kFileNotFound});
}

TEST_F(RegistryStoreTest, StringValueIsTakenWholeUntrimmed) {
    WriteStore(
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TRUV\\MAIN\\PATH]\r\n"
        "# comment=no\r\n"
        "CFG= D:\\" +
        std::string(reinterpret_cast<const char*>(u8"结构")) +
        " a=b \r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\OTHER]\nCFG=other\n");
    const Query query = QueryValue(kPathKey, "cfg", 200);
    ASSERT_EQ(Code{query.status}, Code{os::kSuccess});
    EXPECT_EQ(std::string(query.buffer.c_str()), " D:\\结构 a=b ");
    EXPECT_EQ(Code{QueryValue(kPathKey, "# comment", 200).status}, Code{os::kFileNotFound});
}

TEST_F(RegistryStoreTest, BufferSizeRules) {
    const std::string fits(199, 'a');
    const std::string exact(200, 'b');
    const std::string tooLong(201, 'c');
    WriteStore("[HKEY_LOCAL_MACHINE\\SOFTWARE\\TRUV\\MAIN\\PATH]\nFits=" + fits +
               "\nExact=" + exact + "\nTooLong=" + tooLong + "\n");

    const Query withNul = QueryValue(kPathKey, "Fits", 200);
    EXPECT_EQ(Code{withNul.status}, Code{os::kSuccess});
    EXPECT_EQ(withNul.size, 200u);
    EXPECT_EQ(withNul.buffer, fits + '\0');

    // Every string of the store stands for a value stored with its NUL, so it needs room.
    const Query noRoomForNul = QueryValue(kPathKey, "Exact", 200);
    EXPECT_EQ(Code{noRoomForNul.status}, Code{os::kMoreData});
    EXPECT_EQ(noRoomForNul.size, 201u);
    EXPECT_EQ(noRoomForNul.buffer, std::string(200, '#'));

    const Query tooSmall = QueryValue(kPathKey, "TooLong", 200);
    EXPECT_EQ(Code{tooSmall.status}, Code{os::kMoreData});
    EXPECT_EQ(tooSmall.size, 202u);
    EXPECT_EQ(tooSmall.buffer, std::string(200, '#'));
}

TEST_F(RegistryStoreTest, DwordIsFourLittleEndianBytes) {
    WriteStore("[HKEY_LOCAL_MACHINE\\SOFTWARE\\TRUV\\MAIN\\PATH]\nOther:DWORD=0x01020304\n");
    const Query query = QueryValue(kPathKey, "other", 200);
    EXPECT_EQ(Code{query.status}, Code{os::kSuccess});
    EXPECT_EQ(query.size, 4u);
    EXPECT_EQ(query.buffer.substr(0, 5), std::string("\x04\x03\x02\x01#"));
    EXPECT_EQ(Code{QueryValue(kPathKey, "other", 3).status}, Code{os::kMoreData});
}

// A byte-order mark and a CR on a last line without LF are taken in stride.
TEST_F(RegistryStoreTest, ByteOrderMarkAndLastCrAreHandled) {
    WriteStore("\xEF\xBB\xBF[HKEY_LOCAL_MACHINE\\SOFTWARE\\TRUV\\MAIN\\PATH]\r\nCFG=/srv/truv\r");
    const Query query = QueryValue(kPathKey, "CFG", 200);
    EXPECT_EQ(Code{query.status}, Code{os::kSuccess});
    EXPECT_EQ(std::string(query.buffer.c_str()), "/srv/truv");
}

// A malformed line refuses the whole store, naming the line.
TEST_F(RegistryStoreTest, MalformedStoreIsRefusedWithItsLineNumber) {
    constexpr os::Status kBadDb = 1009;
    const struct {
        const char* line;
        const char* what;
    } cases[] = {
        {"Other:dword=0x-1", "DWORD"},      {"Other:dword=0x 41", "DWORD"},
        {"Other:DWORD=0x0x41", "DWORD"},    {"Other:dword=0x123456789", "DWORD"},
        {"Other:dword=", "DWORD"},          {"just text", "NAME=VALUE"},
        {"[HKEY_LOCAL_MACHINE\\X] x", "]"},
    };
    for (const auto& c : cases) {
        WriteStore("; store\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\TRUV\\MAIN\\PATH]\nCFG=/srv\n" +
                   std::string(c.line) + "\n");
        testing::internal::CaptureStderr();
        os::RegistryKey key = nullptr;
        EXPECT_EQ(Code{os::RegistryOpen(kPathKey, os::kKeyRead, key)}, Code{kBadDb}) << c.line;
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find(StorePath() + ", line 4: "), std::string::npos) << said;
        EXPECT_NE(said.find(c.what), std::string::npos) << said;
    }
}

// An open key answers from its section of the store as it was at the opening; the next
// opening reads the store anew.
TEST_F(RegistryStoreTest, KeyHoldsItsSectionAsOpened) {
    WriteStore("[HKEY_LOCAL_MACHINE\\SOFTWARE\\TRUV\\MAIN\\PATH]\nCFG=first\n[X]\nLater=x\n");
    os::RegistryKey key = nullptr;
    ASSERT_EQ(Code{os::RegistryOpen(kPathKey, os::kKeyRead, key)}, Code{os::kSuccess});
    WriteStore("[HKEY_LOCAL_MACHINE\\SOFTWARE\\TRUV\\MAIN\\PATH]\nCFG=second\nLater=y\n");
    char buffer[200] = {};
    std::uint32_t size = sizeof buffer;
    EXPECT_EQ(Code{os::RegistryQuery(key, "CFG", buffer, size)}, Code{os::kSuccess});
    EXPECT_STREQ(buffer, "first");
    EXPECT_EQ(Code{os::RegistryQuery(key, "Later", buffer, size)}, Code{os::kFileNotFound});
    os::RegistryClose(key);
    EXPECT_EQ(QueryValue(kPathKey, "CFG", 200).buffer.c_str(), std::string("second"));
}

// A store that is no regular file is refused at once, never waited for nor read without end;
// so is one larger than 1 MiB, while one of exactly 1 MiB is read.
TEST_F(RegistryStoreTest, StoreThatIsNoRegularFileOrTooLargeIsRefused) {
    constexpr os::Status kBadDb = 1009;
    constexpr std::size_t kLimit = 1 << 20;
    const std::string good = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TRUV\\MAIN\\PATH]\nCFG=/srv\n;";
    const auto padded = [&](std::size_t size) {
        return good + std::string(size - good.size(), 'x');
    };
    const struct {
        const char* kind;
        os::Status expected;
    } cases[] = {{"fifo", kBadDb},
                 {"device", kBadDb},
                 {"directory", kBadDb},
                 {"large", kBadDb},
                 {"limit", os::kSuccess}};
    for (const auto& c : cases) {
        std::filesystem::remove_all(StorePath());
        const std::string kind = c.kind;
        if (kind == "fifo") {
            ASSERT_EQ(mkfifo(StorePath().c_str(), 0600), 0);
        }
        if (kind == "device") std::filesystem::create_symlink("/dev/zero", StorePath());
        if (kind == "directory") std::filesystem::create_directory(StorePath());
        if (kind == "large") WriteStore(padded(kLimit + 1));
        if (kind == "limit") WriteStore(padded(kLimit));
        testing::internal::CaptureStderr();
        EXPECT_EQ(Code{QueryValue(kPathKey, "CFG", 200).status}, Code{c.expected}) << kind;
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(said.find(StorePath()) != std::string::npos, c.expected != os::kSuccess)
            << kind << ": " << said;
    }
}

}  // namespace
