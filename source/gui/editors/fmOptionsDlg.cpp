#include "gui/editors/fmOptionsDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>

namespace kelvo::editors {

namespace {

// The page pictures: the desktop theme's where it has them, the style's otherwise.
QIcon PagePicture(const QString& name, const QStyle& style) {
    struct TPicture {
        const char* Name;
        const char* Theme;
        QStyle::StandardPixmap Fallback;
    };
    static const TPicture pictures[] = {
        {"DATE", "x-office-calendar", QStyle::SP_FileDialogDetailedView},
        {"ACTION", "system-run", QStyle::SP_MediaPlay},
        {"REMIND", "appointment-soon", QStyle::SP_MessageBoxInformation},
        {"OPTIONS", "preferences-system", QStyle::SP_FileDialogListView},
        {"SUMMARY", "document-properties", QStyle::SP_FileDialogContentsView},
    };
    for (const TPicture& p : pictures)
        if (name == QLatin1String(p.Name))
            return QIcon::fromTheme(QLatin1String(p.Theme), style.standardIcon(p.Fallback));
    return style.standardIcon(QStyle::SP_FileIcon);
}

} // namespace

TOptionsDlgForm::TOptionsDlgForm(QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)), stack_(new QStackedWidget(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    list_->setObjectName(QStringLiteral("PageList"));
    list_->setAccessibleName(tr("Pages"));
    list_->setViewMode(QListView::IconMode);
    list_->setFlow(QListView::TopToBottom);
    list_->setMovement(QListView::Static);
    list_->setWrapping(false);
    list_->setIconSize(QSize(32, 32));
    list_->setUniformItemSizes(true);
    list_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    stack_->setObjectName(QStringLiteral("PageControl"));
    buttons_->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons_->button(QDialogButtonBox::Ok)->setAccessibleName(tr("OK"));
    buttons_->button(QDialogButtonBox::Cancel)->setAccessibleName(tr("Cancel"));
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0)
            return;
        const int index = list_->item(row)->data(Qt::UserRole).toInt();
        if (stack_->currentIndex() != index) {
            stack_->setCurrentIndex(index);
            emit pageShown(index);
        }
    });
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), this);
    connect(next, &QShortcut::activated, this, [this] { NextPage(1); });
    auto* previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), this);
    connect(previous, &QShortcut::activated, this, [this] { NextPage(-1); });

    auto* body = new QHBoxLayout;
    body->addWidget(list_);
    body->addWidget(stack_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(buttons_);
}

int TOptionsDlgForm::AddPage(QWidget* page, const QString& caption) {
    const int colon = caption.indexOf(QLatin1Char(':'));
    TPage entry{page, colon < 0 ? caption : caption.left(colon),
                colon < 0 ? QString() : caption.mid(colon + 1)};
    pages_.push_back(entry);
    stack_->addWidget(page);
    RefillList();
    return PageCount() - 1;
}

void TOptionsDlgForm::RefillList() {
    const QSignalBlocker quiet(list_);
    list_->clear();
    int widest = 0;
    const int height = list_->fontMetrics().height() + 44;
    for (int i = 0; i < PageCount(); ++i) {
        const TPage& p = pages_[static_cast<std::size_t>(i)];
        if (!p.Widget->isEnabled())
            continue;
        auto* item = new QListWidgetItem(p.Text, list_);
        if (!p.Picture.isEmpty())
            item->setIcon(PagePicture(p.Picture, *style()));
        item->setData(Qt::UserRole, i);
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        widest = std::max(widest, list_->fontMetrics().horizontalAdvance(p.Text));
    }
    const QSize cell(std::max(widest + 16, 72), height);
    for (int row = 0; row < list_->count(); ++row)
        list_->item(row)->setSizeHint(cell);
    // The grid keeps a gap between the entries; the entry itself is the picture over its text.
    list_->setGridSize(cell + QSize(0, 8));
    list_->setSpacing(0);
    list_->setFixedWidth(cell.width() + 2 * list_->frameWidth() + 4);
    for (int row = 0; row < list_->count(); ++row)
        if (list_->item(row)->data(Qt::UserRole).toInt() == stack_->currentIndex())
            list_->setCurrentRow(row);
}

int TOptionsDlgForm::CurrentPage() const {
    return stack_->currentIndex();
}

void TOptionsDlgForm::ShowPage(int index) {
    if (index < 0 || index >= PageCount())
        return;
    stack_->setCurrentIndex(index);
    {
        const QSignalBlocker quiet(list_);
        for (int row = 0; row < list_->count(); ++row)
            if (list_->item(row)->data(Qt::UserRole).toInt() == index)
                list_->setCurrentRow(row);
    }
    emit pageShown(index);
}

void TOptionsDlgForm::NextPage(int step) {
    const int count = list_->count();
    if (count == 0)
        return;
    const int row = (std::max(list_->currentRow(), 0) + step + count) % count;
    list_->setCurrentRow(row);
}

void TOptionsDlgForm::showEvent(QShowEvent* event) {
    RefillList();
    QDialog::showEvent(event);
}

void TOptionsDlgForm::done(int result) {
    if (result == QDialog::Accepted)
        Apply();
    QDialog::done(result);
}

} // namespace kelvo::editors
