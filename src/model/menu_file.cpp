// "menu.txt": the file beside the host's executable from which the host builds its menus.
#include "model/menu_file.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <vector>

#include "model/menu_catalog.h"
#include "os/atomic_file.h"
#include "text/gbk_text.h"

const char* const kGroupTitles[kGroupCount] = {
    "[建  筑]", "[结  构]", "[钢结构]", "[特种结构]", "[砌体结构]", "[鉴定加固]", "[设  备]",
};

namespace {

constexpr const char* kSeparator = "===========================";
// Room for the menu text of this library's catalogue (11,905 bytes), so that composing it
// seldom grows the text.
constexpr std::size_t kTypicalMenuSize = 16 * 1024;
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
// The code whose text says that the folder is full.
constexpr os::Status kDirectoryFull = 62;
constexpr const char* kUnknownOpenFailure = "在对 %1 进行访问时发生了一个不明错误。";

std::string Substitute(std::string_view text, const std::string& path) {
    std::string result(text);
    const std::size_t at = result.find("%1");
    if (at != std::string::npos) result.replace(at, 2, path);
    return result;
}

void AppendLine(std::string& text, std::string_view line) {
    text.append(line);
    text.append("\r\n");
}

void AppendQuoted(std::string& text, std::string_view value) {
    text.push_back('"');
    text.append(value);
    text.push_back('"');
}

/// Appends the line `key="value"`.
void AppendQuotedLine(std::string& text, std::string_view key, std::string_view value) {
    text.append(key);
    AppendQuoted(text, value);
    text.append("\r\n");
}

// Where the sub-menu name of an item title ends: at its first '_', or npos.
std::size_t SubMenuNameEnd(std::string_view title) {
    return gbk::Find(title, '_');
}

/// The item title of a row whose tokens are `tokens`, empty when it has none.
std::string_view ItemTitleOf(const std::vector<std::string_view>& tokens) {
    return tokens.size() < 2 ? std::string_view() : tokens[1];
}

/// Whether the sub-menu run of `title` goes on into the next row, of item title `nextTitle`:
/// both have a '_' and the names before it, trimmed, are equal.
bool RunGoesOn(std::string_view title, std::string_view nextTitle) {
    const std::size_t nextAt = SubMenuNameEnd(nextTitle);
    if (nextAt == std::string::npos) return false;
    return gbk::Trim(title.substr(0, SubMenuNameEnd(title))) ==
           gbk::Trim(nextTitle.substr(0, nextAt));
}

/// Writes the module and title lines of module `title` from its first row.
void WriteModuleHead(std::string& file, std::string_view title, std::string_view moduleKey,
                     int moduleNumber, std::string_view caption) {
    AppendLine(file, kSeparator);
    file.append("module=");
    AppendQuoted(file, title);
    file.push_back(',');
    AppendQuoted(file, moduleKey);
    file.push_back(',');
    AppendLine(file, std::to_string(moduleNumber));
    AppendQuotedLine(file, "title=", caption);
}

/// The rows of a view read one after the other with GetParts, each once: the row after the
/// current one is read ahead, for the end of a sub-menu run, and then becomes the current row.
class RowReader {
public:
    explicit RowReader(const MenuCatalog& view_) : view(view_) {}

    /// Reads row `position`; false when it has no parts (an empty row).
    bool Read(int position) {
        if (position == aheadPosition) {
            std::swap(current, ahead);
            aheadPosition = -1;
            return current.valid;
        }
        return Take(position, current);
    }

    /// The item title of the row after the current one, at `position`; empty when there is
    /// none.
    std::string_view ItemTitleAfter(int position) {
        if (position >= view.Count()) return {};
        if (aheadPosition != position) {
            Take(position, ahead);
            aheadPosition = position;
        }
        return ahead.valid ? ItemTitleOf(ahead.tokens) : std::string_view();
    }

    const std::vector<std::string_view>& Tokens() const { return current.tokens; }
    std::string_view Caption() const { return current.caption; }
    std::string_view ModuleKey() const { return current.moduleKey; }

private:
    struct Parts {
        std::string_view caption;
        std::string_view moduleKey;
        std::vector<std::string_view> tokens;
        bool valid = false;
    };

    bool Take(int position, Parts& parts) const {
        parts.valid =
            view.ItemAt(position).GetParts(parts.caption, parts.moduleKey, parts.tokens) == 1 &&
            parts.tokens.size() >= 2;
        return parts.valid;
    }

    const MenuCatalog& view;
    Parts current;
    Parts ahead;
    int aheadPosition = -1;
};

// The directory part of `path`, up to and with its last separator.
std::string DirectoryOf(const std::string& path) {
    return std::string(gbk::DirectoryPart(path));
}

// An empty file is never a menu: a power loss between a move and the disk's catching up with
// it could leave one, and nothing can rely on it.
bool HoldsMoreThanAnEmptyFile(const os::NameInfo& info) {
    return info.kind != os::NameInfo::Kind::kNothing &&
           !(info.kind == os::NameInfo::Kind::kFile && info.size == 0);
}

}  // namespace

void MenuCatalog::WriteModule(const std::string& title, std::string& file) const {
    RowReader rows(*this);
    int rowsSeen = 0;
    int runLength = 0;
    for (int position = 0; position < Count(); ++position) {
        if (!rows.Read(position) || rows.Tokens()[0] != title) continue;
        if (++rowsSeen == 1) {
            WriteModuleHead(file, title, rows.ModuleKey(), ItemAt(position).ModuleNumber(),
                            rows.Caption());
        }
        const std::string_view itemTitle = ItemTitleOf(rows.Tokens());
        const std::size_t at = SubMenuNameEnd(itemTitle);
        if (at == std::string::npos) {
            AppendQuotedLine(file, "app=", itemTitle);
            continue;
        }
        if (++runLength == 1) AppendQuotedLine(file, "menu=", itemTitle.substr(0, at));
        AppendQuotedLine(file, "app=", itemTitle.substr(at + 1));
        if (!RunGoesOn(itemTitle, rows.ItemTitleAfter(position + 1))) {
            AppendLine(file, "menuend");
            runLength = 0;
        }
    }
    if (runLength > 0) AppendLine(file, "menuend");
}

namespace {

/// Empties a view when it goes out of scope, also when writing fails: the items it borrowed
/// stay in the catalogue that owns them.
class ViewScope {
public:
    explicit ViewScope(MenuCatalog& view_) : view(view_) {}
    ViewScope(const ViewScope&) = delete;
    ViewScope& operator=(const ViewScope&) = delete;
    ~ViewScope() { view.Forget(); }

private:
    MenuCatalog& view;
};

}  // namespace

std::string MenuFileText(const MenuCatalog& catalog, const GroupBounds& bounds) {
    std::string text;
    text.reserve(kTypicalMenuSize);
    MenuCatalog view;
    std::vector<std::string> titles;
    for (int pass = 0; pass <= kGroupCount; ++pass) {
        AppendLine(text, kSeparator);
        AppendLine(text, pass < kGroupCount ? kGroupTitles[pass] : "");
        const ViewScope borrowed(view);
        if (pass < kGroupCount) {
            const int end = std::min(bounds.groupStart[pass + 1], catalog.Count());
            view.Borrow(catalog, std::min(bounds.groupStart[pass], end), end);
        }
        view.CollectModuleTitles(titles);
        for (const std::string& title : titles) view.WriteModule(title, text);
    }
    return text;
}

std::string MenuFilePath(const std::string& executablePath) {
    return DirectoryOf(executablePath) + kMenuFileName;
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

std::string WriteMenuFile(const std::string& path, const MenuCatalog& catalog,
                          const GroupBounds& bounds) {
    if (DirectoryOf(path).empty()) return OpenFailureText(os::kPathNotFound, path);
    const os::NameInfo existing = os::LookAtName(path);
    if (HoldsMoreThanAnEmptyFile(existing)) return {};
    if (path.size() > kMaxPath) return OpenFailureText(os::kFilenameTooLong, path);
    const bool replaceEmpty = existing.kind == os::NameInfo::Kind::kFile;
    os::WriteStep failedStep = os::WriteStep::kCreate;
    const os::Status status =
        os::WriteFileAtomically(path, MenuFileText(catalog, bounds), replaceEmpty, &failedStep);
    // Another host that started at the same time may have put its menu, the same, in place.
    if (status == os::kSuccess || HoldsMoreThanAnEmptyFile(os::LookAtName(path))) return {};
    if (failedStep != os::WriteStep::kCreate) return WriteFailureText(path);
    // Every temporary name taken is a full folder for this writer, not a refused access.
    return OpenFailureText(status == os::kNoTemporaryName ? kDirectoryFull : status, path);
}

namespace {

// The last element of `path` as the system compares names: without the trailing dots and
// blanks that Windows drops, letters in upper case.
std::string ComparableName(const std::string& path) {
    std::string name = path.substr(DirectoryOf(path).size());
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    return gbk::Upper(name);
}

bool IsDigit(char byte) {
    return byte >= '0' && byte <= '9';
}

// "MENU.~NN": the temporary names of the menu file, upper case.
bool IsTemporaryName(const std::string& name) {
    std::string stem = gbk::Upper(os::TemporaryNameFor(kMenuFileName, 0));
    stem.resize(stem.size() - 2);
    return name.size() == stem.size() + 2 && name.starts_with(stem) && IsDigit(name[stem.size()]) &&
           IsDigit(name[stem.size() + 1]);
}

std::optional<os::FileIdentity> FolderIdentity(const std::string& path) {
    const std::string folder = DirectoryOf(path);
    return os::IdentityOf(folder.empty() ? "." : folder);
}

}  // namespace

bool IsMenuFileOrTemporary(const std::string& path, const std::string& menuFile) {
    const std::optional<os::FileIdentity> file = os::IdentityOf(path);
    if (file && file == os::IdentityOf(menuFile)) return true;
    const std::string name = ComparableName(path);
    if (name != gbk::Upper(kMenuFileName) && !IsTemporaryName(name)) return false;
    const std::optional<os::FileIdentity> folder = FolderIdentity(path);
    return folder && folder == FolderIdentity(menuFile);
}
