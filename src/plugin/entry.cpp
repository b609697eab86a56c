// The two functions the host calls.
#include "plugin/entry.h"

#include <mutex>
#include <new>
#include <string>

#include "catalogue/builders.h"
#include "launch/launcher.h"
#include "model/menu_catalog.h"
#include "model/menu_file.h"
#include "model/message_box.h"
#include "model/trace.h"
#include "os/os.h"
#include "plugin/dispatch.h"
#include "plugin/globals.h"

namespace {

constexpr const char* kInitResult = "CFG";
constexpr const char* kOutOfMemory = "内存不足，无法完成该操作!";
constexpr const char* kInternalFault = "发生内部错误，无法完成该操作!";

// The host is meant to call from one thread; one that does not still must not corrupt the
// catalogue. Held while the catalogue grows or is searched, never while a program runs nor
// while a box is up.
std::mutex catalogMutex;

// No exception may leave an export: the host would end. Showing the box may fail in turn.
void ReportFault(const char* text) noexcept {
    try {
        ShowMessage(text);
    } catch (...) {
    }
}

/// Runs the group builders; returns the catalogue that the menu file shows, with its group
/// boundaries in `bounds`. The first call fills the global catalogue itself. A later one builds
/// into `fresh`, so that the boundaries are those of the rows in each group, whatever the
/// global catalogue held before; only new rows join it.
const MenuCatalog& BuildGroups(MenuCatalog& global, MenuCatalog& fresh, GroupBounds& bounds) {
    if (global.Count() == 0) {
        bounds = BuildMenuGroups(global);
        return global;
    }
    bounds = BuildMenuGroups(fresh);
    for (int i = 0; i < fresh.Count(); ++i) {
        const MenuItem& item = fresh.ItemAt(i);
        global.Add(item.Caption(), item.ModuleKey(), item.RowText(), item.ModuleNumber());
    }
    return fresh;
}

}  // namespace

const char* InitTruvApp() {
    try {
        const trace::CallScope traced{std::string()};
        // A box runs a message loop, from which the host may call in again: what to say is
        // decided under the lock, and said after it.
        std::string failure;
        const std::string menuFile = MenuFilePath(os::HostExecutablePath());
        {
            const std::lock_guard<std::mutex> lock(catalogMutex);
            MenuCatalog fresh;
            GroupBounds bounds;
            const MenuCatalog& shown = BuildGroups(TheCatalog(), fresh, bounds);
            failure = WriteMenuFile(menuFile, shown, bounds);
        }
        // Traced without the lock, so that a trace file slow to take its line holds up no
        // other thread; and after the write, so that a trace naming the menu file is known.
        trace::Event(trace::kInit, {menuFile});
        if (!failure.empty()) ShowMessage(failure);
    } catch (const std::bad_alloc&) {
        ReportFault(kOutOfMemory);
    } catch (...) {
        ReportFault(kInternalFault);
    }
    return kInitResult;
}

void RunCommand(char* key) {
    try {
        // The whole current directory is recorded; when the system cannot tell it, the project
        // directory is empty and the run operations report it as invalid.
        TheLauncher().workDir = os::CurrentDirectory().value_or(std::string());
        const std::string command = key == nullptr ? std::string() : std::string(key);
        const trace::CallScope traced(command);
        trace::Event(trace::kCall, {TheLauncher().workDir});
        const MenuItem* item = nullptr;
        {
            // Items stay where they are until the library is unloaded: only the search needs
            // the lock, not the run.
            const std::lock_guard<std::mutex> lock(catalogMutex);
            item = FindItem(TheCatalog(), command);
        }
        trace::Event(trace::kRow,
                     {item != nullptr ? item->RowText() : std::string_view(trace::kNoRow)});
        DispatchFound(item, command);
    } catch (const std::bad_alloc&) {
        ReportFault(kOutOfMemory);
    } catch (...) {
        ReportFault(kInternalFault);
    }
}
