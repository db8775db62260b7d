#pragma once

// The base of every skinned window: builds its skin into a top-level Qt widget, owns the
// paint manager, receives window messages and timers through its platform window handle,
// and can run modally. A test hook registered for a window class answers modal runs of that
// class, so dialogs can be driven headless.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "platform/win_types.h"
#include "skin/notify_pump.h"
#include "skin/paint_manager.h"
#include "skin/window_styles.h"

class QEventLoop;

class WindowImplBase : public CNotifyPump, public INotifyUI {
public:
    WindowImplBase();
    ~WindowImplBase() override;

    virtual std::u16string GetWindowClassName() const = 0;
    virtual std::u16string GetSkinFile() = 0;
    virtual std::u16string GetSkinFolder() { return {}; }
    // Runs once the skin is built, before the window is shown.
    virtual void InitWindow() {}
    virtual void OnClick(TNotifyUI& msg);
    // Notifications of controls in a virtual window go to that window's pump; clicks of the
    // others to OnClick.
    void Notify(TNotifyUI& msg) override;
    // Every window message comes here first; `handled` false lets the default handling run.
    virtual LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnDestroy(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    // The last call a window gets; the object may delete itself here.
    virtual void OnFinalMessage(HWND hwnd);
    // After another language was loaded and the skin's texts shown anew: texts the window
    // composed itself are composed again here.
    virtual void OnLanguageChanged() {}

    // Null when the skin cannot be built.
    HWND Create(HWND parent, std::u16string_view title, DWORD style, DWORD ex_style, int x = 0,
                int y = 0, int cx = 800, int cy = 800);
    HWND GetHWND() const { return hwnd_; }
    QWidget* GetWindowWidget() const { return widget_; }
    CPaintManagerUI& GetPaintManager() { return m_pm; }
    // Shown by ShowModal and not closed yet.
    bool IsInModalRun() const { return modal_loop_ != nullptr; }
    void CenterWindow();
    void ShowWindow(bool show = true, bool take_focus = true);
    void SetWindowText(std::u16string_view title);
    // Runs until Close; returns the value given to Close.
    UINT ShowModal();
    // Builds the window over `owner` as a dialog, centres it unless `center` is false (it
    // places itself), and runs it modally: the value given to Close, or nothing when the skin
    // cannot be built.
    std::optional<UINT> RunModal(HWND owner, bool center = true);
    // Ends the window (asynchronously, so a control may close its window from its own event).
    void Close(UINT result = IDOK);
    void DestroyWindow();

    // The window of a handle this library created, or null.
    static WindowImplBase* FromHandle(HWND hwnd);
    // How many modal runs (file dialogs included) are under way, and ending each of them with
    // `result` (the windows close as if answered; the callers' code after ShowModal still runs).
    static int ModalDepth();
    static void EndModals(UINT result);
    // Shows every open window in the language just loaded.
    static void RefreshAllTexts();

    using ModalHook = std::function<void(WindowImplBase& window)>;
    // `hook` gets each modal run of `class_name` once the window is up and its loop runs.
    static void SetModalTestHook(const std::u16string& class_name, ModalHook hook);
    static void ClearModalTestHooks();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    CPaintManagerUI m_pm;

private:
    void TearDown();

    HWND hwnd_ = nullptr;
    QPointer<QWidget> widget_;
    QEventLoop* modal_loop_ = nullptr;
    UINT* modal_result_ = nullptr;
    bool tearing_down_ = false;
};
