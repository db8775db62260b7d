#pragma once

// Static texts: a one-line label and a wrapping text.

#include <QLabel>

#include "skin/control.h"

class CLabelUI : public CControlUI {
public:
    CLabelUI();
    std::u16string_view GetClass() const override { return u"Label"; }
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;

protected:
    QLabel* Label() const { return static_cast<QLabel*>(GetWidget()); }
    void ApplyText(const QString& shown) override { Label()->setText(shown); }
    bool PaintContent(QPainter& painter) override;
};

class CTextUI : public CLabelUI {
public:
    CTextUI();
    std::u16string_view GetClass() const override { return u"Text"; }
};

namespace nimba::skin {
// "left|center|right" and "top|vcenter|bottom" words of an align attribute.
Qt::Alignment ParseAlign(const QString& text, Qt::Alignment fallback);
}  // namespace nimba::skin
