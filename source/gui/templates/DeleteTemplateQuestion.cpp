#include "gui/templates/DeleteTemplateQuestion.h"

#include "gui/boxes/NonBlockingBoxes.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kelvo {

TDeleteTemplateQuestionForm::TDeleteTemplateQuestionForm(const QString& templateName,
                                                         QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("DeleteTemplateQuestionForm"));
    setWindowTitle(tr("Delete template \"%1\"?").arg(templateName));
    auto* picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    picture->setAccessibleName(tr("Question"));
    choices_[OnlyTemplate] = new QRadioButton(tr("Delete only template without events"), this);
    choices_[WithEvents] = new QRadioButton(tr("Delete template and coresponding events"), this);
    choices_[Cancel] = new QRadioButton(tr("Cancel deletion"), this);
    choices_[OnlyTemplate]->setChecked(true);
    auto* options = new QVBoxLayout;
    for (QRadioButton* choice : choices_) {
        choice->setAccessibleName(choice->text());
        options->addWidget(choice);
    }
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(options, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

TDeleteTemplateQuestionForm::TAnswer TDeleteTemplateQuestionForm::Answer() const {
    if (result() != QDialog::Accepted)
        return Cancel;
    for (int i = 0; i < 3; ++i)
        if (choices_[i]->isChecked())
            return static_cast<TAnswer>(i);
    return Cancel;
}

TDeleteTemplateQuestionForm::TAnswer TDeleteTemplateQuestionForm::Ask(QWidget& owner,
                                                                      const QString& templateName) {
    QPointer<TDeleteTemplateQuestionForm> form =
        new TDeleteTemplateQuestionForm(templateName, &owner);
    RunAndWait(*form);
    const TAnswer answer = form ? form->Answer() : Cancel;
    delete form.data();
    return answer;
}

} // namespace kelvo
