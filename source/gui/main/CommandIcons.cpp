#include "gui/main/CommandIcons.h"

#include <QPainter>
#include <QPixmap>

namespace kelvo {

namespace {

struct TGlyph {
    const char* Command;
    QRgb Colour;
    const char* Symbol;
};

// A coloured tile with a short symbol reads at 16 pixels and at twice that.
constexpr TGlyph Glyphs[] = {
    {"FileMinimize", 0x607080, "_"},
    {"FilePreviewAction", 0x3070b0, "P"},
    {"EditCutAction", 0xb04040, "X"},
    {"EditCopyAction", 0x4080c0, "C"},
    {"EditPasteAction", 0x40a060, "V"},
    {"EventNewQuick", 0xe09020, "Q"},
    {"EventByCurrentTemplate", 0x2090a0, "T"},
    {"EditDuplicateAlarm", 0x8060c0, "2"},
    {"TemplateNew", 0xc0a020, "+"},
    {"EntityDelete", 0xc03030, "-"},
    {"EntityProperty", 0x5070a0, "i"},
    {"CalendarCurrentDate", 0xc04080, "D"},
    {"ServiceOptions", 0x707070, "O"},
    {"HelpContents", 0x3060c0, "?"},
    {"HelpAbout", 0x308030, "A"},
    {"ViewMainPanelAction", 0x808080, "x"},
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
        QIcon icon;
        for (int size : {16, 24, 32, 48})
            icon.addPixmap(Tile(glyph, size));
        return icon;
    }
    return {};
}

} // namespace kelvo
