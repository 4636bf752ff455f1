#include "gui/main/ViewLook.h"

#include <QPalette>
#include <QWidget>
#include <algorithm>

namespace kelvo {

QFont ToViewFont(const TFont& font) {
    QFont f(QString::fromStdString(font.Name));
    f.setPointSize(std::max(1, font.Size));
    f.setBold((font.Style & fsBold) != 0);
    f.setItalic((font.Style & fsItalic) != 0);
    f.setUnderline((font.Style & fsUnderline) != 0);
    f.setStrikeOut((font.Style & fsStrikeOut) != 0);
    return f;
}

QColor ToViewColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return QColor(static_cast<int>(rgb & 0xFFu), static_cast<int>((rgb >> 8) & 0xFFu),
                  static_cast<int>((rgb >> 16) & 0xFFu));
}

void ApplyViewLook(QWidget& view, const TFont& font, TColor background) {
    view.setFont(ToViewFont(font));
    // Only the roles set here are the view's own; the rest follow the desktop.
    QPalette palette;
    palette.setResolveMask(0);
    if ((background & clSystemColor) == 0)
        palette.setColor(QPalette::Base, ToViewColor(background));
    if ((font.Color & clSystemColor) == 0)
        palette.setColor(QPalette::Text, ToViewColor(font.Color));
    view.setPalette(palette);
}

} // namespace kelvo
