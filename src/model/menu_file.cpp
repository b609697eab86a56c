// "menu.txt": the file beside the host's executable from which the host builds its menus.
#include "model/menu_file.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <vector>

#include "model/menu_catalog.h"
#include "model/split_row.h"
#include "text/gbk_text.h"

const char* const kGroupTitles[kGroupCount] = {
    "[建  筑]", "[结  构]", "[钢结构]", "[特种结构]", "[砌体结构]", "[鉴定加固]", "[设  备]",
};

namespace {

constexpr const char* kSeparator = "===========================";
// Temporary names are "menu.~00" to "menu.~99": no longer than "menu.txt", so that a host path
// that fits the limit fits it with the temporary name too.
constexpr const char* kTemporaryStem = "menu.~";
constexpr int kTemporaryNames = 100;
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

// The sub-menu name of an item title: the text before its first '_'.
std::size_t Underscore(std::string_view title) {
    return gbk::Find(title, '_');
}

// The two titles of a row, split once; valid when the row has both.
struct RowParts {
    const MenuItem* item = nullptr;
    std::string_view moduleTitle;
    std::string_view itemTitle;
    bool valid = false;
};

/// The rows of positions [begin, end), their titles copied one after another into `titles`,
/// which the views point into: reserved for all the rows' bytes, it never moves.
std::vector<RowParts> SplitRows(const MenuCatalog& catalog, int begin, int end,
                                std::string& titles) {
    std::vector<RowParts> rows(static_cast<std::size_t>(std::max(end - begin, 0)));
    std::size_t rowBytes = 0;
    for (int i = begin; i < end; ++i) rowBytes += catalog.ItemAt(i).RowText().size();
    titles.clear();
    titles.reserve(rowBytes);
    std::string spliced;
    for (int i = begin; i < end; ++i) {
        RowParts& row = rows[static_cast<std::size_t>(i - begin)];
        row.item = &catalog.ItemAt(i);
        std::size_t tokenStarts[2] = {};
        std::size_t found = 0;
        ForEachToken(row.item->RowText(), spliced, [&](std::string_view text) {
            tokenStarts[found++] = titles.size();
            titles.append(text);
            return found < 2;
        });
        row.valid = found == 2;
        if (!row.valid) continue;
        const std::string_view all(titles);
        row.moduleTitle = all.substr(tokenStarts[0], tokenStarts[1] - tokenStarts[0]);
        row.itemTitle = all.substr(tokenStarts[1]);
    }
    return rows;
}

bool RunGoesOn(std::string_view title, const std::vector<RowParts>& rows, std::size_t next) {
    if (next >= rows.size() || !rows[next].valid) return false;
    const std::string_view nextTitle = rows[next].itemTitle;
    const std::size_t nextAt = Underscore(nextTitle);
    if (nextAt == std::string::npos) return false;
    return gbk::Trim(title.substr(0, Underscore(title))) == gbk::Trim(nextTitle.substr(0, nextAt));
}

void AppendModuleOf(const std::vector<RowParts>& rows, std::string_view title, std::string& text) {
    int rowsSeen = 0;
    int runLength = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const RowParts& row = rows[i];
        if (!row.valid || row.moduleTitle != title) continue;
        if (++rowsSeen == 1) {
            AppendLine(text, kSeparator);
            text.append("module=");
            AppendQuoted(text, row.moduleTitle);
            text.push_back(',');
            AppendQuoted(text, row.item->ModuleKey());
            text.push_back(',');
            AppendLine(text, std::to_string(row.item->ModuleNumber()));
            AppendQuotedLine(text, "title=", row.item->Caption());
        }
        const std::string_view itemTitle = row.itemTitle;
        const std::size_t at = Underscore(itemTitle);
        if (at == std::string::npos) {
            AppendQuotedLine(text, "app=", itemTitle);
            continue;
        }
        if (++runLength == 1) AppendQuotedLine(text, "menu=", itemTitle.substr(0, at));
        AppendQuotedLine(text, "app=", itemTitle.substr(at + 1));
        if (!RunGoesOn(itemTitle, rows, i + 1)) {
            AppendLine(text, "menuend");
            runLength = 0;
        }
    }
    if (runLength > 0) AppendLine(text, "menuend");
}

// The directory part of `path`, up to and with its last separator.
std::string DirectoryOf(const std::string& path) {
    std::size_t directoryEnd = 0;  // just after the last separator
    for (std::size_t pos = 0; pos < path.size(); pos += gbk::CharLength(path, pos)) {
        const char byte = path[pos];
        if (byte == '\\' || byte == '/' || byte == ':') directoryEnd = pos + 1;
    }
    return path.substr(0, directoryEnd);
}

std::string TemporaryName(const std::string& directory, int number) {
    return directory + kTemporaryStem + static_cast<char>('0' + number / 10) +
           static_cast<char>('0' + number % 10);
}

// A scanner or indexer that opens a new file for a moment makes the create or the move fail
// with one of these; they pass.
bool MayPass(os::Status status) {
    return status == os::kSharingViolation || status == os::kAccessDenied ||
           status == os::kLockViolation;
}

constexpr int kTries = 10;
constexpr std::uint32_t kFirstPause = 10;  // milliseconds; then 20, 30, ...: 450 ms in all

template <typename Step>
os::Status Retrying(Step step) {
    os::Status status = step();
    for (int tried = 1; tried < kTries && MayPass(status); ++tried) {
        os::Pause(kFirstPause * static_cast<std::uint32_t>(tried));
        status = step();
    }
    return status;
}

/// The temporary file while it is written: closed and deleted on every way out but the move.
class Temporary {
public:
    Temporary() = default;
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    ~Temporary() {
        file.Close();
        if (!name.empty()) DeleteQuietly(name);
    }

    /// The move succeeded: the name is no longer a temporary.
    void Keep() { name.clear(); }

    os::File file;
    std::string name;

private:
    // Deleting can itself run out of memory (the path is converted on the way): once more.
    static void DeleteQuietly(const std::string& path) noexcept {
        for (int attempt = 0; attempt < 2; ++attempt) {
            try {
                os::DeleteFile(path);
                return;
            } catch (...) {
            }
        }
    }
};

// No writer leaves a file unwritten this long between its create and its move.
constexpr std::int64_t kStaleSeconds = 60;

/// True for what a temporary name holds when no writer is at work on it: a link or device
/// (writers make files only), or a file nobody has written for a while. A time of writing that
/// far in the future is as stale: the clock was set back since, and waiting for it to catch up
/// could take hours. A directory is never stale: it is not ours to delete.
bool IsStale(const os::NameInfo& info) {
    switch (info.kind) {
        case os::NameInfo::Kind::kOther:
            return true;
        case os::NameInfo::Kind::kFile:
            return info.secondsSinceWrite >= kStaleSeconds ||
                   info.secondsSinceWrite <= -kStaleSeconds;
        default:
            return false;
    }
}

enum class Attempt { kCreated, kTaken, kFailed };

/// Creates `name` new; a name that the create refuses as existing, whether a listing shows it
/// or not (a link to nothing), or under which a directory stands, is taken. A stale
/// temporary under it is deleted and the name tried once more.
Attempt TryName(const std::string& name, os::File& file, os::Status& status) {
    for (int round = 0; round < 2; ++round) {
        status = Retrying([&] {
            const os::Status created = file.CreateNew(name);
            const bool directory =
                created != os::kSuccess && os::LookAtName(name).kind == os::NameInfo::Kind::kFolder;
            return directory ? os::kAlreadyExists : created;
        });
        if (status == os::kSuccess) return Attempt::kCreated;
        if (status != os::kAlreadyExists && status != os::kFileExists) return Attempt::kFailed;
        if (round > 0 || !IsStale(os::LookAtName(name)) || os::DeleteFile(name) != os::kSuccess) {
            break;
        }
    }
    return Attempt::kTaken;
}

/// Creates a new temporary file beside `path` under the first name free or freed;
/// kNoTemporaryName when every name is taken.
os::Status CreateTemporary(const std::string& path, Temporary& temporary) {
    const std::string directory = DirectoryOf(path);
    os::Status status = os::kAlreadyExists;
    for (int number = 0; number < kTemporaryNames; ++number) {
        std::string name = TemporaryName(directory, number);
        const Attempt attempt = TryName(name, temporary.file, status);
        if (attempt == Attempt::kCreated) temporary.name = std::move(name);
        if (attempt != Attempt::kTaken) return status;
    }
    return kNoTemporaryName;
}

os::Status Fail(os::Status status, WriteStep step, WriteStep* failedStep) {
    if (failedStep != nullptr) *failedStep = step;
    return status;
}

// An empty file is never a menu: a power loss between a move and the disk's catching up with
// it could leave one, and nothing can rely on it.
bool IsMenu(const os::NameInfo& info) {
    return info.kind != os::NameInfo::Kind::kNothing &&
           !(info.kind == os::NameInfo::Kind::kFile && info.size == 0);
}

}  // namespace

void MenuCatalog::AppendModule(const std::string& title, std::string& text) const {
    std::string titles;
    AppendModuleOf(SplitRows(*this, 0, Count(), titles), title, text);
}

std::string MenuFileText(const MenuCatalog& catalog, const GroupBounds& bounds) {
    std::string text;
    std::string titles;
    for (int pass = 0; pass <= kGroupCount; ++pass) {
        AppendLine(text, kSeparator);
        AppendLine(text, pass < kGroupCount ? kGroupTitles[pass] : "");
        if (pass == kGroupCount) break;
        // Each row is split once; the module titles in the order of their first rows.
        const std::vector<RowParts> rows =
            SplitRows(catalog, bounds.groupStart[pass],
                      std::min(bounds.groupStart[pass + 1], catalog.Count()), titles);
        std::vector<std::string_view> modules;
        for (const RowParts& row : rows) {
            if (row.valid &&
                std::find(modules.begin(), modules.end(), row.moduleTitle) == modules.end()) {
                modules.push_back(row.moduleTitle);
            }
        }
        for (const std::string_view module : modules) AppendModuleOf(rows, module, text);
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

os::Status WriteFileAtomically(const std::string& path, const std::string& text,
                               bool replaceExisting, WriteStep* failedStep) {
    Temporary temporary;
    if (const os::Status status = CreateTemporary(path, temporary); status != os::kSuccess) {
        return Fail(status, WriteStep::kCreate, failedStep);
    }
    if (!temporary.file.Write(text) || !temporary.file.Flush() || !temporary.file.Close()) {
        return Fail(os::LastError(), WriteStep::kWrite, failedStep);
    }
    const os::Status moved =
        Retrying([&] { return os::MoveFileDurably(temporary.name, path, replaceExisting); });
    if (moved != os::kSuccess) return Fail(moved, WriteStep::kMove, failedStep);
    temporary.Keep();
    return os::kSuccess;
}

std::string WriteMenuFile(const std::string& path, const MenuCatalog& catalog,
                          const GroupBounds& bounds) {
    if (DirectoryOf(path).empty()) return OpenFailureText(os::kPathNotFound, path);
    const os::NameInfo existing = os::LookAtName(path);
    if (IsMenu(existing)) return {};
    if (path.size() > kMaxPath) return OpenFailureText(os::kFilenameTooLong, path);
    const bool replaceEmpty = existing.kind == os::NameInfo::Kind::kFile;
    WriteStep failedStep = WriteStep::kCreate;
    const os::Status status =
        WriteFileAtomically(path, MenuFileText(catalog, bounds), replaceEmpty, &failedStep);
    // Another host that started at the same time may have put its menu, the same, in place.
    if (status == os::kSuccess || IsMenu(os::LookAtName(path))) return {};
    if (failedStep != WriteStep::kCreate) return WriteFailureText(path);
    // Every temporary name taken is a full folder for this writer, not a refused access.
    return OpenFailureText(status == kNoTemporaryName ? kDirectoryFull : status, path);
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

bool IsTemporaryName(const std::string& name) {
    const std::string stem = gbk::Upper(kTemporaryStem);
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
