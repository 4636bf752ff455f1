#pragma once

// "Tip of the Day": one tip at a time, "&Next Tip" and whether they show at start-up.

#include <QDialog>

class QCheckBox;
class QLabel;

namespace kelvo {

class TpaTips;

class TTipsForm : public QDialog {
    Q_OBJECT
public:
    // tips outlives the window.
    TTipsForm(TpaTips& tips, QWidget* parent);

    QString ShownTip() const;
    void NextTip();

protected:
    void done(int result) override;

private:
    TpaTips& tips_;
    QLabel* text_ = nullptr;
    QCheckBox* atStartup_ = nullptr;
};

} // namespace kelvo
