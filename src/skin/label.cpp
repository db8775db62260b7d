#include "skin/label.h"

#include <QPainter>

#include "skin/skin_text.h"

namespace nimba::skin {

Qt::Alignment ParseAlign(const QString& text, Qt::Alignment fallback) {
    Qt::Alignment horizontal = fallback & Qt::AlignHorizontal_Mask;
    Qt::Alignment vertical = fallback & Qt::AlignVertical_Mask;
    QString words = text;
    words.replace(u'|', u' ').replace(u',', u' ');
    for (const QString& word : words.split(u' ', Qt::SkipEmptyParts)) {
        if (word == "left") horizontal = Qt::AlignLeft;
        if (word == "center") horizontal = Qt::AlignHCenter;
        if (word == "right") horizontal = Qt::AlignRight;
        if (word == "top") vertical = Qt::AlignTop;
        if (word == "vcenter") vertical = Qt::AlignVCenter;
        if (word == "bottom") vertical = Qt::AlignBottom;
    }
    return horizontal | vertical;
}

}  // namespace nimba::skin

CLabelUI::CLabelUI() : CControlUI(new QLabel) {
    // Texts include user input (profile and macro names): never read as markup.
    Label()->setTextFormat(Qt::PlainText);
    Label()->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

bool CLabelUI::PaintContent(QPainter& painter) {
    const QRect area = Look().TextArea(GetWidget()->rect());
    const QString text = Label()->text();
    if (Label()->wordWrap()) {
        painter.setPen(TextColor());
        painter.drawText(area, static_cast<int>(Label()->alignment()) | Qt::TextWordWrap, text);
        return true;
    }
    ShowWholeTextAsTip(
        nimba::skin::PaintElidedText(painter, area, Label()->alignment(), TextColor(), text), text);
    return true;
}

void CLabelUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (name == u"align") {
        Label()->setAlignment(
            nimba::skin::ParseAlign(nimba::skin::ToQ(value), Label()->alignment()));
    } else if (name == u"wordwrap") {
        Label()->setWordWrap(value == u"true");
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

CTextUI::CTextUI() {
    Label()->setWordWrap(true);
    Label()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}
