// The window host's window, Windows only: for the host and for the tests that drive it.
#ifndef TRUV_HOST_WINDOW_WINDOW_HOST_WIN32_H
#define TRUV_HOST_WINDOW_WINDOW_HOST_WIN32_H

#include <windows.h>

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "host/items/item_find.h"
#include "host/items/menu_file_reader.h"
#include "host/items/recent_picks.h"
#include "host/plugin/plugin_loader.h"
#include "host/window/window_menu.h"
#include "host/window/window_texts.h"

namespace host {

/// WM_COPYDATA with this dwData and a folder (GBK bytes, no NUL) changes the project folder
/// through the same code as the change-folder command; the answer is TRUE when it changed.
inline constexpr ULONG_PTR kChangeFolderData = 0x54525646;

/// The worker's word that the item has ended, posted to the window.
inline constexpr UINT kPickDoneMessage = WM_APP + 1;

/// Control identifiers: none is IDOK or IDCANCEL, which Enter and Escape send.
inline constexpr int kStatusBarId = 10;
inline constexpr int kSearchLabelId = 11;
inline constexpr int kSearchId = 12;
inline constexpr int kResultsId = 13;

/// The language the user's Windows speaks (GetUserDefaultUILanguage).
WindowLanguage UserWindowLanguage();

/// Status bar parts: the project folder, and the running or last item with its outcome.
inline constexpr int kFolderPart = 0;
inline constexpr int kLastItemPart = 1;

/// The top-level window with the plug-in's menu bar, a project menu and a status bar. One
/// per thread; it lives on the thread that opened it. A pick calls RunCommand on a worker
/// thread, one pick at a time, and the window stays alive while the item runs. The worker
/// shares nothing with the window while it runs but the outcome, which it leaves under a
/// lock before it posts kPickDoneMessage; it has its own copy of the item's key. A pick that
/// arrives while a menu is open waits until the menu has closed.
class HostWindow {
public:
    HostWindow() = default;
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    ~HostWindow();

    /// Loads the plug-in from `hostDir`, calls InitTruvApp, reads `hostDir`'s "menu.txt" and
    /// creates the window, hidden; false with `error` when any step fails. Picks are
    /// remembered in `recentFolder` (empty: in memory only).
    bool Open(const std::string& hostDir, std::string& error, const std::string& recentFolder = "",
              WindowLanguage language = UserWindowLanguage());

    /// Shows the window; closing it then ends the thread's message loop.
    void ShowAsMainWindow();

    /// Makes `folder` the project folder and shows it; a folder that cannot be entered is
    /// reported in a box. The change-folder command, the folder dialog and WM_COPYDATA all
    /// end here.
    bool ChangeFolder(const std::string& folder);

    HWND Window() const { return window_; }
    HWND StatusBar() const { return status_; }

    HWND SearchLabel() const { return label_; }
    HWND SearchBox() const { return search_; }
    HWND Results() const { return results_; }

    /// Puts the keyboard in the search box (Ctrl+F, or a character typed in the window).
    void StartSearch();

    /// True from a pick until the window has taken its outcome.
    bool Running() const { return worker_ != nullptr; }

    /// The window's own words.
    const WindowTexts& Texts() const { return *texts_; }

    /// The DPI that the window's sizes and font are made for.
    UINT Dpi() const { return dpi_; }

    /// Hands a message of the thread's loop to the window's keyboard interface (Tab, Shift+Tab,
    /// access keys, Enter, Escape, Ctrl+F); true when it was handled there.
    bool TakeKeyboardMessage(MSG& message);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HMENU CreateMenuBar();
    HMENU CreatePopup(const MenuBarItem& item);
    void Pick(unsigned command);
    void StartPick(unsigned command);
    static bool MenuTracked();
    static DWORD WINAPI RunOnWorker(LPVOID start);
    void LeaveOutcome(std::string outcome);
    void OnPickDone();
    void OnClose();
    void EnablePicks(bool enabled);
    void ShowRecentMenu();
    void AskForFolder();
    void OnMenuSelect(WPARAM wParam, LPARAM lParam);
    void ShowStatus();
    void ShowRunning();
    void LayoutStatus();
    void Paint();
    void Layout();
    void OnDpiChanged(UINT dpi, const RECT* suggested);
    void UseFont();
    int TextWidthOf(const std::string& text) const;
    static LRESULT CALLBACK SearchKeys(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR window);
    bool OnSearchKey(WPARAM key);
    void ShowResults();
    std::vector<const FindableItem*> RecentItems() const;
    void RunResult();
    void EndSearch();

    Plugin plugin_;
    MenuTree tree_;
    std::vector<MenuBarItem> bar_;
    std::vector<const MenuBarItem*> entries_;           ///< by command - kFirstEntryCommand
    std::map<HMENU, const MenuBarItem*> modulePopups_;  ///< for their captions
    std::map<std::string, unsigned> commands_;          ///< by key
    std::vector<FindableItem> findable_;
    std::optional<RecentPicks> recent_;
    HMENU recentMenu_ = nullptr;              ///< while there are recent picks
    std::vector<const FindableItem*> found_;  ///< as the results list shows them
    HWND window_ = nullptr;
    HWND status_ = nullptr;
    HWND label_ = nullptr;
    HWND search_ = nullptr;
    HWND results_ = nullptr;
    const WindowTexts* texts_ = &TextsOf(WindowLanguage::English);
    UINT dpi_ = 0;
    HFONT font_ = nullptr;  ///< the system's message font at dpi_
    std::string lastItem_;
    std::string statusItem_;   ///< the text of kLastItemPart
    std::string runningKey_;   ///< the item the worker runs (its own copy)
    std::string refused_;      ///< what was not done while it runs, for the status bar
    HANDLE worker_ = nullptr;  ///< the worker thread while an item runs
    std::mutex outcomeGuard_;
    std::optional<std::string> outcome_;  ///< the worker's outcome, until the window takes it
    ULONGLONG startedAt_ = 0;             ///< GetTickCount64 at the pick
    unsigned deferredPick_ = 0;           ///< a pick that came while a menu was open
    bool closeWhenDone_ = false;
    bool mainWindow_ = false;
};

}  // namespace host

#endif  // TRUV_HOST_WINDOW_WINDOW_HOST_WIN32_H
