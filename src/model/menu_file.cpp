// "menu.txt": the file beside the host's executable from which the host builds its menus.
#include "model/menu_file.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "model/menu_catalog.h"
#include "model/message_box.h"
#include "text/gbk_text.h"

const char* const kGroupTitles[kGroupCount] = {
    "[建  筑]", "[结  构]", "[钢结构]", "[特种结构]", "[砌体结构]", "[鉴定加固]", "[设  备]",
};

namespace {

constexpr const char* kSeparator = "===========================";
constexpr const char* kMenuFileName = "menu.txt";
constexpr const char* kTemporarySuffix = ".new";
// The host's path buffer holds 260 bytes with the terminator.
constexpr std::size_t kMaxPath = 259;

struct OpenFailure {
    std::initializer_list<os::Status> errors;
    const char* text;  // %1 stands for the file's full path
};

// clang-format off
const OpenFailure kOpenFailures[] = {
    {{2, 6, 18, 107},                                         "没有找到 %1。"},
    {{3, 15, 17, 34, 52, 53, 55, 67, 70, 85, 111, 123, 124, 125, 144, 154, 161, 206, 208, 267},
                                                              "%1 中包含无效的路径。"},
    {{4, 36, 68, 113},                                        "无法打开 %1 因为太多文件已被打开。"},
    {{5, 12, 19, 29, 54, 58, 64, 65, 71, 80, 82, 86, 170, 183, 999},
                                                              "对 %1 的存取被拒绝。"},
    {{11, 26, 60, 66, 114, 182, 191, 193},                    "一个无效的文件柄与 %1 相关联。"},
    {{16, 145},                                               "无法删除 %1 因为它是当前目录。"},
    {{62},                                                    "该目录已满，无法创建 %1。"},
    {{24, 25, 27, 30, 131, 132},                              "对 %1 进行查找失败。"},
    {{20, 21, 22, 23, 57, 59, 88, 117, 995, 996, 997},        "在存取 %1 时一个硬件输入/输出错误被报告。"},
    {{32},                                                    "在存取 %1 时发生共享违例。"},
    {{33, 108, 167},                                          "在存取 %1 时发生锁违例。"},
    {{39, 112},                                               "在存取 %1 时磁盘已满。"},
    {{38},                                                    "试图越过其尾端对 %1 进行读写。"},
};
// clang-format on
constexpr const char* kUnknownOpenFailure = "在对 %1 进行访问时发生了一个不明错误。";

std::string Substitute(std::string_view text, const std::string& path) {
    std::string result(text);
    const std::size_t at = result.find("%1");
    if (at != std::string::npos) result.replace(at, 2, path);
    return result;
}

/// Writes lines with CR LF ends; after the first failure it writes nothing more.
class LineWriter {
public:
    explicit LineWriter(os::File& file) : file_(file) {}
    bool Line(std::string_view text) {
        ok_ = ok_ && file_.Write(std::string(text) + "\r\n");
        return ok_;
    }
    bool Ok() const { return ok_; }

private:
    os::File& file_;
    bool ok_ = true;
};

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// The sub-menu name of an item title: the text before its first '_'.
std::size_t Underscore(const std::string& title) {
    return gbk::Find(title, '_');
}

bool RunGoesOn(const std::string& title, const MenuCatalog& view, int next) {
    if (next >= view.Count()) return false;
    std::string caption;
    std::string moduleKey;
    std::vector<std::string> tokens;
    if (!view.ItemAt(next).GetParts(caption, moduleKey, tokens) || tokens.size() < 2) {
        return false;
    }
    const std::size_t nextAt = Underscore(tokens[1]);
    if (nextAt == std::string::npos) return false;
    return gbk::Trim(std::string_view(title).substr(0, Underscore(title))) ==
           gbk::Trim(std::string_view(tokens[1]).substr(0, nextAt));
}

bool WriteGroups(os::File& file, const MenuCatalog& catalog, const GroupBounds& bounds) {
    for (int pass = 0; pass <= kGroupCount; ++pass) {
        LineWriter writer(file);
        if (!writer.Line(kSeparator)) return false;
        if (!writer.Line(pass < kGroupCount ? kGroupTitles[pass] : "")) return false;
        MenuCatalog view;
        if (pass < kGroupCount) {
            const int end = std::min(bounds.groupStart[pass + 1], catalog.Count());
            for (int i = bounds.groupStart[pass]; i < end; ++i) view.Borrow(catalog.ItemAt(i));
        }
        std::vector<std::string> titles;
        view.CollectModuleTitles(titles);
        bool ok = true;
        for (const std::string& title : titles) ok = ok && view.WriteModule(title, file);
        view.Forget();
        if (!ok) return false;
    }
    return true;
}

}  // namespace

bool MenuCatalog::WriteModule(const std::string& title, os::File& file) const {
    LineWriter writer(file);
    int rowsSeen = 0;
    int runLength = 0;
    std::string caption;
    std::string moduleKey;
    std::vector<std::string> tokens;
    for (int i = 0; i < Count() && writer.Ok(); ++i) {
        if (!ItemAt(i).GetParts(caption, moduleKey, tokens) || tokens.size() < 2) continue;
        if (tokens[0] != title) continue;
        if (++rowsSeen == 1) {
            writer.Line(kSeparator);
            writer.Line("module=" + Quoted(tokens[0]) + "," + Quoted(moduleKey) + "," +
                        std::to_string(ItemAt(i).ModuleNumber()));
            writer.Line("title=" + Quoted(caption));
        }
        const std::string& itemTitle = tokens[1];
        const std::size_t at = Underscore(itemTitle);
        if (at == std::string::npos) {
            writer.Line("app=" + Quoted(itemTitle));
            continue;
        }
        if (++runLength == 1) writer.Line("menu=" + Quoted(itemTitle.substr(0, at)));
        writer.Line("app=" + Quoted(itemTitle.substr(at + 1)));
        if (!RunGoesOn(itemTitle, *this, i + 1)) {
            writer.Line("menuend");
            runLength = 0;
        }
    }
    if (runLength > 0) writer.Line("menuend");
    return writer.Ok();
}

std::string MenuFilePath(const std::string& executablePath) {
    std::size_t directoryEnd = 0;  // just after the last separator
    for (std::size_t pos = 0; pos < executablePath.size();
         pos += gbk::CharLength(executablePath, pos)) {
        const char byte = executablePath[pos];
        if (byte == '\\' || byte == '/' || byte == ':') directoryEnd = pos + 1;
    }
    return executablePath.substr(0, directoryEnd) + kMenuFileName;
}

std::string OpenFailureText(os::Status error, const std::string& path) {
    for (const OpenFailure& failure : kOpenFailures) {
        if (std::find(failure.errors.begin(), failure.errors.end(), error) !=
            failure.errors.end()) {
            return Substitute(failure.text, path);
        }
    }
    return Substitute(kUnknownOpenFailure, path);
}

std::string WriteFailureText(const std::string& path) {
    return "Can't open txt file\"" + path + "\"！";
}

void WriteMenuFile(const std::string& path, const MenuCatalog& catalog, const GroupBounds& bounds) {
    if (os::PatternExists(path)) return;
    // The file is written under a longer temporary name, which must fit the path limit too.
    const std::string temporary = path + kTemporarySuffix;
    if (temporary.size() > kMaxPath) {
        ShowMessage(OpenFailureText(os::kFilenameTooLong, path));
        return;
    }
    os::File file;
    if (const os::Status status = file.CreateForWriting(temporary); status != os::kSuccess) {
        ShowMessage(OpenFailureText(status, path));
        return;
    }
    const bool written = WriteGroups(file, catalog, bounds);
    const bool closed = file.Close();
    if (!written || !closed || os::MoveFileReplacing(temporary, path) != os::kSuccess) {
        os::DeleteFile(temporary);
        ShowMessage(WriteFailureText(path));
    }
}
