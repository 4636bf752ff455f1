#include "gui/main/MainPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QStyledItemDelegate>
#include <QToolButton>

namespace kelvo {

namespace {

constexpr int PictureSize = 32;
const QColor PanelGrey(128, 128, 128);

class TPageDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width() > 0 ? option.rect.width() : 90,
                option.fontMetrics.height() + 44};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        const QRect r = option.rect;
        if (option.state & QStyle::State_Selected)
            painter->fillRect(r.adjusted(4, 1, -4, -1), PanelGrey.darker(150));
        const QIcon picture = index.data(Qt::DecorationRole).value<QIcon>();
        const QRect pictureRect(r.left() + (r.width() - PictureSize) / 2, r.top() + 4, PictureSize,
                                PictureSize);
        picture.paint(painter, pictureRect);
        painter->setPen(Qt::white);
        painter->setFont(option.font);
        const QRect text(r.left(), pictureRect.bottom() + 1, r.width(),
                         option.fontMetrics.height() + 8);
        painter->drawText(text.adjusted(0, 4, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                          index.data().toString().remove(QLatin1Char('&')));
        if (option.state & QStyle::State_HasFocus) {
            painter->setPen(QPen(Qt::white, 1, Qt::DotLine));
            painter->drawRect(r.adjusted(5, 2, -6, -2));
        }
        painter->restore();
    }
};

} // namespace

TPageList::TPageList(QWidget* parent) : QListWidget(parent) {
    setObjectName(QStringLiteral("PagesList"));
    setAccessibleName(tr("Pages"));
    setItemDelegate(new TPageDelegate(this));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    QPalette p = palette();
    p.setColor(QPalette::Base, PanelGrey);
    p.setColor(QPalette::Text, Qt::white);
    setPalette(p);
}

void TPageList::AddPage(const QString& caption, const QIcon& picture) {
    auto* item = new QListWidgetItem(picture, caption, this);
    item->setData(Qt::AccessibleTextRole, QString(caption).remove(QLatin1Char('&')));
}

void TPageList::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    // The items are as wide as the list: lay them out again for the new width.
    doItemsLayout();
}

TPageHeader::TPageHeader(const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(new QLabel(caption, this)) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, PanelGrey);
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::ButtonText, Qt::white);
    setPalette(p);
    QFont font = caption_->font();
    font.setBold(true);
    font.setPointSize(12);
    caption_->setFont(font);
    caption_->setAccessibleName(caption.trimmed());
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->addWidget(caption_, 1);
    setFixedHeight(std::max(23, caption_->sizeHint().height()));
}

QToolButton* TPageHeader::Button() {
    if (!button_) {
        button_ = new QToolButton(this);
        button_->setAutoRaise(true);
        static_cast<QHBoxLayout*>(layout())->addWidget(button_, 0, Qt::AlignRight);
    }
    return button_;
}

QIcon PagePicture(int page) {
    QPixmap pixmap(PictureSize, PictureSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    switch (page) {
    case 0: // folders of templates
        p.setBrush(QColor(250, 210, 90));
        p.drawRect(QRectF(3, 9, 20, 14));
        p.drawRect(QRectF(9, 15, 20, 14));
        break;
    case 1: { // a calendar sheet
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 5, 24, 23));
        p.fillRect(QRectF(4.5, 5.5, 23, 6), QColor(200, 40, 40));
        p.setPen(QPen(Qt::black, 1));
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 4; ++col)
                p.drawRect(QRectF(7 + col * 5.5, 14 + row * 4.5, 3, 2.5));
        break;
    }
    case 2: { // a funnel
        QPainterPath funnel;
        funnel.moveTo(4, 5);
        funnel.lineTo(28, 5);
        funnel.lineTo(19, 17);
        funnel.lineTo(19, 28);
        funnel.lineTo(13, 25);
        funnel.lineTo(13, 17);
        funnel.closeSubpath();
        p.setBrush(QColor(90, 160, 230));
        p.drawPath(funnel);
        break;
    }
    default: // a stack of sheets
        p.setBrush(Qt::white);
        for (int i = 2; i >= 0; --i)
            p.drawRect(QRectF(5 + i * 3, 4 + i * 3, 18, 20));
        p.setPen(QPen(Qt::darkGray, 1));
        for (int line = 0; line < 4; ++line)
            p.drawLine(QPointF(8, 10 + line * 4), QPointF(20, 10 + line * 4));
        break;
    }
    p.end();
    return QIcon(pixmap);
}

} // namespace kelvo
