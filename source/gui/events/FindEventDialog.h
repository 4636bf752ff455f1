#pragma once

// The find dialog of the event lists: not modal, no direction; the two check boxes are the
// search flags.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kelvo {

class TFindEventDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFindEventDialog(QWidget* parent = nullptr);

    QString Text() const;
    bool MatchCase() const;
    bool WholeWords() const;
    QLineEdit& TextEdit() const { return *text_; }
    QCheckBox& MatchCaseBox() const { return *matchCase_; }
    QCheckBox& WholeWordsBox() const { return *wholeWords_; }
    QPushButton& FindButton() const { return *find_; }

signals:
    void findNext();

private:
    QLineEdit* text_;
    QCheckBox* matchCase_;
    QCheckBox* wholeWords_;
    QPushButton* find_;
};

} // namespace kelvo
