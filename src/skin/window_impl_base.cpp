#include "skin/window_impl_base.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <map>
#include <optional>
#include <vector>

#include "platform/debug_output.h"
#include "platform/messages.h"
#include "platform/text_encoding.h"
#include "skin/accessible_controls.h"
#include "skin/dialog_builder.h"
#include "skin/file_dialogs.h"
#include "skin/skin_text.h"
#include "skin/window_functions.h"
#include "skin/window_z_order.h"

namespace {

std::map<HWND, WindowImplBase*>& Windows() {
    static std::map<HWND, WindowImplBase*> windows;
    return windows;
}

std::vector<WindowImplBase*>& ModalRuns() {
    static std::vector<WindowImplBase*> runs;
    return runs;
}

std::map<std::u16string, WindowImplBase::ModalHook>& ModalHooks() {
    static std::map<std::u16string, WindowImplBase::ModalHook> hooks;
    return hooks;
}

// The top-level widget: keeps the skin's root filling it, and turns the user closing it
// into the window's own close.
class WindowWidget : public QWidget {
public:
    WindowWidget(WindowImplBase* owner, CPaintManagerUI* manager, QWidget* parent,
                 Qt::WindowFlags flags)
        : QWidget(parent, flags), owner_(owner), manager_(manager) {}

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        if (CControlUI* root = manager_->GetRoot()) root->GetWidget()->setGeometry(rect());
        const SIZE corner = manager_->GetRoundCorner();
        if (corner.cx > 0 && corner.cy > 0) {
            QPainterPath path;
            path.addRoundedRect(rect(), corner.cx / 2.0, corner.cy / 2.0);
            setMask(QRegion(path.toFillPolygon().toPolygon()));
        }
    }
    // Dragging the caption band (presses no control took) moves the window.
    void mousePressEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        if (event->button() == Qt::LeftButton && at.y() < manager_->GetCaptionHeight())
            drag_from_ = event->globalPosition().toPoint() - pos();
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (drag_from_) move(event->globalPosition().toPoint() - *drag_from_);
    }
    void mouseReleaseEvent(QMouseEvent*) override { drag_from_.reset(); }
    bool event(QEvent* event) override {
        if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate)
            nimba::skin::RaiseInZOrder(owner_);
        return QWidget::event(event);
    }
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        owner_->Close(0);
    }

private:
    WindowImplBase* owner_;
    CPaintManagerUI* manager_;
    std::optional<QPoint> drag_from_;
};

}  // namespace

WindowImplBase::WindowImplBase() = default;

WindowImplBase::~WindowImplBase() {
    nimba::skin::LeaveZOrder(this);
    if (hwnd_ != nullptr) {
        Windows().erase(hwnd_);
        DestroyPlatformWindow(hwnd_);
    }
    m_pm.RemoveNotifier(this);
    delete widget_.data();
}

void WindowImplBase::OnClick(TNotifyUI&) {}

void WindowImplBase::Notify(TNotifyUI& msg) {
    if (!msg.sVirtualWnd.empty()) {
        NotifyPump(msg);
    } else if (msg.sType == notify_type::kClick) {
        OnClick(msg);
    }
}

LRESULT WindowImplBase::HandleCustomMessage(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

void WindowImplBase::OnFinalMessage(HWND) {}

HWND WindowImplBase::Create(HWND parent, std::u16string_view title, DWORD style, DWORD ex_style,
                            int x, int y, int cx, int cy) {
    if (hwnd_ != nullptr) return hwnd_;
    nimba::skin::InstallAccessibleControls();
    Qt::WindowFlags flags = Qt::Window;
    if (style & WS_POPUP) flags |= Qt::FramelessWindowHint;
    if (ex_style & WS_EX_TOOLWINDOW) flags |= Qt::Tool;
    if (ex_style & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
    // Where the compositor places windows (Wayland) the flag is the one way to ask for no focus.
    if (ex_style & WS_EX_NOACTIVATE) flags |= Qt::WindowDoesNotAcceptFocus;
    WindowImplBase* owner = FromHandle(parent);
    auto* widget =
        new WindowWidget(this, &m_pm, owner != nullptr ? owner->GetWindowWidget() : nullptr, flags);
    if (ex_style & WS_EX_NOACTIVATE) widget->setAttribute(Qt::WA_ShowWithoutActivating);
    widget->setWindowTitle(nimba::skin::ToQ(title));
    widget->setGeometry(x, y, cx, cy);
    widget_ = widget;

    hwnd_ = CreatePlatformWindow([this](HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
        return HandleMessage(msg, wParam, lParam);
    });
    Windows()[hwnd_] = this;
    nimba::skin::RaiseInZOrder(this);
    m_pm.Init(hwnd_, widget);
    CControlUI* root = CDialogBuilder().Create(GetSkinFolder() + GetSkinFile(), &m_pm);
    if (root == nullptr || !m_pm.AttachDialog(root)) {
        delete root;
        nimba::skin::LeaveZOrder(this);
        Windows().erase(hwnd_);
        DestroyPlatformWindow(hwnd_);
        hwnd_ = nullptr;
        delete widget_.data();
        return nullptr;
    }
    const SIZE size = m_pm.GetInitSize();
    if (size.cx > 0 && size.cy > 0) widget->resize(size.cx, size.cy);
    const SIZE min = m_pm.GetMinInfo();
    if (min.cx > 0 || min.cy > 0) widget->setMinimumSize(min.cx, min.cy);
    m_pm.AddNotifier(this);
    InitWindow();
    // The language is often loaded during InitWindow; show its texts.
    m_pm.RefreshTexts();
    if (style & WS_VISIBLE) ShowWindow(true, !(ex_style & WS_EX_NOACTIVATE));
    return hwnd_;
}

void WindowImplBase::CenterWindow() {
    if (widget_ == nullptr) return;
    QRect around;
    // A hidden owner (the main window in the tray) gives no place to centre on.
    if (QWidget* parent = widget_->parentWidget(); parent != nullptr && parent->isVisible()) {
        around = parent->frameGeometry();
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        around = screen->availableGeometry();
    }
    QRect frame = widget_->frameGeometry();
    frame.moveCenter(around.center());
    widget_->move(frame.topLeft());
}

void WindowImplBase::ShowWindow(bool show, bool take_focus) {
    if (widget_ == nullptr) return;
    widget_->setVisible(show);
    if (show && take_focus) {
        widget_->raise();
        widget_->activateWindow();
    }
}

void WindowImplBase::SetWindowText(std::u16string_view title) {
    if (widget_ != nullptr) widget_->setWindowTitle(nimba::skin::ToQ(title));
}

std::optional<UINT> WindowImplBase::RunModal(HWND owner, bool center) {
    if (Create(owner, u"", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW) == nullptr) {
        nimba::Trace("no window: the skin " + platform::Utf16ToUtf8(GetSkinFile()) +
                     " cannot be built");
        return std::nullopt;
    }
    if (center) CenterWindow();
    return ShowModal();
}

UINT WindowImplBase::ShowModal() {
    if (hwnd_ == nullptr || widget_ == nullptr) return 0;
    UINT result = 0;
    QEventLoop loop;
    modal_loop_ = &loop;
    modal_result_ = &result;
    // Modality only takes effect when the window is shown again.
    widget_->hide();
    widget_->setWindowModality(Qt::ApplicationModal);
    ShowWindow(true, true);
    if (auto it = ModalHooks().find(GetWindowClassName()); it != ModalHooks().end()) {
        ModalHook hook = it->second;
        QTimer::singleShot(0, widget_, [this, hook] { hook(*this); });
    }
    ModalRuns().push_back(this);
    loop.exec();
    std::erase(ModalRuns(), this);
    // The window may be gone (and this object with it): only locals from here on.
    return result;
}

void WindowImplBase::Close(UINT result) {
    if (hwnd_ != nullptr) PostMessageW(hwnd_, WM_CLOSE, result, 0);
}

void WindowImplBase::DestroyWindow() {
    if (hwnd_ == nullptr || tearing_down_) return;
    tearing_down_ = true;
    HandleMessage(WM_DESTROY, 0, 0);
    TearDown();
}

LRESULT WindowImplBase::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    bool handled = true;
    const LRESULT result = HandleCustomMessage(msg, wParam, lParam, handled);
    if (handled) return result;
    switch (msg) {
        case WM_CLOSE:
            if (modal_result_ != nullptr) *modal_result_ = static_cast<UINT>(wParam);
            DestroyWindow();
            return 0;
        case WM_DESTROY: {
            bool destroy_handled = true;
            return OnDestroy(msg, wParam, lParam, destroy_handled);
        }
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_MINIMIZE && widget_ != nullptr) widget_->showMinimized();
            if ((wParam & 0xFFF0) == SC_RESTORE && widget_ != nullptr) widget_->showNormal();
            return 0;
        default:
            return 0;
    }
}

void WindowImplBase::TearDown() {
    const HWND hwnd = hwnd_;
    nimba::skin::LeaveZOrder(this);
    Windows().erase(hwnd_);
    DestroyPlatformWindow(hwnd_);
    hwnd_ = nullptr;
    m_pm.RemoveNotifier(this);
    if (widget_ != nullptr) {
        widget_->hide();
        widget_->deleteLater();
    }
    if (modal_loop_ != nullptr) modal_loop_->exit(0);
    modal_loop_ = nullptr;
    modal_result_ = nullptr;
    OnFinalMessage(hwnd);
}

WindowImplBase* WindowImplBase::FromHandle(HWND hwnd) {
    auto it = Windows().find(hwnd);
    return it == Windows().end() ? nullptr : it->second;
}

void WindowImplBase::RefreshAllTexts() {
    // A window may open or close another while it recomposes; walk a copy.
    const std::map<HWND, WindowImplBase*> windows = Windows();
    for (const auto& [hwnd, window] : windows) {
        if (FromHandle(hwnd) != window) continue;
        window->m_pm.RefreshTexts();
        window->OnLanguageChanged();
    }
}

int WindowImplBase::ModalDepth() {
    return static_cast<int>(ModalRuns().size()) + OpenFileDialogCount();
}

void WindowImplBase::EndModals(UINT result) {
    for (WindowImplBase* window : ModalRuns()) window->Close(result);
    CancelFileDialogs();
}

void WindowImplBase::SetModalTestHook(const std::u16string& class_name, ModalHook hook) {
    ModalHooks()[class_name] = std::move(hook);
}

void WindowImplBase::ClearModalTestHooks() {
    ModalHooks().clear();
}
