#include "gui/dialogs/fmAbout.h"

#include "core/util/BuildVersion.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <gst/gst.h>

namespace kelvo {

namespace {

QString ProductName() {
    const QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("Tavrelon MP3") : name;
}

} // namespace

std::vector<TLibraryLicence> UsedLibraries() {
    return {
        {QStringLiteral("Qt"), QString::fromLatin1(qVersion()),
         TAboutForm::tr("GNU Lesser General Public License v3")},
        {QStringLiteral("GStreamer"),
         QString::fromUtf8(gst_version_string()).section(QLatin1Char(' '), 1),
         TAboutForm::tr("GNU Lesser General Public License v2.1 or later")},
        {QStringLiteral("mpg123"), {}, TAboutForm::tr("GNU Lesser General Public License v2.1")},
        {QStringLiteral("ALSA library"),
         {},
         TAboutForm::tr("GNU Lesser General Public License v2.1 or later")},
        {QStringLiteral("libcurl"), {}, TAboutForm::tr("curl license (MIT/X style)")},
        {QStringLiteral("libxcb"), {}, TAboutForm::tr("MIT/X11 license")},
    };
}

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(tr("About %1").arg(ProductName()));

    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);
    auto* product = new QLabel(ProductLine(), this);
    product->setObjectName(QStringLiteral("AboutProduct"));
    QFont bold = product->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    product->setFont(bold);
    auto* made = new QLabel(tr("Made with these libraries:"), this);

    auto* libraries = new QTreeWidget(this);
    libraries->setObjectName(QStringLiteral("AboutLibraries"));
    libraries->setAccessibleName(tr("Libraries and their licences"));
    libraries->setRootIsDecorated(false);
    libraries->setHeaderLabels({tr("Library"), tr("Version"), tr("Licence")});
    for (const TLibraryLicence& l : UsedLibraries())
        new QTreeWidgetItem(libraries, {l.Library, l.Version, l.Licence});
    libraries->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    libraries->setMinimumWidth(480);
    libraries->setFixedHeight(libraries->sizeHintForRow(0) * 7 +
                              libraries->header()->sizeHint().height());
    made->setBuddy(libraries);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Horizontal, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(product);
    texts->addSpacing(8);
    texts->addWidget(made);
    texts->addWidget(libraries);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TAboutForm::ProductLine() const {
    return tr("%1 %2").arg(ProductName(), QString::fromLatin1(BuildVersion()));
}

TAboutForm* TAboutForm::ShowAbout(QWidget* parent) {
    auto* form = new TAboutForm(parent);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->setWindowModality(Qt::WindowModal);
    form->show();
    return form;
}

void TAboutForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

} // namespace kelvo
