// Between the plug-in's GBK texts, UTF-8 and wide characters: the backend's one conversion.
#include <string>

#include "os/os.h"
#include "os/win32/windows_support.h"

namespace os {
namespace {

constexpr unsigned kGbkCodePage = 936;

}  // namespace

std::wstring win32::Widen(const std::string& text, unsigned codePage) {
    if (text.empty()) return {};
    const int length =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

std::string win32::Narrow(const std::wstring& wide, unsigned codePage) {
    if (wide.empty()) return {};
    const int length = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), out.data(), length,
                        nullptr, nullptr);
    return out;
}

std::string GbkToUtf8(const std::string& gbk) {
    return win32::Narrow(win32::Widen(gbk, kGbkCodePage), CP_UTF8);
}

std::string Utf8ToGbk(const std::string& utf8) {
    return win32::Narrow(win32::Widen(utf8, CP_UTF8), kGbkCodePage);
}

std::wstring GbkToWide(const std::string& gbk) {
    return win32::Widen(gbk, kGbkCodePage);
}

std::string WideToGbk(const std::wstring& wide) {
    return win32::Narrow(wide, kGbkCodePage);
}

}  // namespace os
