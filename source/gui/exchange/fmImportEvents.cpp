#include "gui/exchange/fmImportEvents.h"

#include "core/entities/EventTemplate.h"
#include "core/util/paText.h"
#include "gui/boxes/NonBlockingBoxes.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kelvo {

namespace {

QLabel* Bold(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

void AddNames(const TTemplateNode& node, QStringList& names) {
    for (int i = 0; i < node.ChildCount(); ++i) {
        names << QString::fromStdString(DisplayText(node.Child(i).Text()));
        AddNames(node.Child(i), names);
    }
}

QLineEdit* ReadOnly(const QString& text, const QString& accessible, QWidget* parent) {
    auto* box = new QLineEdit(text, parent);
    box->setReadOnly(true);
    box->setAccessibleName(accessible);
    QPalette p = box->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    box->setPalette(p);
    return box;
}

} // namespace

TImportEventsForm::TImportEventsForm(TTemplateTree& templates, QWidget* parent)
    : QDialog(parent), templates_(templates) {
    setWindowTitle(tr("Import events..."));
    setWindowModality(Qt::WindowModal);
    const QString misc =
        QString::fromUtf8(DefaultTemplateName.data(), static_cast<int>(DefaultTemplateName.size()));
    auto* layout = new QVBoxLayout(this);
    QLabel* fileLabel = Bold(tr("&Import events from the file:"), this);
    fileName_ = new QLineEdit(this);
    fileName_->setAccessibleName(tr("Import events from the file"));
    fileLabel->setBuddy(fileName_);
    auto* browse = new QPushButton(tr("&Browse..."), this);
    browse->setAccessibleName(tr("Browse for the file to import"));
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileName_, 1);
    fileRow->addWidget(browse);
    layout->addWidget(fileLabel);
    layout->addLayout(fileRow);

    layout->addWidget(Bold(tr("Import options:"), this));
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    layout->addWidget(rule);

    corresponding_ = new QRadioButton(tr("Try &to import events to corresponding template"), this);
    corresponding_->setChecked(true);
    layout->addWidget(corresponding_);
    auto* grid = new QGridLayout;
    grid->setColumnMinimumWidth(0, 16);
    grid->addWidget(
        new QLabel(tr("If corresponding template is not found, move the event to:"), this), 0, 1, 1,
        2);
    fallback_ = ReadOnly(misc, tr("Template for events without their own"), this);
    changeFallback_ = new QPushButton(tr("&Change..."), this);
    changeFallback_->setAccessibleName(tr("Change the template for events without their own"));
    grid->addWidget(fallback_, 1, 1);
    grid->addWidget(changeFallback_, 1, 2);
    layout->addLayout(grid);

    allInOne_ = new QRadioButton(tr("Import &all events in the following template:"), this);
    layout->addWidget(allInOne_);
    auto* targetRow = new QHBoxLayout;
    targetRow->addSpacing(16);
    target_ = ReadOnly(misc, tr("Template for all imported events"), this);
    changeTarget_ = new QPushButton(tr("&Change..."), this);
    changeTarget_->setAccessibleName(tr("Change the template for all imported events"));
    targetRow->addWidget(target_, 1);
    targetRow->addWidget(changeTarget_);
    layout->addLayout(targetRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Ok)->setAccessibleName(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(tr("Cancel"));
    layout->addWidget(buttons);
    corresponding_->setAccessibleName(corresponding_->text().remove(QLatin1Char('&')));
    allInOne_->setAccessibleName(allInOne_->text().remove(QLatin1Char('&')));

    connect(browse, &QPushButton::clicked, this, [this] {
        if (!ChooseFile)
            return;
        const QString chosen = ChooseFile(QFileInfo(fileName_->text()).absolutePath());
        if (!chosen.isEmpty())
            fileName_->setText(chosen);
    });
    connect(changeFallback_, &QPushButton::clicked, this, [this] { ChooseTemplateFor(fallback_); });
    connect(changeTarget_, &QPushButton::clicked, this, [this] { ChooseTemplateFor(target_); });
    // One handler for both choices, as each greys out the other's controls.
    connect(corresponding_, &QRadioButton::toggled, this, &TImportEventsForm::OptionChanged);
    connect(allInOne_, &QRadioButton::toggled, this, &TImportEventsForm::OptionChanged);
    connect(buttons, &QDialogButtonBox::accepted, this, &TImportEventsForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TImportEventsForm::reject);
    OptionChanged();
    setFixedSize(sizeHint().expandedTo(QSize(420, 0)));
}

QString TImportEventsForm::FileName() const {
    return fileName_->text().trimmed();
}

void TImportEventsForm::SetFileName(const QString& name) {
    fileName_->setText(name);
}

bool TImportEventsForm::AllToOneTemplate() const {
    return allInOne_->isChecked();
}

QString TImportEventsForm::FallbackTemplate() const {
    return fallback_->text();
}

QString TImportEventsForm::TargetTemplate() const {
    return target_->text();
}

void TImportEventsForm::OptionChanged() {
    const bool one = allInOne_->isChecked();
    fallback_->setEnabled(!one);
    changeFallback_->setEnabled(!one);
    target_->setEnabled(one);
    changeTarget_->setEnabled(one);
}

void TImportEventsForm::ChooseTemplateFor(QLineEdit* box) {
    QDialog chooser(this);
    chooser.setWindowTitle(tr("Choose template"));
    auto* layout = new QVBoxLayout(&chooser);
    auto* list = new QListWidget(&chooser);
    list->setAccessibleName(tr("Templates"));
    QStringList names;
    AddNames(templates_.Root(), names);
    list->addItems(names);
    const auto found = list->findItems(box->text(), Qt::MatchExactly);
    if (!found.isEmpty())
        list->setCurrentItem(found.first());
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &chooser);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &chooser, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &chooser, &QDialog::reject);
    connect(list, &QListWidget::itemDoubleClicked, &chooser, &QDialog::accept);
    if (RunAndWait(chooser) == QDialog::Accepted && list->currentItem())
        box->setText(list->currentItem()->text());
}

// The close check: OK needs a file that is there.
void TImportEventsForm::accept() {
    if (FileName().isEmpty() || !QFileInfo(FileName()).isFile()) {
        ShowBox(this, QMessageBox::Warning, windowTitle(),
                tr("Choose a file to import events from."));
        fileName_->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace kelvo
