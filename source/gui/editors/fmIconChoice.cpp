#include "gui/editors/fmIconChoice.h"

#include "core/timers/ProgramFolders.h"
#include "gui/boxes/NonBlockingBoxes.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvo {

namespace {

QString ProgramFolder() {
    return QString::fromStdString(ProgramFolders().ExeFolder());
}

} // namespace

QString IconFilePath(const std::string& fileName) {
    const QString name = QString::fromStdString(fileName);
    if (name.isEmpty() || QFileInfo(name).isAbsolute())
        return name;
    return QDir(ProgramFolder()).absoluteFilePath(name);
}

std::string IconFileNameFor(const QString& path) {
    const QString folder = ProgramFolder();
    if (!folder.isEmpty()) {
        const QString relative = QDir(folder).relativeFilePath(path);
        if (!relative.startsWith(QLatin1String("..")) && QFileInfo(relative).isRelative())
            return relative.toStdString();
    }
    return path.toStdString();
}

QPixmap EventIconPicture(const std::string& fileName, int index, int size) {
    if (fileName.empty() || index < 0)
        return {};
    // The icon library is a multi-picture icon file whatever its name ends in.
    QImageReader reader(IconFilePath(fileName));
    reader.setDecideFormatFromContent(true);
    if (index > 0 && !reader.jumpToImage(index))
        return {};
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    return QPixmap::fromImage(
        image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

TIconChoiceForm::TIconChoiceForm(QWidget* parent)
    : QDialog(parent), fileLabel_(new QLabel(this)), pictures_(new QListWidget(this)) {
    setObjectName(QStringLiteral("IconChoiceForm"));
    setWindowTitle(tr("Change Icon"));
    pictures_->setObjectName(QStringLiteral("IconList"));
    pictures_->setAccessibleName(tr("Icons"));
    pictures_->setViewMode(QListView::IconMode);
    pictures_->setIconSize(QSize(32, 32));
    pictures_->setGridSize(QSize(44, 44));
    pictures_->setMovement(QListView::Static);
    pictures_->setResizeMode(QListView::Adjust);
    fileLabel_->setObjectName(QStringLiteral("IconFileLabel"));
    fileLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* browse = new QPushButton(tr("&Browse..."), this);
    browse->setObjectName(QStringLiteral("IconBrowseButton"));
    browse->setAccessibleName(tr("Browse for an icon file"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse, &QPushButton::clicked, this, &TIconChoiceForm::Browse);
    connect(pictures_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(fileLabel_, 1);
    top->addWidget(browse);
    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(tr("Select an &icon from the list below:"), this);
    caption->setBuddy(pictures_);
    layout->addLayout(top);
    layout->addWidget(caption);
    layout->addWidget(pictures_, 1);
    layout->addWidget(buttons);
    resize(420, 300);
}

void TIconChoiceForm::ShowFile(const QString& file, int index) {
    file_ = file;
    fileLabel_->setText(QDir::toNativeSeparators(file));
    pictures_->clear();
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    const int count = std::max(reader.imageCount(), 1);
    for (int i = 0; i < count; ++i) {
        const QPixmap picture = EventIconPicture(file.toStdString(), i);
        if (picture.isNull())
            break;
        auto* item = new QListWidgetItem(QIcon(picture), QString(), pictures_);
        item->setToolTip(QString::number(i));
        item->setData(Qt::AccessibleTextRole, tr("Icon %1").arg(i));
    }
    pictures_->setCurrentRow(std::clamp(index, 0, std::max(pictures_->count() - 1, 0)));
}

void TIconChoiceForm::Browse() {
    QFileDialog dialog(this, tr("Change Icon"), QFileInfo(file_).absolutePath(),
                       tr("Icon files (*.ico *.dll *.png *.svg *.bmp *.xpm);;Any file (*)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (RunAndWait(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        ShowFile(dialog.selectedFiles().front(), 0);
}

bool TIconChoiceForm::Choose(QString& file, int& index) {
    ShowFile(file.isEmpty() ? QString::fromStdString(ProgramFolders().IconsLibrary()) : file,
             index);
    setWindowModality(Qt::WindowModal);
    if (exec() != QDialog::Accepted || pictures_->currentRow() < 0)
        return false;
    file = file_;
    index = pictures_->currentRow();
    return true;
}

} // namespace kelvo
