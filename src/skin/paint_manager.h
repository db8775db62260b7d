#pragma once

// One per window: owns the window's control tree, finds controls by name, delivers their
// notifications to the registered receivers, keeps fonts, images, option groups and control
// timers. The static part holds the program-wide paths and runs the message loop.

#include <QFont>
#include <QPixmap>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win_types.h"
#include "skin/control.h"
#include "skin/notify.h"
#include "skin/skin_theme.h"

class COptionUI;
class QTimer;
class QWidget;

class CPaintManagerUI {
public:
    CPaintManagerUI();
    ~CPaintManagerUI();
    CPaintManagerUI(const CPaintManagerUI&) = delete;
    CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

    // Program-wide set-up. Paths end in '/'.
    static void SetInstance(HMODULE instance);
    static std::u16string GetInstancePath();
    static void SetResourcePath(std::u16string_view path);
    static const std::u16string& GetResourcePath();
    // Skins are read from loose files only; kept for the start-up sequence's shape.
    static void SetResourceType(int type);
    // Runs the UI thread's queue inside Qt's event loop until WM_QUIT; returns its exit code.
    static int MessageLoop();
    static void Term();

    void Init(HWND hwnd, QWidget* window);
    HWND GetPaintWindow() const { return hwnd_; }
    QWidget* GetWindowWidget() const { return window_; }

    // Takes ownership of the built tree and lays it into the window.
    bool AttachDialog(CControlUI* root);
    CControlUI* GetRoot() const { return root_.get(); }
    CControlUI* FindControl(std::u16string_view name) const;
    // The named control when it is of kind T, else null.
    template <class T>
    T* FindControlAs(std::u16string_view name) const {
        return dynamic_cast<T*>(FindControl(name));
    }

    void AddNotifier(INotifyUI* notifier);
    void RemoveNotifier(INotifyUI* notifier);
    void SendNotify(CControlUI* control, std::u16string_view type, WPARAM wParam = 0,
                    LPARAM lParam = 0);
    void SendNotify(TNotifyUI& msg);

    // Releases a record the skin library handed over (a menu's command record). Unknown
    // pointers are left alone.
    void DeletePtr(void* ptr);

    void AddFont(int id, const QFont& font, bool is_default);
    QFont GetFont(int id) const;
    QPixmap GetImage(const QString& file);

    void AddOptionGroup(const std::u16string& group, COptionUI* option);
    void RemoveOptionGroup(const std::u16string& group, COptionUI* option);
    const std::vector<COptionUI*>& GetOptionGroup(const std::u16string& group);

    bool SetTimer(CControlUI* control, UINT id, UINT elapse_ms);
    bool KillTimer(CControlUI* control, UINT id);
    // Called as a control goes away: its timers and group places go with it.
    void ReapControl(CControlUI* control);

    // The attribute sets the window's skin names (defaults per kind, named styles); controls
    // built for this window start from them.
    void SetTheme(std::shared_ptr<const nimba::skin::SkinTheme> theme) {
        theme_ = std::move(theme);
    }
    const nimba::skin::SkinTheme* GetTheme() const { return theme_.get(); }

    // Re-reads every language text of the tree.
    void RefreshTexts();
    // Window caption height from the skin: dragging there moves the window.
    int GetCaptionHeight() const { return caption_height_; }
    void SetCaptionHeight(int height) { caption_height_ = height; }
    SIZE GetInitSize() const { return init_size_; }
    void SetInitSize(SIZE size) { init_size_ = size; }
    SIZE GetRoundCorner() const { return round_corner_; }
    void SetRoundCorner(SIZE corner) { round_corner_ = corner; }
    SIZE GetMinInfo() const { return min_info_; }
    void SetMinInfo(SIZE size) { min_info_ = size; }
    // The language key of the window's title, which is also its name for screen readers.
    void SetTitleKey(std::u16string_view key) { title_key_ = key; }

private:
    HWND hwnd_ = nullptr;
    QWidget* window_ = nullptr;
    std::unique_ptr<CControlUI> root_;
    std::vector<INotifyUI*> notifiers_;
    std::map<int, QFont> fonts_;
    int default_font_ = -1;
    std::map<QString, QPixmap> images_;
    std::shared_ptr<const nimba::skin::SkinTheme> theme_;
    std::map<std::u16string, std::vector<COptionUI*>> groups_;
    struct TimerKey {
        CControlUI* control;
        UINT id;
        auto operator<=>(const TimerKey&) const = default;
    };
    // Released with deleteLater: a handler often kills the very timer that is firing.
    std::map<TimerKey, QTimer*> timers_;
    int caption_height_ = 0;
    SIZE init_size_{};
    SIZE round_corner_{};
    SIZE min_info_{};
    std::u16string title_key_;
};
