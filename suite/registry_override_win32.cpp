// Registry changes for the sandbox, Windows half: HKEY_LOCAL_MACHINE in both views, since a
// 32-bit reader in a 64-bit system sees another key (Wow6432Node) than a 64-bit one.
#include "suite/registry_override.h"

#include <windows.h>

#include <stdexcept>

namespace suite {
namespace {

constexpr REGSAM kViews[] = {KEY_WOW64_32KEY, KEY_WOW64_64KEY};

/// An open registry key, closed on every path.
class Key {
public:
    Key() = default;
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() {
        if (handle_ != nullptr) ::RegCloseKey(handle_);
    }
    HKEY* Out() { return &handle_; }
    HKEY Get() const { return handle_; }

private:
    HKEY handle_ = nullptr;
};

void Check(LSTATUS status, const char* what) {
    if (status != ERROR_SUCCESS) {
        throw std::runtime_error(std::string(what) + " failed with error " +
                                 std::to_string(status));
    }
}

void CreateRootKey(REGSAM view, Key& key) {
    Check(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRootKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_SET_VALUE | KEY_QUERY_VALUE | view, nullptr, key.Out(), nullptr),
          "RegCreateKeyExA");
}

/// Stores the first `size` bytes of `data`.
void SetValue(REGSAM view, DWORD type, const std::string& data, std::size_t size) {
    Key key;
    CreateRootKey(view, key);
    Check(::RegSetValueExA(key.Get(), kRootValueName, 0, type,
                           reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(size)),
          "RegSetValueExA");
}

LSTATUS DeleteValue(REGSAM view) {
    Key key;
    LSTATUS status =
        ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRootKeyPath, 0, KEY_SET_VALUE | view, key.Out());
    if (status != ERROR_SUCCESS) return status;
    return ::RegDeleteValueA(key.Get(), kRootValueName);
}

LSTATUS DeleteKey(REGSAM view) {
    return ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kRootKeyPath, view, 0);
}

bool IsMissing(LSTATUS status) {
    return status == ERROR_FILE_NOT_FOUND;
}

}  // namespace

RegistryOverride::RegistryOverride(std::string storePath) : storePath_(std::move(storePath)) {}

RegistryOverride::~RegistryOverride() {
    for (const SavedView& saved : saved_) {
        REGSAM view = saved.view;
        if (!saved.keyExisted) {
            DeleteKey(view);
        } else if (!saved.valueExisted) {
            DeleteValue(view);
        } else {
            try {
                SetValue(view, saved.type, saved.data + '\x01', saved.data.size());
            } catch (const std::exception&) {
                // Nothing better to do while going away: the value stays as the test left it.
            }
        }
    }
}

void RegistryOverride::SaveOnce() {
    if (savedOnce_) return;
    savedOnce_ = true;
    for (REGSAM view : kViews) {
        SavedView& saved = saved_.emplace_back();
        saved.view = view;
        Key key;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRootKeyPath, 0, KEY_QUERY_VALUE | view,
                            key.Out()) != ERROR_SUCCESS) {
            continue;
        }
        saved.keyExisted = true;
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExA(key.Get(), kRootValueName, nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS) {
            continue;
        }
        saved.data.resize(size);
        if (::RegQueryValueExA(key.Get(), kRootValueName, nullptr, &type,
                               reinterpret_cast<BYTE*>(saved.data.data()),
                               &size) == ERROR_SUCCESS) {
            saved.valueExisted = true;
            saved.type = type;
            saved.data.resize(size);
        }
    }
}

void RegistryOverride::SetString(const std::string& bytes, bool terminated) {
    SaveOnce();
    // RegSetValueExA counts a NUL that directly follows a string's bytes into the value (a
    // caller that "forgot" the terminator); a byte other than NUL there keeps it out.
    std::string data = bytes + (terminated ? '\0' : '\x01');
    for (REGSAM view : kViews) SetValue(view, REG_SZ, data, bytes.size() + (terminated ? 1 : 0));
}

void RegistryOverride::SetDword(std::uint32_t value) {
    SaveOnce();
    std::string data(reinterpret_cast<const char*>(&value), sizeof value);
    for (REGSAM view : kViews) SetValue(view, REG_DWORD, data, data.size());
}

void RegistryOverride::RemoveValue() {
    SaveOnce();
    for (REGSAM view : kViews) {
        Key key;
        CreateRootKey(view, key);
        LSTATUS status = ::RegDeleteValueA(key.Get(), kRootValueName);
        if (!IsMissing(status)) Check(status, "RegDeleteValueA");
    }
}

void RegistryOverride::RemoveKey() {
    SaveOnce();
    for (REGSAM view : kViews) {
        LSTATUS status = DeleteKey(view);
        if (!IsMissing(status)) Check(status, "RegDeleteKeyExA");
    }
}

}  // namespace suite
