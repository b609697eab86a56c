// The win32 backend reads HKEY_LOCAL_MACHINE values as they are stored, and never creates keys.
#include <gtest/gtest.h>

#include <cstring>

#include "os/os.h"
#include "os/win32/windows_support.h"

namespace {

constexpr char kTestKey[] = "SOFTWARE\\TRUV\\TEST\\REGISTRY";

/// A key of test values under HKEY_LOCAL_MACHINE, removed again when the test ends.
class TestValues {
public:
    TestValues() {
        EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }
    TestValues(const TestValues&) = delete;
    TestValues& operator=(const TestValues&) = delete;
    ~TestValues() {
        RegCloseKey(key_);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kTestKey);
    }

    void SetString(const char* name, const std::string& value) {
        Set(name, REG_SZ, value.c_str(), value.size() + 1);  // stored with its terminator
    }
    void SetBytes(const char* name, DWORD type, const void* bytes, std::size_t size) {
        Set(name, type, bytes, size);
    }

private:
    void Set(const char* name, DWORD type, const void* bytes, std::size_t size) {
        ASSERT_EQ(RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(bytes),
                                 static_cast<DWORD>(size)),
                  ERROR_SUCCESS);
    }
    HKEY key_ = nullptr;
};

/// Opens the test key, queries `name` into a 200-byte buffer filled with '#'.
struct Query {
    os::Status status;
    std::uint32_t size;
    std::string buffer;
};
Query QueryTestValue(const char* name) {
    os::RegistryKey key = nullptr;
    EXPECT_EQ(os::RegistryOpen(kTestKey, os::kKeyRead, key), os::kSuccess);
    Query result{0, 200, std::string(200, '#')};
    result.status = os::RegistryQuery(key, name, result.buffer.data(), result.size);
    os::RegistryClose(key);
    return result;
}

TEST(Win32Registry, ValueOf199BytesFitsWithItsTerminator) {
    TestValues values;
    values.SetString("CFG", std::string(199, 'r'));
    const Query query = QueryTestValue("CFG");
    ASSERT_EQ(query.status, os::kSuccess);
    EXPECT_EQ(query.size, 200u);
    EXPECT_EQ(query.buffer, std::string(199, 'r') + '\0');
}

TEST(Win32Registry, ValueOf200BytesIsMoreDataAndLeavesTheBufferUntouched) {
    TestValues values;
    values.SetString("CFG", std::string(200, 'r'));
    const Query query = QueryTestValue("CFG");
    EXPECT_EQ(query.status, os::kMoreData);
    EXPECT_EQ(query.size, 201u);
    EXPECT_EQ(query.buffer, std::string(200, '#'));
}

TEST(Win32Registry, DwordAndUnterminatedStringAreReturnedAsRawBytes) {
    TestValues values;
    const DWORD number = 0x00434241;  // "ABC\0" in memory
    values.SetBytes("DWORD", REG_DWORD, &number, sizeof number);
    values.SetBytes("RAW", REG_BINARY, std::string(200, 'x').data(), 200);

    const Query dword = QueryTestValue("DWORD");
    ASSERT_EQ(dword.status, os::kSuccess);
    EXPECT_EQ(dword.size, 4u);
    EXPECT_EQ(std::memcmp(dword.buffer.data(), "ABC\0", 4), 0);

    const Query raw = QueryTestValue("RAW");
    ASSERT_EQ(raw.status, os::kSuccess);
    EXPECT_EQ(raw.size, 200u);
    EXPECT_EQ(raw.buffer, std::string(200, 'x'));  // no terminator added
}

TEST(Win32Registry, MissingValueAndMissingKeyAreFileNotFoundAndNothingIsCreated) {
    TestValues values;
    EXPECT_EQ(QueryTestValue("NOSUCHVALUE").status, os::kFileNotFound);

    const std::string missingKey = std::string(kTestKey) + "\\MISSING";
    os::RegistryKey key = reinterpret_cast<os::RegistryKey>(1);
    EXPECT_EQ(os::RegistryOpen(missingKey, os::kKeyRead, key), os::kFileNotFound);
    EXPECT_EQ(key, nullptr);
    HKEY probe = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, missingKey.c_str(), 0, KEY_READ, &probe),
              ERROR_FILE_NOT_FOUND);
    os::RegistryClose(nullptr);  // harmless
}

}  // namespace
