// The plug-in's message box: every user message except the system-error box goes through it.
#include "model/message_box.h"

#include "model/trace.h"
#include "text/gbk_text.h"

// The library's own name, for a path that cannot be told (on POSIX, a folder whose name GBK
// cannot spell): a box is never captioned with nothing.
constexpr const char* kLibraryName = "truvApp";

std::string MessageCaption() {
    const std::string path = os::OwnModulePath();
    std::size_t nameStart = 0;
    std::size_t extensionStart = std::string::npos;
    for (std::size_t pos = 0; pos < path.size(); pos += gbk::CharLength(path, pos)) {
        const char byte = path[pos];
        if (byte == '\\' || byte == '/' || byte == ':') {
            nameStart = pos + 1;
            extensionStart = std::string::npos;
        } else if (byte == '.') {
            extensionStart = pos;
        }
    }
    const std::size_t nameEnd = extensionStart == std::string::npos ? path.size() : extensionStart;
    const std::string name = path.substr(nameStart, nameEnd - nameStart);
    return name.empty() ? kLibraryName : name;
}

void ShowMessage(const std::string& text, std::string_view letter, std::uint32_t style) {
    trace::Event(trace::kBox, {letter, text});
    if ((style & os::kBoxIconMask) == 0) style |= os::kBoxIconExclamation;
    os::ShowMessageBox(MessageCaption(), text, style);
}
