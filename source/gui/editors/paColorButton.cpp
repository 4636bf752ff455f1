#include "gui/editors/paColorButton.h"

#include "core/util/paColors.h"
#include "gui/alarm/fmAlarmMessage.h"
#include "gui/boxes/NonBlockingBoxes.h"

#include <QColorDialog>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

namespace kelvo::editors {

namespace {

struct TNamedColor {
    const char* Name;
    std::int32_t Value;
};

const TNamedColor kColors[] = {
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "Button face"), clBtnFace},
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "Window"), clWindow},
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "Window text"), clWindowText},
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "Black"), clBlack},
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "Maroon"), clMaroon},
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "Green"), clGreen},
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "Olive"), clOlive},
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "Navy"), clNavy},
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "Purple"), clPurple},
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "Teal"), clTeal},
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "Gray"), clGray},
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "Silver"), clSilver},
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "Red"), clRed},
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "Lime"), clLime},
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "Yellow"), clYellow},
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "Blue"), clBlue},
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "Fuchsia"), clFuchsia},
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "Aqua"), clAqua},
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "White"), clWhite},
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "Money green"), clMoneyGreen},
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "Sky blue"), clSkyBlue},
    {QT_TRANSLATE_NOOP("kelvo::editors::TpaColorButton", "Cream"), clCream},
};

QPixmap Swatch(std::int32_t value, const QPalette& palette, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(palette.color(QPalette::WindowText));
    const QColor color = ColorFromValue(value, palette);
    painter.setBrush(color.isValid() ? color : palette.color(QPalette::Button));
    painter.drawRect(0, 0, size - 1, size - 1);
    return pixmap;
}

} // namespace

TpaColorButton::TpaColorButton(const QString& text, QWidget* parent) : QToolButton(parent) {
    setText(text);
    setAccessibleName(QString(text).remove(QLatin1Char('&')).trimmed());
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(this);
    for (const TNamedColor& c : kColors) {
        QAction* item = menu->addAction(QIcon(Swatch(c.Value, palette(), 14)), tr(c.Name));
        const std::int32_t value = c.Value;
        connect(item, &QAction::triggered, this, [this, value] { SetValue(value); });
    }
    menu->addSeparator();
    connect(menu->addAction(tr("&Other...")), &QAction::triggered, this,
            &TpaColorButton::ChooseOther);
    setMenu(menu);
    Repaint();
}

void TpaColorButton::SetValue(std::int32_t value) {
    const bool changed = value != value_;
    value_ = value;
    Repaint();
    if (changed)
        emit valueChanged(value);
}

void TpaColorButton::Repaint() {
    setIcon(QIcon(Swatch(value_, palette(), 16)));
}

void TpaColorButton::ChooseOther() {
    QColorDialog dialog(ColorFromValue(value_, palette()), this);
    if (RunAndWait(dialog) != QDialog::Accepted)
        return;
    const QColor c = dialog.selectedColor();
    SetValue(static_cast<std::int32_t>(static_cast<std::uint32_t>(c.red()) |
                                       (static_cast<std::uint32_t>(c.green()) << 8) |
                                       (static_cast<std::uint32_t>(c.blue()) << 16)));
}

} // namespace kelvo::editors
