#pragma once

// "About": the product, its version from the build, and the libraries it is made with under
// their licences.

#include <QDialog>
#include <QString>
#include <vector>

namespace kelvo {

struct TLibraryLicence {
    QString Library;
    QString Version; // empty when the build does not know it
    QString Licence;
};

// The libraries kelvo-rem links, with their licences.
std::vector<TLibraryLicence> UsedLibraries();

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent);

    // "%s %s": the product and its version.
    QString ProductLine() const;
    // Shows the window and returns at once; it deletes itself when closed.
    static TAboutForm* ShowAbout(QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace kelvo
