#include "gui/main/CommandIcons.h"

#include <QPainter>
#include <QPixmap>

namespace kelvo {

namespace {

struct TGlyph {
    const char* Command;
    const char* ThemeName;
    QRgb Colour;
    const char* Symbol;
};

// The desktop theme's picture where it has one, so the toolbar looks like the desktop's other
// programs; else a coloured tile with a short symbol, which reads at 16 pixels and at twice that.
constexpr TGlyph Glyphs[] = {
    {"FileMinimize", "window-minimize", 0x607080, "_"},
    {"FilePreviewAction", "document-print-preview", 0x3070b0, "P"},
    {"EditCutAction", "edit-cut", 0xb04040, "X"},
    {"EditCopyAction", "edit-copy", 0x4080c0, "C"},
    {"EditPasteAction", "edit-paste", 0x40a060, "V"},
    {"EventNewQuick", "appointment-new", 0xe09020, "Q"},
    {"EventByCurrentTemplate", "document-new", 0x2090a0, "T"},
    {"EditDuplicateAlarm", "edit-duplicate", 0x8060c0, "2"},
    {"TemplateNew", "folder-new", 0xc0a020, "+"},
    {"EntityDelete", "edit-delete", 0xc03030, "-"},
    {"EntityProperty", "document-properties", 0x5070a0, "i"},
    {"CalendarCurrentDate", "go-jump-today", 0xc04080, "D"},
    {"ServiceOptions", "preferences-system", 0x707070, "O"},
    {"HelpContents", "help-contents", 0x3060c0, "?"},
    {"HelpAbout", "help-about", 0x308030, "A"},
    {"ViewMainPanelAction", "window-close", 0x808080, "x"},
};

QPixmap Tile(const TGlyph& glyph, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgb(glyph.Colour));
    p.drawRoundedRect(QRectF(1, 1, size - 2, size - 2), size / 5.0, size / 5.0);
    QFont font;
    font.setBold(true);
    font.setPixelSize(size * 3 / 4);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QString::fromLatin1(glyph.Symbol));
    p.end();
    return pixmap;
}

} // namespace

QIcon CommandIcon(const QString& command) {
    for (const TGlyph& glyph : Glyphs) {
        if (command != QLatin1String(glyph.Command))
            continue;
        // fromTheme also tries the name's shorter forms ("go-jump" for "go-jump-today").
        if (QIcon themed = QIcon::fromTheme(QLatin1String(glyph.ThemeName)); !themed.isNull())
            return themed;
        QIcon icon;
        for (int size : {16, 24, 32, 48})
            icon.addPixmap(Tile(glyph, size));
        return icon;
    }
    return {};
}

} // namespace kelvo
