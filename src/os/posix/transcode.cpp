// Between the plug-in's GBK texts and the UTF-8 of terminals and file names on POSIX.
#include "os/posix/transcode.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>

#include "os/os.h"
#include "os/posix/posix_support.h"

namespace os::posix {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// `text` converted by `converter`; an input unit (`unit` bytes) that does not convert becomes
// `unknown` when there is one, else fails the whole.
std::optional<std::string> Convert(iconv_t converter, std::string_view text, std::size_t unit,
                                   std::optional<std::string_view> unknown) {
    std::string out;
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    while (inLeft > 0) {
        char buffer[256];
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            if (!unknown) return std::nullopt;
            out += *unknown;
            const std::size_t skipped = std::min(unit, inLeft);
            in += skipped;
            inLeft -= skipped;
        }
    }
    return out;
}

// One converter per direction for the whole library, opened at the first name that needs it
// and used under its lock: the names of a start are translated many times, and iconv_open
// looks its tables up each time. Not one per thread: a thread_local object with a destructor
// keeps the library loaded after the host unloads it, and its globals with it.
class Converter {
public:
    Converter(const char* from, const char* to) : from_(from), to_(to) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() {
        if (converter_ != kNoConverter) iconv_close(converter_);
    }

    // `text` converted whole; nothing when any part of it does not convert.
    std::optional<std::string> Exactly(std::string_view text) {
        const std::lock_guard<std::mutex> hold(lock_);
        if (converter_ == kNoConverter) converter_ = iconv_open(to_, from_);
        if (converter_ == kNoConverter) return std::nullopt;
        iconv(converter_, nullptr, nullptr, nullptr, nullptr);  // a fresh start
        return Convert(converter_, text, 1, std::nullopt);
    }

private:
    const char* from_;
    const char* to_;
    std::mutex lock_;
    iconv_t converter_ = kNoConverter;
};

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

std::optional<std::string> Translate(std::string_view name, Converter& converter) {
    if (IsAscii(name)) return std::string(name);
    std::optional<std::string> translated = converter.Exactly(name);
    if (!translated) Fail(kInvalidName);
    return translated;
}

}  // namespace

std::string Transcode(const std::string& text, const char* from, const char* to, std::size_t unit,
                      std::string_view unknown) {
    const iconv_t converter = iconv_open(to, from);
    if (converter == kNoConverter) {
        return text;
    }
    std::string out = Convert(converter, text, unit, unknown).value_or(text);
    iconv_close(converter);
    return out;
}

std::optional<std::string> NativeName(std::string_view gbk) {
    static Converter toUtf8("GBK", "UTF-8");
    return Translate(gbk, toUtf8);
}

std::optional<std::string> GbkName(std::string_view native) {
    static Converter toGbk("UTF-8", "GBK");
    return Translate(native, toGbk);
}

bool TranslateNames(std::vector<std::string>& names) {
    for (std::string& name : names) {
        std::optional<std::string> native = NativeName(name);
        if (!native) return false;
        name = std::move(*native);
    }
    return true;
}

}  // namespace os::posix

namespace os {

std::string GbkToUtf8(const std::string& gbk) {
    return posix::Transcode(gbk, "GBK", "UTF-8");
}

// A character GBK lacks becomes 0xFF, a byte no GBK text holds: a typed path that holds one
// is then refused at the seam (error 123), as Windows refuses the '?' it puts in its place,
// instead of naming another file. Shown again, it reads '?'.
std::string Utf8ToGbk(const std::string& utf8) {
    return posix::Transcode(utf8, "UTF-8", "GBK", 1, "\xFF");
}

// iconv's "WCHAR_T" is wchar_t as this system stores it, one unit per character.
std::wstring GbkToWide(const std::string& gbk) {
    constexpr wchar_t kUnknown = L'?';
    const std::string bytes = posix::Transcode(
        gbk, "GBK", "WCHAR_T", 1, {reinterpret_cast<const char*>(&kUnknown), sizeof kUnknown});
    std::wstring wide(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(wide.data(), bytes.data(), wide.size() * sizeof(wchar_t));
    return wide;
}

std::string WideToGbk(const std::wstring& wide) {
    const std::string bytes(reinterpret_cast<const char*>(wide.data()),
                            wide.size() * sizeof(wchar_t));
    return posix::Transcode(bytes, "WCHAR_T", "GBK", sizeof(wchar_t));
}

}  // namespace os
