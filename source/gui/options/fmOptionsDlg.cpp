#include "gui/options/fmOptionsDlg.h"

#include "core/options/paConfigUtils.h"
#include "gui/help/Help.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace kelvo {

namespace {

// The pages' pictures: the desktop theme's where a page names one and the theme has it, the
// style's otherwise, so that no image file is needed.
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
        {"FONT", nullptr, QStyle::SP_FileDialogContentsView},
        {"COLOR", nullptr, QStyle::SP_DesktopIcon},
        {"BEHAVIOUR", nullptr, QStyle::SP_DialogApplyButton},
        {"MEDIA", nullptr, QStyle::SP_MediaVolume},
        {"STARTUP", nullptr, QStyle::SP_MediaPlay},
        {"KEYBOARD", nullptr, QStyle::SP_ComputerIcon},
        {"MAIL", nullptr, QStyle::SP_DriveNetIcon},
    };
    QStyle::StandardPixmap fallback = QStyle::SP_FileDialogDetailedView;
    for (const TPicture& p : pictures) {
        if (name != QLatin1String(p.Name))
            continue;
        if (p.Theme)
            return QIcon::fromTheme(QLatin1String(p.Theme), style.standardIcon(p.Fallback));
        fallback = p.Fallback;
    }
    // One size for all, whatever sizes the style has.
    return QIcon(style.standardIcon(fallback).pixmap(32, 32).scaled(32, 32, Qt::KeepAspectRatio,
                                                                    Qt::SmoothTransformation));
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
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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

TOptionsDlgForm::TOptionsDlgForm(TAppIni& ini, const QString& storeName, QWidget* parent)
    : TOptionsDlgForm(parent) {
    ini_ = &ini;
    storeName_ = storeName;
}

TOptionsDlgForm::~TOptionsDlgForm() {
    if (ini_)
        SaveActivePage(*ini_, "View", storeName_.toStdString(), ActivePage());
}

int TOptionsDlgForm::AddPage(QWidget* page, const QString& caption) {
    const qsizetype colon = caption.indexOf(QLatin1Char(':'));
    const QString name = colon < 0 ? caption : caption.left(colon);
    pages_.push_back({page, name, colon < 0 ? QString() : caption.mid(colon + 1)});
    stack_->addWidget(page);
    page->setAccessibleName(name);
    RefillList();
    return PageCount() - 1;
}

void TOptionsDlgForm::RefillList() {
    const QSignalBlocker quiet(list_);
    list_->clear();
    int widest = 0;
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
    // Whole names: the entries are as wide as the widest name needs.
    const QSize cell(std::max(widest + 16, 72), list_->fontMetrics().height() + 40);
    for (int row = 0; row < list_->count(); ++row)
        list_->item(row)->setSizeHint(cell);
    // The entry is the picture over its text; the grid's gap between entries shows which text
    // belongs to which picture. Every entry is in view without scrolling.
    const QSize grid = cell + QSize(0, 8);
    list_->setGridSize(grid);
    list_->setSpacing(0);
    list_->setFixedWidth(cell.width() + 2 * list_->frameWidth() + 4);
    list_->setMinimumHeight(list_->count() * grid.height() + 2 * list_->frameWidth() + 4);
    SelectEntry(stack_->currentIndex());
}

void TOptionsDlgForm::SelectEntry(int index) {
    const QSignalBlocker quiet(list_);
    for (int row = 0; row < list_->count(); ++row)
        if (list_->item(row)->data(Qt::UserRole).toInt() == index)
            list_->setCurrentRow(row);
}

void TOptionsDlgForm::RestoreActivePage() {
    if (ini_)
        SetActivePage(LoadActivePage(*ini_, "View", storeName_.toStdString(), 0, PageCount()));
}

int TOptionsDlgForm::ActivePage() const {
    return stack_->currentIndex();
}

void TOptionsDlgForm::SetActivePage(int index) {
    if (index < 0 || index >= PageCount())
        return;
    stack_->setCurrentIndex(index);
    SelectEntry(index);
    emit pageShown(index);
}

void TOptionsDlgForm::NextPage(int step) {
    const int count = list_->count();
    if (count == 0)
        return;
    list_->setCurrentRow((std::max(list_->currentRow(), 0) + step + count) % count);
}

QPushButton* TOptionsDlgForm::AddHelpButton() {
    return THelp::AddButton(*buttons_, [this] { return stack_->currentWidget(); });
}

QWidget* TOptionsDlgForm::Page(int index) const {
    return stack_->widget(index);
}

void TOptionsDlgForm::showEvent(QShowEvent* event) {
    RefillList();
    QDialog::showEvent(event);
}

} // namespace kelvo
