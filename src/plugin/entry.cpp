// The two functions the host calls.
#include "plugin/entry.h"

#include <cxxabi.h>

#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "catalogue/builders.h"
#include "launch/launcher.h"
#include "model/menu_catalog.h"
#include "model/menu_file.h"
#include "model/message_box.h"
#include "model/trace.h"
#include "os/os.h"
#include "plugin/cancellation.h"
#include "plugin/dispatch.h"
#include "plugin/globals.h"

namespace {

constexpr const char* kInitResult = "CFG";
constexpr const char* kOutOfMemory = "内存不足，无法完成该操作!";
constexpr const char* kInternalFault = "发生内部错误，无法完成该操作!";

// The host is meant to call from one thread; one that does not still gets whole picks, one
// after the other. A pick (a call of either export, with every program it starts and every box
// it shows) holds this lock until it returns, so the catalogue, the launcher's fields, the
// process's current directory and the system backends serve one pick at a time. It is
// recursive: a call made from the message loop of one of the pick's boxes, on the pick's own
// thread, goes through. Such a call never comes while the catalogue is being built or searched
// (no box is shown then), so it finds the catalogue whole.
std::recursive_mutex pickMutex;

// The picks under way on the thread that holds pickMutex: more than one while a pick is made
// from a box of another. Read and written under the lock only.
int picksUnderWay = 0;

/// A pick made while another is under way on the same thread (from one of its boxes, a timer
/// or a window procedure) gives the outer pick back its project directory when it returns,
/// however it returns: as the launcher records it, and as the current directory, which the
/// outer pick was in when the host changed it for the nested one.
class OuterPickGuard {
public:
    OuterPickGuard() {
        if (picksUnderWay > 0) outerDir_ = TheLauncher().workDir;
        ++picksUnderWay;
    }
    OuterPickGuard(const OuterPickGuard&) = delete;
    OuterPickGuard& operator=(const OuterPickGuard&) = delete;
    ~OuterPickGuard() {
        --picksUnderWay;
        if (!outerDir_) return;
        std::string& workDir = TheLauncher().workDir;
        workDir = std::move(*outerDir_);
        try {
            if (!workDir.empty()) os::SetCurrentDirectory(workDir);
        } catch (const std::bad_alloc&) {
            // The launcher enters the recorded directory again before each start.
        }
    }

private:
    std::optional<std::string> outerDir_;
};

// No exception may leave an export: the host would end. Showing the box may fail in turn.
// A thread cancelled during a pick is the one exception: its unwinding goes on (through the
// locks' destructors), since a cancellation that is caught ends the whole process. The
// unwinding carries no object, so the handler's reference is bound to none: the null check of
// the undefined-behaviour sanitizer is off in the functions that pass it on.
__attribute__((no_sanitize("null"))) void ReportFault(const char* text) {
    try {
        ShowMessage(text);
    } catch (const abi::__forced_unwind&) {
        throw;
    } catch (...) {
    }
}

/// The group boundaries of the load's first build. While the global catalogue holds that
/// build's rows and no other, a later build that adds none would make the same rows in the
/// same order.
struct FirstBuild {
    GroupBounds bounds;
    int rows = 0;
};
FirstBuild firstBuild;

/// Runs the group builders; returns the catalogue that the menu file shows, with its group
/// boundaries in `bounds`. The first call fills the global catalogue itself. A later one that
/// adds no row to it shows it again with the first call's boundaries. Otherwise (the answer
/// about "LYR" changed) it builds into `fresh`, so that the boundaries are those of the rows in
/// each group, whatever the global catalogue held before; only new rows join it.
const MenuCatalog& BuildGroups(MenuCatalog& global, MenuCatalog& fresh, GroupBounds& bounds) {
    if (global.Count() == 0) {
        bounds = BuildMenuGroups(global);
        firstBuild = {bounds, global.Count()};
        return global;
    }
    if (global.Count() == firstBuild.rows) {
        BuildMenuGroups(global);
        if (global.Count() == firstBuild.rows) {
            bounds = firstBuild.bounds;
            return global;
        }
    }
    bounds = BuildMenuGroups(fresh);
    for (int i = 0; i < fresh.Count(); ++i) {
        const MenuItem& item = fresh.ItemAt(i);
        global.Add(item.Caption(), item.ModuleKey(), item.RowText(), item.ModuleNumber());
    }
    return fresh;
}

}  // namespace

__attribute__((no_sanitize("null"))) const char* InitTruvApp() {
    try {
        const std::lock_guard<std::recursive_mutex> pick(pickMutex);
        const trace::CallScope traced{std::string()};
        // A box runs a message loop, from which the host may call in again: what to say is
        // decided while the catalogue is built, and said after it.
        std::string failure;
        const std::string menuFile = MenuFilePath(os::HostExecutablePath());
        {
            // A thread cancelled meanwhile is cancelled once the menu file is whole or absent.
            const CancellationHold whole;
            MenuCatalog fresh;
            GroupBounds bounds;
            const MenuCatalog& shown = BuildGroups(TheCatalog(), fresh, bounds);
            failure = WriteMenuFile(menuFile, shown, bounds);
        }
        ActOnHeldCancellation();
        // Traced after the write, so that a trace naming the menu file is known. A trace
        // file another program holds up delays the pick a bounded time at most.
        trace::Event(trace::kInit, {menuFile});
        if (!failure.empty()) ShowMessage(failure);
    } catch (const abi::__forced_unwind&) {
        throw;
    } catch (const std::bad_alloc&) {
        ReportFault(kOutOfMemory);
    } catch (...) {
        ReportFault(kInternalFault);
    }
    return kInitResult;
}

__attribute__((no_sanitize("null"))) void RunCommand(char* key) {
    try {
        const std::lock_guard<std::recursive_mutex> pick(pickMutex);
        const OuterPickGuard outer;
        // The whole current directory is recorded; when the system cannot tell it, the project
        // directory is empty and the run operations report it as invalid.
        TheLauncher().workDir = os::CurrentDirectory().value_or(std::string());
        const std::string command = key == nullptr ? std::string() : std::string(key);
        const trace::CallScope traced(command);
        trace::Event(trace::kCall, {TheLauncher().workDir});
        TheCatalog().Dispatch(command);
    } catch (const abi::__forced_unwind&) {
        throw;
    } catch (const std::bad_alloc&) {
        ReportFault(kOutOfMemory);
    } catch (...) {
        ReportFault(kInternalFault);
    }
}
