#include "skin/paint_manager.h"

#include <QApplication>
#include <QTimer>
#include <algorithm>

#include "platform/module_directory.h"
#include "skin/menu_command.h"
#include "skin/message_queue_bridge.h"
#include "skin/resource_manager.h"
#include "skin/skin_text.h"

using nimba::skin::FromQ;
using nimba::skin::ToQ;

namespace {
std::u16string& ResourcePath() {
    static std::u16string path;
    return path;
}
}  // namespace

CPaintManagerUI::CPaintManagerUI() = default;

CPaintManagerUI::~CPaintManagerUI() {
    for (auto& [key, timer] : timers_) delete timer;
    timers_.clear();
    root_.reset();
}

void CPaintManagerUI::SetInstance(HMODULE) {}

std::u16string CPaintManagerUI::GetInstancePath() {
    return FromQ(QString::fromStdString(GetModuleDirectory()));
}

void CPaintManagerUI::SetResourcePath(std::u16string_view path) {
    ResourcePath() = path;
    if (!ResourcePath().empty() && ResourcePath().back() != u'/' && ResourcePath().back() != u'\\')
        ResourcePath() += u'/';
}

const std::u16string& CPaintManagerUI::GetResourcePath() {
    return ResourcePath();
}

void CPaintManagerUI::SetResourceType(int) {}

int CPaintManagerUI::MessageLoop() {
    nimba::skin::EnsureMessageQueueBridge();
    return QCoreApplication::exec();
}

void CPaintManagerUI::Term() {}

void CPaintManagerUI::Init(HWND hwnd, QWidget* window) {
    hwnd_ = hwnd;
    window_ = window;
    nimba::skin::EnsureMessageQueueBridge();
}

bool CPaintManagerUI::AttachDialog(CControlUI* root) {
    if (root == nullptr || window_ == nullptr) return false;
    root_.reset(root);
    if (root->GetWidget()->parentWidget() != window_) root->GetWidget()->setParent(window_);
    root->SetManager(this, nullptr);
    root->RefreshTexts();
    root->GetWidget()->setGeometry(window_->rect());
    root->GetWidget()->setVisible(root->IsVisible());
    return true;
}

CControlUI* CPaintManagerUI::FindControl(std::u16string_view name) const {
    return root_ ? root_->FindControl(name) : nullptr;
}

void CPaintManagerUI::AddNotifier(INotifyUI* notifier) {
    if (std::find(notifiers_.begin(), notifiers_.end(), notifier) == notifiers_.end())
        notifiers_.push_back(notifier);
}

void CPaintManagerUI::RemoveNotifier(INotifyUI* notifier) {
    std::erase(notifiers_, notifier);
}

void CPaintManagerUI::SendNotify(CControlUI* control, std::u16string_view type, WPARAM wParam,
                                 LPARAM lParam) {
    TNotifyUI msg;
    msg.sType = type;
    msg.pSender = control;
    msg.wParam = wParam;
    msg.lParam = lParam;
    SendNotify(msg);
}

void CPaintManagerUI::SendNotify(TNotifyUI& msg) {
    if (msg.pSender != nullptr && msg.sVirtualWnd.empty())
        msg.sVirtualWnd = msg.pSender->GetVirtualWnd();
    // A receiver may remove itself (a dialog closing on a click); walk a copy.
    const std::vector<INotifyUI*> receivers = notifiers_;
    for (INotifyUI* receiver : receivers) receiver->Notify(msg);
}

void CPaintManagerUI::DeletePtr(void* ptr) {
    nimba::skin::ReleaseMenuCommand(ptr);
}

void CPaintManagerUI::AddFont(int id, const QFont& font, bool is_default) {
    fonts_[id] = font;
    if (is_default) {
        default_font_ = id;
        if (window_ != nullptr) window_->setFont(font);
    }
}

QFont CPaintManagerUI::GetFont(int id) const {
    if (auto it = fonts_.find(id); it != fonts_.end()) return it->second;
    if (auto it = fonts_.find(default_font_); it != fonts_.end()) return it->second;
    return QApplication::font();
}

QPixmap CPaintManagerUI::GetImage(const QString& file) {
    if (auto it = images_.find(file); it != images_.end()) return it->second;
    QPixmap picture(ToQ(GetResourcePath()) + file);
    images_.emplace(file, picture);
    return picture;
}

void CPaintManagerUI::AddOptionGroup(const std::u16string& group, COptionUI* option) {
    auto& members = groups_[group];
    if (std::find(members.begin(), members.end(), option) == members.end())
        members.push_back(option);
}

void CPaintManagerUI::RemoveOptionGroup(const std::u16string& group, COptionUI* option) {
    if (auto it = groups_.find(group); it != groups_.end()) std::erase(it->second, option);
}

const std::vector<COptionUI*>& CPaintManagerUI::GetOptionGroup(const std::u16string& group) {
    return groups_[group];
}

bool CPaintManagerUI::SetTimer(CControlUI* control, UINT id, UINT elapse_ms) {
    if (control == nullptr) return false;
    QTimer*& timer = timers_[TimerKey{control, id}];
    if (timer == nullptr) {
        timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, timer,
                         [this, control, id] { SendNotify(control, notify_type::kTimer, id); });
    }
    timer->start(static_cast<int>(elapse_ms));
    return true;
}

bool CPaintManagerUI::KillTimer(CControlUI* control, UINT id) {
    auto it = timers_.find(TimerKey{control, id});
    if (it == timers_.end()) return false;
    it->second->stop();
    it->second->deleteLater();
    timers_.erase(it);
    return true;
}

void CPaintManagerUI::ReapControl(CControlUI* control) {
    for (auto it = timers_.begin(); it != timers_.end();) {
        if (it->first.control == control) {
            it->second->stop();
            it->second->deleteLater();
            it = timers_.erase(it);
        } else {
            ++it;
        }
    }
}

void CPaintManagerUI::RefreshTexts() {
    if (root_) root_->RefreshTexts();
    if (!title_key_.empty() && GetWindowWidget() != nullptr) {
        GetWindowWidget()->setWindowTitle(
            nimba::skin::ToQ(CResourceManager::GetInstance().GetText(title_key_)));
    }
}
