#include "skin/edit.h"

#include <QPalette>
#include <QSignalBlocker>

#include "skin/attribute_values.h"
#include "skin/label.h"
#include "skin/skin_text.h"

using nimba::skin::FromQ;
using nimba::skin::ToQ;

CEditUI::CEditUI() : CControlUI(new QLineEdit) {
    QLineEdit* line = Line();
    line->setFrame(false);
    focus_always_visible_ = true;
    LookChanged();
    // textEdited is the user's typing only; setText() does not raise it.
    QObject::connect(line, &QLineEdit::textEdited, line, [this](const QString& text) {
        text_ = FromQ(text);
        Notify(notify_type::kTextChanged);
    });
    QObject::connect(line, &QLineEdit::returnPressed, line,
                     [this] { Notify(notify_type::kReturn); });
}

void CEditUI::LookChanged() {
    using nimba::skin::ToQColor;
    const nimba::skin::ControlLook& look = Look();
    QPalette palette = Line()->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    if (look.text.normal != 0) palette.setColor(QPalette::Text, ToQColor(look.text.normal));
    if (look.text.disabled != 0)
        palette.setColor(QPalette::Disabled, QPalette::Text, ToQColor(look.text.disabled));
    if (look.bk.selected != 0) palette.setColor(QPalette::Highlight, ToQColor(look.bk.selected));
    if (look.text.selected != 0)
        palette.setColor(QPalette::HighlightedText, ToQColor(look.text.selected));
    Line()->setPalette(palette);
    Line()->setTextMargins(look.text_padding);
}

void CEditUI::ApplyText(const QString& shown) {
    const QSignalBlocker blocker(Line());
    Line()->setText(shown);
}

void CEditUI::SetMaxChar(int max) {
    Line()->setMaxLength(max);
}

void CEditUI::SetReadOnly(bool read_only) {
    Line()->setReadOnly(read_only);
}

void CEditUI::SetPasswordMode(bool on) {
    Line()->setEchoMode(on ? QLineEdit::Password : QLineEdit::Normal);
}

void CEditUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    using namespace nimba::skin;
    const QString v = ToQ(value);
    if (name == u"maxchar") {
        SetMaxChar(ParseInt(v, 32767));
    } else if (name == u"readonly") {
        SetReadOnly(ParseBool(v));
    } else if (name == u"password") {
        SetPasswordMode(ParseBool(v));
    } else if (name == u"align") {
        Line()->setAlignment(ParseAlign(v, Line()->alignment()));
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

void CRichEditUI::SetSel(int start, int end) {
    const int length = GetTextLength();
    if (start < 0 || start > length) start = length;
    if (end < 0 || end > length) end = length;
    if (start == end) {
        Line()->setCursorPosition(end);
    } else {
        Line()->setSelection(start, end - start);
    }
}

void CRichEditUI::GetSel(int& start, int& end) const {
    if (Line()->hasSelectedText()) {
        start = Line()->selectionStart();
        end = Line()->selectionEnd();
    } else {
        start = end = Line()->cursorPosition();
    }
}

void CRichEditUI::ReplaceSel(std::u16string_view text) {
    const QSignalBlocker blocker(Line());
    Line()->insert(ToQ(text));
    text_ = FromQ(Line()->text());
}
