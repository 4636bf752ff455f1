#include "gui/options/paColorButton.h"

#include "gui/alarm/fmAlarmMessage.h"

#include <QColorDialog>
#include <QFrame>
#include <QGridLayout>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <algorithm>

namespace kelvo {

namespace {

constexpr int CellSize = 18;
// The colour and its drop-down glyph; a text stands to the right of it.
constexpr int SwatchWidth = 43;

QColor ToQColor(TColor value, const QPalette& palette) {
    const QColor c = ColorFromValue(static_cast<std::int32_t>(value), palette);
    return c.isValid() ? c : palette.color(QPalette::Button);
}

TColor FromQColor(const QColor& c) {
    return static_cast<TColor>(c.red()) | static_cast<TColor>(c.green()) << 8 |
           static_cast<TColor>(c.blue()) << 16;
}

QString ColorName(TColor value) {
    return QStringLiteral("#%1").arg(ColorToRGB(value) & 0xFFFFFFu, 6, 16, QLatin1Char('0'));
}

// One cell of the pop-up: its colour, framed when it is the button's.
class TColorCell : public QPushButton {
public:
    TColorCell(TColor value, bool current, QWidget* parent)
        : QPushButton(parent), value_(value), current_(current) {
        setFixedSize(CellSize, CellSize);
        setFocusPolicy(Qt::StrongFocus);
        setAccessibleName(ColorName(value));
    }
    TColor Value() const { return value_; }
    bool Current() const { return current_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect r = rect().adjusted(2, 2, -3, -3);
        p.fillRect(r, ToQColor(value_, palette()));
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(r);
        if (current_ || hasFocus()) {
            p.setPen(QPen(palette().color(current_ ? QPalette::Text : QPalette::Highlight), 1,
                          current_ ? Qt::SolidLine : Qt::DotLine));
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

private:
    TColor value_;
    bool current_;
};

} // namespace

const TColor TpaColorButton::Palette[20] = {0xFFFFFF, 0x000000, 0xC0C0C0, 0x808080, 0x0000FF,
                                            0x000080, 0x00FFFF, 0x008080, 0x00FF00, 0x008000,
                                            0xFFFF00, 0x808000, 0xFF0000, 0x800000, 0xFF00FF,
                                            0x800080, 0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0};

TpaColorButton::TpaColorButton(QWidget* parent) : QToolButton(parent), caption_(tr("&Other...")) {
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QToolButton::clicked, this, &TpaColorButton::ShowPopup);
}

TpaColorButton::TpaColorButton(const QString& text, QWidget* parent) : TpaColorButton(parent) {
    setText(text);
    setAccessibleName(QString(text).remove(QLatin1Char('&')).trimmed());
}

QSize TpaColorButton::sizeHint() const {
    if (text().isEmpty())
        return {SwatchWidth, 21};
    const QSize words = fontMetrics().size(Qt::TextShowMnemonic, text().trimmed());
    return {SwatchWidth + words.width() + 8, std::max(21, words.height() + 8)};
}

void TpaColorButton::SetValue(TColor value) {
    if (value == value_)
        return;
    value_ = value;
    setAccessibleDescription(ColorName(value));
    update();
    emit changed(value_);
}

void TpaColorButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = {};
    p.drawComplexControl(QStyle::CC_ToolButton, option);
    const int arrow = 9;
    const int swatchRight = text().isEmpty() ? width() : std::min(width(), SwatchWidth);
    const int swatchHeight = std::min(height(), 21);
    const QRect area(0, (height() - swatchHeight) / 2, swatchRight, swatchHeight);
    QRect swatch = area.adjusted(4, 4, -4 - arrow, -4);
    p.fillRect(swatch, ToQColor(value_, palette()));
    p.setPen(palette().color(QPalette::Shadow));
    p.drawRect(swatch.adjusted(0, 0, -1, -1));
    QStyleOption glyph;
    glyph.initFrom(this);
    glyph.rect = QRect(swatchRight - arrow - 3, (height() - arrow) / 2, arrow, arrow);
    p.drawPrimitive(QStyle::PE_IndicatorArrowDown, glyph);
    if (!text().isEmpty())
        p.drawItemText(rect().adjusted(swatchRight + 2, 0, -4, 0),
                       Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, palette(),
                       isEnabled(), text().trimmed(), QPalette::ButtonText);
}

void TpaColorButton::ShowPopup() {
    if (popup_)
        popup_->deleteLater();
    // A pop-up window closes itself when it loses the focus, unchanged.
    popup_ = new QFrame(this, Qt::Popup);
    popup_->setAttribute(Qt::WA_DeleteOnClose);
    popup_->setFrameShape(QFrame::StyledPanel);
    popup_->setAccessibleName(tr("Colors"));
    auto* grid = new QGridLayout(popup_);
    grid->setSpacing(1);
    grid->setContentsMargins(3, 3, 3, 3);
    bool inPalette = false;
    QWidget* focus = nullptr;
    for (int i = 0; i < 20; ++i) {
        const bool current = Palette[i] == value_;
        inPalette = inPalette || current;
        auto* cell = new TColorCell(Palette[i], current, popup_);
        grid->addWidget(cell, i / 4, i % 4);
        connect(cell, &QPushButton::clicked, this, [this, v = Palette[i]] { Choose(v); });
        if (current || !focus)
            focus = cell;
    }
    auto* other = new QPushButton(caption_, popup_);
    other->setAccessibleName(QString(caption_).remove(QLatin1Char('&')));
    grid->addWidget(other, 5, 0, 1, 3);
    connect(other, &QPushButton::clicked, this, &TpaColorButton::ChooseOther);
    if (!inPalette) {
        auto* cell = new TColorCell(value_, false, popup_);
        cell->setObjectName(QStringLiteral("CurrentColorCell"));
        grid->addWidget(cell, 5, 3);
        connect(cell, &QPushButton::clicked, this, [this] { Choose(value_); });
    }
    popup_->adjustSize();
    popup_->move(mapToGlobal(QPoint(0, height())));
    popup_->show();
    if (focus)
        focus->setFocus();
}

void TpaColorButton::Choose(TColor value) {
    if (popup_)
        popup_->close();
    popup_ = nullptr;
    SetValue(value);
}

void TpaColorButton::ChooseOther() {
    if (popup_)
        popup_->close();
    popup_ = nullptr;
    auto* dialog = new QColorDialog(ToQColor(value_, palette()), window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QColorDialog::colorSelected, this,
            [this](const QColor& c) { SetValue(FromQColor(c)); });
    dialog->open();
}

} // namespace kelvo
