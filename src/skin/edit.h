#pragma once

// One-line text fields. User typing raises "textchanged", Enter raises "return", losing the
// focus "killfocus"; SetText from code raises nothing.

#include <QLineEdit>

#include "skin/control.h"

class CEditUI : public CControlUI {
public:
    CEditUI();
    std::u16string_view GetClass() const override { return u"Edit"; }
    void SetMaxChar(int max);
    void SetReadOnly(bool read_only);
    void SetPasswordMode(bool on);
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;

protected:
    QLineEdit* Line() const { return static_cast<QLineEdit*>(GetWidget()); }
    void ApplyText(const QString& shown) override;
    // The field draws its text and caret itself, in the colours of the skin.
    void LookChanged() override;
};

// A text field with a caret and selection the program moves.
class CRichEditUI : public CEditUI {
public:
    std::u16string_view GetClass() const override { return u"RichEdit"; }
    // Characters start..end selected; (-1, -1) or an end past the text puts the caret at the end.
    void SetSel(int start, int end);
    void GetSel(int& start, int& end) const;
    void ReplaceSel(std::u16string_view text);
    int GetTextLength() const { return static_cast<int>(Line()->text().size()); }
};
