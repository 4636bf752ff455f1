#pragma once

// The icon of an event: a picture of the program's icon library by its index, or of any
// picture file; a relative name is taken relative to the program folder.

#include <QDialog>
#include <QPixmap>
#include <QString>
#include <string>

class QLabel;
class QListWidget;

namespace kelvo {

// The file an event's icon name points at.
QString IconFilePath(const std::string& fileName);
// The name an event keeps for path: relative when inside the program folder.
std::string IconFileNameFor(const QString& path);
// Picture index of the file; a null pixmap when there is none.
QPixmap EventIconPicture(const std::string& fileName, int index, int size = 32);

class TIconChoiceForm : public QDialog {
    Q_OBJECT
public:
    explicit TIconChoiceForm(QWidget* parent = nullptr);

    // Starts on file (the icon library when empty) at index; on OK both hold the choice.
    bool Choose(QString& file, int& index);
    void ShowFile(const QString& file, int index);
    QListWidget& Pictures() { return *pictures_; }

private:
    void Browse();

    QString file_;
    QLabel* fileLabel_;
    QListWidget* pictures_;
};

} // namespace kelvo
