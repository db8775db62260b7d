#include "app/program.h"

#include <QGuiApplication>
#include <cstdio>
#include <filesystem>

#include "app/autostart_entry.h"
#include "dialogs/msg_wnd.h"
#include "platform/debug_output.h"
#include "platform/private_folder.h"
#include "platform/text_encoding.h"
#include "skin/after_first_paint.h"
#include "skin/paint_manager.h"
#include "skin/resource_manager.h"

namespace nimba {
namespace {

// The main window's frame: a popup with caption, system menu and minimise box, shown at once.
constexpr DWORD kMainWindowStyle = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                                   WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// When the window is not painted (started hidden at login), the program in front is followed
// from then on.
constexpr int kFrontWatchLatestMs = 500;

}  // namespace

Program::Program(std::string runtime_folder, bool follow_front_window)
    : instance_(std::move(runtime_folder)), follow_front_window_(follow_front_window) {}

Program::~Program() {
    front_window_.reset();
    if (main_window_ && main_window_->GetHWND() != nullptr) main_window_->DestroyWindow();
    main_window_.reset();
}

int Program::Start() {
    const std::u16string resources = CPaintManagerUI::GetInstancePath() + u"res/";
    CPaintManagerUI::SetResourcePath(resources);
    const std::filesystem::path folder = platform::Utf16ToUtf8(resources);
    if (const std::string refusal = platform::PreparePrivateFolder(instance_.folder());
        !refusal.empty()) {
        std::fprintf(stderr, "nimba-mouse: %s; not starting\n", refusal.c_str());
        CResourceManager::GetInstance().LoadLanguage((folder / "lan.xml").string());
        ShowMessageBox(nullptr, u"runtime_folder_refused_text");
        return kCannotStart;
    }
    if (!instance_.Acquire()) {
        instance_.SignalRunningCopy();
        return kAnotherCopyRuns;
    }
    OutputDebugStringW(L"ilen = 0");  // kept as it always read, though nothing is measured
    // Docks and task switchers tie the windows (Wayland app id) to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.nimba.r380x"));
    // Keys are named as the keyboard of the session the windows are on prints them.
    keyboard_.Follow();

    for (const char* file : {"main.xml", "lan.xml"}) {
        if (!std::filesystem::is_regular_file(folder / file)) {
            std::fprintf(stderr, "nimba-mouse: %s is missing; the program folder is incomplete\n",
                         (folder / file).c_str());
            return kCannotStart;
        }
    }

    // Started at login, the program waits in the tray until the user asks for it.
    const bool at_login = TakeAutostartRequest();
    const DWORD style = at_login ? kMainWindowStyle & ~WS_VISIBLE : kMainWindowStyle;
    main_window_ = std::make_unique<CMainWnd>();
    if (main_window_->Create(nullptr, u"", style, 0, 0, 0, 800, 572) == nullptr) {
        std::fprintf(stderr, "nimba-mouse: the main window's skin %smain.xml cannot be built\n",
                     folder.c_str());
        main_window_.reset();
        return kCannotStart;
    }
    main_window_->CenterWindow();
    if (at_login) main_window_->PutAway();  // without a tray: minimised, not out of reach
    instance_.Listen(main_window_->GetHWND());
    device_notifications_.Start();
    // A second connection to the X server and what it asks cost the first picture time, and a
    // profile follows a program only once it has stayed in front a while anyway.
    if (follow_front_window_)
        skin::RunAfterFirstPaint(main_window_->GetWindowWidget(), kFrontWatchLatestMs,
                                 [this] { WatchFrontWindow(); });
    return 0;
}

void Program::WatchFrontWindow() {
    CMS_1_Page& page = main_window_->page();
    front_window_ = std::make_unique<FrontWindowWatcher>();
    FrontWindowWatcher& watcher = *front_window_;
    watcher.Start(
        [&page](std::optional<ProgramNames> names) { page.follower().OnFront(std::move(names)); });
    page.SetWindowedPrograms([&watcher] { return watcher.WindowedPrograms(); });
}

CMainWnd* Program::main_window() const {
    return main_window_ && main_window_->GetHWND() != nullptr ? main_window_.get() : nullptr;
}

}  // namespace nimba
