#pragma once

// The question before a template that still has events is deleted: the template alone, the
// template with its events, or nothing.

#include <QDialog>

class QRadioButton;

namespace kelvo {

class TDeleteTemplateQuestionForm : public QDialog {
    Q_OBJECT
public:
    enum TAnswer { OnlyTemplate = 0, WithEvents = 1, Cancel = 2 };

    explicit TDeleteTemplateQuestionForm(const QString& templateName, QWidget* parent = nullptr);

    // The checked choice once OK was pressed; Cancel otherwise.
    TAnswer Answer() const;
    QRadioButton& Choice(TAnswer answer) const { return *choices_[answer]; }

    // Asks on the window owner and waits.
    static TAnswer Ask(QWidget& owner, const QString& templateName);

private:
    QRadioButton* choices_[3];
};

} // namespace kelvo
