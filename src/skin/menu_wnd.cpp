#include "skin/menu_wnd.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>

#include "platform/messages.h"
#include "skin/attribute_values.h"
#include "skin/control_tree.h"
#include "skin/menu_command.h"
#include "skin/skin_text.h"

namespace {
constexpr int kItemHeight = 22;
constexpr int kDefaultWidth = 160;

void ForEachElement(CControlUI* control, const std::function<void(CMenuElementUI*)>& visit) {
    if (control == nullptr) return;
    if (auto* element = dynamic_cast<CMenuElementUI*>(control)) visit(element);
    for (CControlUI* child : nimba::skin::ChildControls(*control)) ForEachElement(child, visit);
}

// Closes the menu when the user presses a mouse button anywhere but in it, or turns to another
// program, as a desktop's menus do; the press itself still reaches what it landed on. It is a
// child of the menu's window, so it ends with the menu.
class CloseWhenLeft : public QObject {
public:
    CloseWhenLeft(QWidget* menu, std::function<void()> close)
        : QObject(menu), menu_(menu), close_(std::move(close)) {
        qApp->installEventFilter(this);
        connect(qApp, &QGuiApplication::applicationStateChanged, this,
                [this](Qt::ApplicationState state) {
                    if (state != Qt::ApplicationActive) close_();
                });
    }

    bool eventFilter(QObject* target, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* widget = qobject_cast<QWidget*>(target);
            if (widget != nullptr && widget->window() != menu_) close_();
        }
        return false;
    }

private:
    QWidget* menu_;
    std::function<void()> close_;
};
}  // namespace

CMenuElementUI::CMenuElementUI() {
    SetFixedHeight(kItemHeight);
}

void CMenuElementUI::SetChecked(bool checked) {
    checkable_ = true;
    checked_ = checked;
    RefreshTexts();
}

void CMenuElementUI::ApplyText(const QString& shown) {
    if (!checkable_) return CButtonUI::ApplyText(shown);
    CButtonUI::ApplyText((checked_ ? QStringLiteral("\u2611  ") : QStringLiteral("\u2610  ")) +
                         shown);
}

void CMenuElementUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (name == u"checked") {
        SetChecked(nimba::skin::ParseBool(nimba::skin::ToQ(value)));
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}

bool CMenuWnd::Init(CControlUI*, std::u16string_view xml, POINT point,
                    CPaintManagerUI* main_manager, std::map<std::u16string, bool>* check_states,
                    DWORD alignment) {
    xml_ = xml;
    point_ = point;
    alignment_ = alignment;
    main_manager_ = main_manager;
    const HWND owner = main_manager != nullptr ? main_manager->GetPaintWindow() : nullptr;
    if (Create(owner, u"", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, point.x, point.y,
               kDefaultWidth, kItemHeight) == nullptr) {
        return false;
    }
    if (check_states != nullptr) {
        ForEachElement(m_pm.GetRoot(), [check_states](CMenuElementUI* element) {
            if (auto it = check_states->find(element->GetName()); it != check_states->end())
                element->SetChecked(it->second);
        });
    }
    ResizeMenu();
    ShowWindow(true, true);
    return true;
}

int CMenuWnd::GetVisibleItemCount() const {
    int count = 0;
    ForEachElement(const_cast<CPaintManagerUI&>(m_pm).GetRoot(), [&count](CMenuElementUI* element) {
        if (element->IsVisible()) ++count;
    });
    return count;
}

void CMenuWnd::ResizeMenu() {
    QWidget* widget = GetWindowWidget();
    if (widget == nullptr) return;
    const SIZE skin = m_pm.GetInitSize();
    const int width = skin.cx > 0 ? skin.cx : kDefaultWidth;
    int height = 0;
    ForEachElement(m_pm.GetRoot(), [&height](CMenuElementUI* element) {
        if (element->IsVisible()) height += element->GetFixedHeight();
    });
    auto* column = dynamic_cast<CContainerUI*>(m_pm.GetRoot());
    if (column != nullptr) height += column->GetInset().top + column->GetInset().bottom;
    QRect area;
    if (QScreen* screen = QGuiApplication::primaryScreen()) area = screen->geometry();
    // A menu taller than the screen (many items, large scaling) keeps every item reachable
    // by scrolling instead of running off the edge.
    const bool too_tall = !area.isEmpty() && height > area.height();
    if (too_tall) height = area.height();
    if (column != nullptr) column->EnableScrollBar(too_tall);
    int x = (alignment_ & eMenuAlignment_Right) ? point_.x - width : point_.x;
    int y = (alignment_ & eMenuAlignment_Bottom) ? point_.y - height : point_.y;
    if (!area.isEmpty()) {
        x = std::clamp(x, area.left(), std::max(area.left(), area.right() + 1 - width));
        y = std::clamp(y, area.top(), std::max(area.top(), area.bottom() + 1 - height));
    }
    widget->setGeometry(x, y, width, height);
}

void CMenuWnd::InitWindow() {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), GetWindowWidget());
    QObject::connect(escape, &QShortcut::activated, [this] { Close(0); });
    new CloseWhenLeft(GetWindowWidget(), [this] { Close(0); });
}

void CMenuWnd::Notify(TNotifyUI& msg) {
    auto* element = dynamic_cast<CMenuElementUI*>(msg.pSender);
    if (msg.sType != notify_type::kClick || element == nullptr) return;
    if (main_manager_ != nullptr && main_manager_->GetPaintWindow() != nullptr) {
        nimba::skin::PostMenuCommand(main_manager_->GetPaintWindow(), element->GetName(),
                                     element->GetUserData(), element->GetText(),
                                     element->GetChecked());
    }
    Close(0);
}
