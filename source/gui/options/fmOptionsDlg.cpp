#include "gui/options/fmOptionsDlg.h"

#include "core/options/paConfigUtils.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>

namespace kelvo {

namespace {

// The pages' pictures, drawn from the style so that no image file is needed.
QIcon PagePicture(const QString& name, const QStyle* style) {
    QStyle::StandardPixmap pixmap = QStyle::SP_FileDialogDetailedView;
    if (name == QLatin1String("FONT"))
        pixmap = QStyle::SP_FileDialogContentsView;
    else if (name == QLatin1String("COLOR"))
        pixmap = QStyle::SP_DesktopIcon;
    else if (name == QLatin1String("BEHAVIOUR"))
        pixmap = QStyle::SP_DialogApplyButton;
    else if (name == QLatin1String("MEDIA"))
        pixmap = QStyle::SP_MediaVolume;
    else if (name == QLatin1String("STARTUP"))
        pixmap = QStyle::SP_MediaPlay;
    else if (name == QLatin1String("KEYBOARD"))
        pixmap = QStyle::SP_ComputerIcon;
    else if (name == QLatin1String("MAIL"))
        pixmap = QStyle::SP_DriveNetIcon;
    // One size for all, whatever sizes the style has.
    return QIcon(style->standardIcon(pixmap).pixmap(32, 32).scaled(32, 32, Qt::KeepAspectRatio,
                                                                   Qt::SmoothTransformation));
}

} // namespace

TOptionsDlgForm::TOptionsDlgForm(TAppIni& ini, const QString& storeName, QWidget* parent)
    : QDialog(parent), ini_(ini), storeName_(storeName) {
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("PageList"));
    list_->setAccessibleName(tr("Pages"));
    list_->setViewMode(QListView::IconMode);
    list_->setFlow(QListView::TopToBottom);
    list_->setWrapping(false);
    list_->setMovement(QListView::Static);
    list_->setIconSize(QSize(32, 32));
    list_->setGridSize(QSize(100, fontMetrics().height() + 44));
    list_->setWordWrap(true);
    list_->setFixedWidth(100 + 2 * list_->frameWidth());
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pages_ = new QStackedWidget(this);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons_->button(QDialogButtonBox::Ok)->setAccessibleName(tr("OK"));
    buttons_->button(QDialogButtonBox::Cancel)->setAccessibleName(tr("Cancel"));
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::currentRowChanged, pages_, &QStackedWidget::setCurrentIndex);

    auto* top = new QHBoxLayout;
    top->addWidget(list_);
    top->addWidget(pages_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(buttons_);

    const auto step = [this](int by) {
        const int count = PageCount();
        if (count > 0)
            SetActivePage((ActivePage() + by + count) % count);
    };
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), this);
    connect(next, &QShortcut::activated, this, [step] { step(1); });
    auto* previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), this);
    connect(previous, &QShortcut::activated, this, [step] { step(-1); });
}

TOptionsDlgForm::~TOptionsDlgForm() {
    SaveActivePage(ini_, "View", storeName_.toStdString(), ActivePage());
}

void TOptionsDlgForm::AddPage(QWidget* page, const QString& caption) {
    const qsizetype colon = caption.indexOf(QLatin1Char(':'));
    const QString name = colon < 0 ? caption : caption.left(colon);
    const QString picture = colon < 0 ? caption : caption.mid(colon + 1);
    pages_->addWidget(page);
    auto* item = new QListWidgetItem(PagePicture(picture, style()), name, list_);
    item->setTextAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    page->setAccessibleName(name);
}

void TOptionsDlgForm::RestoreActivePage() {
    SetActivePage(LoadActivePage(ini_, "View", storeName_.toStdString(), 0, PageCount()));
}

int TOptionsDlgForm::PageCount() const {
    return pages_->count();
}

int TOptionsDlgForm::ActivePage() const {
    return pages_->currentIndex();
}

void TOptionsDlgForm::SetActivePage(int index) {
    list_->setCurrentRow(index);
    pages_->setCurrentIndex(index);
}

QWidget* TOptionsDlgForm::Page(int index) const {
    return pages_->widget(index);
}

} // namespace kelvo
