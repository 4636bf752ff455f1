#pragma once

// The single-action editor: one page per action kind behind a column of radio buttons, with
// buttons that try the action out for real. It keeps one action of every kind, so switching
// kinds back and forth loses nothing the user typed.

#include "core/actions/EventAction.h"

#include <QString>
#include <QWidget>
#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QStackedWidget;
class QTimer;

namespace kelvo {

class IKnownAddresses;
class TAppIni;
class TPlatformActions;

class EActionFrameError : public EpaError {
public:
    using EpaError::EpaError;
};

// A text field with its earlier values, kept in the settings store.
struct THistoryField {
    QComboBox* Box = nullptr;
    QString Name; // the value's name in the store
};

class TActionFrame : public QWidget {
    Q_OBJECT
public:
    static constexpr int HistoryLimit = 20;

    // historyPath names the editor in the store ("EventForm.ActionFrame"); ini may be none
    // (no histories). platform, when given, lets the volume bar act on a playing sound.
    TActionFrame(TAppIni* ini, const QString& historyPath, TPlatformActions* platform,
                 QWidget* parent = nullptr);
    // Silences a sound tried here: it must not outlive the editor.
    ~TActionFrame() override;

    // Every kind back to its initial values; the beep page shown.
    void Reset();
    // Copies action into the editor's one of its kind and shows that page; a complex action
    // is ignored.
    void LoadAction(const TEventAction& action);
    // The current page stored into its action; owned by the editor (callers copy it).
    TEventAction& CurrentAction();
    int CurrentKind() const { return kind_; }
    void SetEditable(bool enabled);
    // Every non-blank history field's text goes to the top of its list, then all are stored.
    void SaveHistories();
    // Stops the shared player when it plays a sound this editor started; an alarm's own
    // sound plays on.
    void StopOwnSound();
    // Where the address book finds the addresses already used; none offers only the text's.
    void SetKnownAddresses(const IKnownAddresses* known) { known_ = known; }

signals:
    // A test button's action failed; the text is for the user.
    void actionFailed(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* BuildBeepPage();
    QWidget* BuildMediaPage();
    QWidget* BuildCDPage();
    QWidget* BuildLaunchPage();
    QWidget* BuildMailPage();
    QWidget* BuildNetPage();
    QComboBox* HistoryBox(const QString& objectName);
    void LoadHistories();

    void ShowKind(int kind);
    void FillPage(int kind);
    void StorePage(int kind);
    void UpdateEnabling();
    void TryAction(int kind);
    void VolumeMoved(int kind, int position);

    void BrowseMedia();
    void BrowseLaunch();
    void BrowseDirectory();
    void BrowseAttachment();
    void PickAddresses();

    // One sound page's controls (media and CD share their layout).
    struct TSoundControls {
        QCheckBox* Repeat = nullptr;
        QComboBox* RepeatType = nullptr;
        QSpinBox* RepeatNumber = nullptr;
        QCheckBox* VolumeCheck = nullptr;
        QSlider* Volume = nullptr;
        QLabel* VolumeLabel = nullptr;
        QCheckBox* StopIfClose = nullptr;
        QPushButton* Play = nullptr;
        QPushButton* Stop = nullptr;
    };
    QWidget* SoundControls(QWidget* page, const QString& prefix, TSoundControls& c);
    void FillSound(const TAudioEventAction& a, TSoundControls& c);
    void StoreSound(TAudioEventAction& a, const TSoundControls& c);
    void FollowSoundChecks(TSoundControls& c);

    TAppIni* ini_;
    QString historyPath_;
    TPlatformActions* platform_;
    const IKnownAddresses* known_ = nullptr;
    std::array<std::unique_ptr<TEventAction>, ActionKindCount> actions_;
    int kind_ = 0;
    bool editable_ = true;

    std::array<QRadioButton*, 5> radios_{};
    QStackedWidget* pages_ = nullptr;
    QPushButton* testBeep_ = nullptr;
    QComboBox* mediaFile_ = nullptr;
    QCheckBox* mediaShuffle_ = nullptr;
    TSoundControls media_;
    QLabel* cdTrackLabel_ = nullptr;
    QSpinBox* cdTrack_ = nullptr;
    QCheckBox* cdShuffle_ = nullptr;
    TSoundControls cd_;
    QComboBox* launchFile_ = nullptr;
    QLineEdit* launchParams_ = nullptr;
    QComboBox* launchDirectory_ = nullptr;
    QPushButton* launch_ = nullptr;
    QComboBox* mailTo_ = nullptr;
    QComboBox* mailSubject_ = nullptr;
    QPlainTextEdit* mailBody_ = nullptr;
    QComboBox* mailAttach_ = nullptr;
    QPushButton* sendNow_ = nullptr;
    std::vector<THistoryField> histories_;
    // The player has no notices; its state is looked at while the editor is on screen.
    QTimer* playerWatch_ = nullptr;
};

} // namespace kelvo
