#pragma once

// "Import events...": the file to import and where its events go, either to the template of
// the same name (else to a fallback template) or all to one template.

#include <QDialog>
#include <functional>

class QLineEdit;
class QRadioButton;
class QPushButton;

namespace kelvo {

class TTemplateTree;

class TImportEventsForm : public QDialog {
    Q_OBJECT
public:
    TImportEventsForm(TTemplateTree& templates, QWidget* parent);

    QString FileName() const;
    void SetFileName(const QString& name);
    bool AllToOneTemplate() const;
    QString FallbackTemplate() const;
    QString TargetTemplate() const;

    // Shows the open dialog from the folder given; answers the file or nothing.
    std::function<QString(const QString& folder)> ChooseFile;

    void accept() override;

private:
    void ChooseTemplateFor(QLineEdit* box);
    void OptionChanged();

    TTemplateTree& templates_;
    QLineEdit* fileName_;
    QRadioButton* corresponding_;
    QRadioButton* allInOne_;
    QLineEdit* fallback_;
    QLineEdit* target_;
    QPushButton* changeFallback_;
    QPushButton* changeTarget_;
};

} // namespace kelvo
