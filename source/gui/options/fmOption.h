#pragma once

#include "core/options/MailOptions.h"
#include "core/options/OptionList.h"
#include "gui/options/fmOptionsDlg.h"

#include <QLineEdit>
#include <functional>
#include <map>
#include <vector>

class QLabel;
class QPushButton;

namespace kelvo {

class TFontOption;
class TMailOptionsFrame;
class TCalDavOptionsFrame;
class TProgramSession;

// A box that takes one key: the key pressed becomes its value (a virtual key code), shown
// without modifiers; Shift, Ctrl and Alt alone clear it to 0.
class THotKeyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit THotKeyEdit(QWidget* parent = nullptr);
    int Key() const { return key_; }
    void SetKey(int virtualKey);

    static int VirtualKeyOf(int qtKey);
    static QString KeyText(int virtualKey);

signals:
    void keyChanged(int virtualKey);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int key_ = 0;
};

// The options dialog proper: every page of the program's options and the mail settings,
// edited on copies; OK hands over only what changed.
class TOptionsForm : public TOptionsDlgForm {
    Q_OBJECT
public:
    // The session is the caller's and outlives the dialog.
    explicit TOptionsForm(TProgramSession& session, QWidget* parent);
    ~TOptionsForm() override;

    // The dialog's copies.
    TOptionList& Copy() { return copy_; }
    TMailOptionsFrame& MailFrame() { return *mailFrame_; }
    TCalDavOptionsFrame& CalDavFrame() { return *calDavFrame_; }
    // The "Reset to default" button of a category's page, or none.
    QPushButton* ResetButton(const QString& category) const;
    // Whether global hot keys can be had on this desktop.
    static bool HotKeysAvailable();

    void accept() override;

private:
    QWidget* FontPage();
    QWidget* ColorPage();
    QWidget* BehaviourPage();
    QWidget* MediaPage();
    QWidget* StartupPage();
    QWidget* KeyboardPage();
    QWidget* MailPage();
    QWidget* CalDavPage();
    QWidget* FactorySettings(QWidget* page, const QString& category);

    // Every control of the pages, without the dialogs they open.
    QList<QWidget*> PageControls() const;
    // Connects every control named after an option to that option of the copy.
    void BindControls();
    // Shows the copy's values in the controls of a category (all for an empty one).
    void FillControls(const QString& category = {});
    void UpdateControls();
    void ChangeFont(TFontOption& option);
    void BrowseBeepFile();
    void BrowsePlayer();
    void DetectPlayer();

    TProgramSession& session_;
    TOptionList copy_;
    TMailOptions mail_;
    TMailOptionsFrame* mailFrame_ = nullptr;
    TCalDavOptionsFrame* calDavFrame_ = nullptr;
    std::map<QString, QPushButton*> resets_;
    bool filling_ = false;
};

// Hands the edited copy to the program's options: only the options whose value differs run
// their handlers, and each takes effect at once (actions, hot keys, first day of week; the
// session tells the views). Then the settings are saved.
void ApplyOptions(TProgramSession& session, const TOptionList& edited, const TMailOptions& mail);

// Opens the dialog over the main window, modal to that window only; it deletes itself.
TOptionsForm* ShowOptionsDialog(TProgramSession& session, QWidget* mainWindow);

} // namespace kelvo
