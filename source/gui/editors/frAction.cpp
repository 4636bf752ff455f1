#include "gui/editors/frAction.h"

#include "core/actions/AlarmSwitches.h"
#include "core/audio/ReminderAudioPlayer.h"
#include "core/mail/SendMail.h"
#include "core/options/paAppIni.h"
#include "core/timers/ProgramFolders.h"
#include "gui/alarm/fmAlarmMessage.h"
#include "gui/boxes/NonBlockingBoxes.h"
#include "gui/mail/fmAddressBook.h"
#include "platform/actions/PlatformActions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace kelvo {

namespace {

enum { kBeep, kMedia, kCD, kLaunch, kMail, kNet };

constexpr int kMaxTrack = 30;
constexpr int kMaxTimes = 9999;
// Minutes beyond this cannot be counted in milliseconds by the repeat timer.
constexpr int kMaxMinutes = 35791;

std::string Core(const QString& text) {
    return text.toStdString();
}

// The stored text when the field still shows it: a text from a file in another encoding or
// with other line ends is written back as it was unless the user changed it.
std::string Kept(const std::string& stored, const QString& shown) {
    return TextFromCore(stored) == shown ? stored : Core(shown);
}

IActionPlayer* Player() {
    return ActionContext().Player;
}

bool IsPlaylist(const QString& name) {
    return name.endsWith(QLatin1String(".m3u"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String(".pls"), Qt::CaseInsensitive);
}

// Shows value as it is even when it lies outside the usual bounds, so that a value read from a
// file survives until the user changes it.
void SetBounded(QSpinBox& box, int low, int high, int value) {
    box.setRange(std::min(low, value), std::max(high, value));
    box.setValue(value);
}

QLabel* Buddy(const QString& text, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    return label;
}

QString FolderOf(const QString& text) {
    if (text.trimmed().isEmpty())
        return {};
    const QFileInfo info(text);
    return info.isDir() ? info.absoluteFilePath() : info.absolutePath();
}

QString RunFileDialog(QWidget* parent, const QString& title, const QString& folder,
                      const QString& filter) {
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (RunAndWait(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

// The address book's known addresses when nobody offers any.
class TNoAddresses : public IKnownAddresses {
public:
    std::vector<std::string> RecipientTexts() const override { return {}; }
};

} // namespace

TActionFrame::TActionFrame(TAppIni* ini, const QString& historyPath, TPlatformActions* platform,
                           QWidget* parent)
    : QWidget(parent), ini_(ini), historyPath_(historyPath), platform_(platform) {
    setObjectName(QStringLiteral("ActionFrame"));
    for (int kind = 0; kind < ActionKindCount; ++kind)
        actions_[static_cast<std::size_t>(kind)] = CreateActionOfKind(kind);

    const QString radioTexts[] = {tr("B&eep"), tr("Play &file"), tr("Play &CD"), tr("&Open"),
                                  tr("&Send mail")};
    const char* radioNames[] = {"BeepRadio", "PlayMediaRadio", "PlayCDRadio", "LaunchRadio",
                                "SendMailRadio"};
    auto* column = new QVBoxLayout;
    for (int i = 0; i < 5; ++i) {
        auto* radio = new QRadioButton(radioTexts[i], this);
        radio->setObjectName(QLatin1String(radioNames[i]));
        radio->setAccessibleName(QString(radioTexts[i]).remove(QLatin1Char('&')));
        // The send-net page has no button: no button may stay checked while it shows.
        radio->setAutoExclusive(false);
        connect(radio, &QRadioButton::clicked, this, [this, i] { ShowKind(i); });
        radios_[static_cast<std::size_t>(i)] = radio;
        column->addWidget(radio);
    }
    column->addStretch();

    pages_ = new QStackedWidget(this);
    pages_->setObjectName(QStringLiteral("ActionPages"));
    pages_->addWidget(BuildBeepPage());
    pages_->addWidget(BuildMediaPage());
    pages_->addWidget(BuildCDPage());
    pages_->addWidget(BuildLaunchPage());
    pages_->addWidget(BuildMailPage());
    pages_->addWidget(BuildNetPage());

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(column);
    layout->addWidget(pages_, 1);

    playerWatch_ = new QTimer(this);
    playerWatch_->setInterval(250);
    connect(playerWatch_, &QTimer::timeout, this, &TActionFrame::UpdateEnabling);

    LoadHistories();
    Reset();
}

TActionFrame::~TActionFrame() {
    StopOwnSound();
}

void TActionFrame::StopOwnSound() {
    IActionPlayer* player = Player();
    if (!player || !player->IsPlaying())
        return;
    for (const auto& action : actions_)
        if (auto* own = dynamic_cast<IAudioClient*>(action.get());
            own && player->CurrentAction() == own)
            player->StopAudio();
}

// ---- pages --------------------------------------------------------------------------------

QWidget* TActionFrame::BuildBeepPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("BeepPage"));
    auto* text = new QLabel(tr("Playing PS speaker melody or media file. \r\nIt can be customized "
                               "in the Media page of the Options dialog."),
                            page);
    text->setWordWrap(true);
    testBeep_ = new QPushButton(tr("&Test beep"), page);
    testBeep_->setObjectName(QStringLiteral("TestBeepButton"));
    testBeep_->setAccessibleName(tr("Test beep"));
    connect(testBeep_, &QPushButton::clicked, this, [this] { TryAction(kBeep); });
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(text);
    auto* row = new QHBoxLayout;
    row->addWidget(testBeep_);
    row->addStretch();
    layout->addLayout(row);
    layout->addStretch();
    return page;
}

QComboBox* TActionFrame::HistoryBox(const QString& objectName) {
    auto* box = new QComboBox;
    box->setObjectName(objectName);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxCount(HistoryLimit);
    box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    histories_.push_back(
        {box, historyPath_ + QLatin1Char('.') + objectName + QStringLiteral(".Items")});
    return box;
}

QWidget* TActionFrame::SoundControls(QWidget* page, const QString& prefix, TSoundControls& c) {
    auto* box = new QWidget(page);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);

    c.Repeat = new QCheckBox(tr("Repeat"), box);
    c.Repeat->setObjectName(prefix + QStringLiteral("RepeatCheck"));
    c.Repeat->setAccessibleName(tr("Repeat"));
    c.RepeatNumber = new QSpinBox(box);
    c.RepeatNumber->setObjectName(prefix + QStringLiteral("RepeatNumber"));
    c.RepeatNumber->setAccessibleName(tr("Repeat count"));
    c.RepeatNumber->setRange(1, kMaxTimes);
    c.RepeatType = new QComboBox(box);
    c.RepeatType->setObjectName(prefix + QStringLiteral("RepeatTypeCombo"));
    c.RepeatType->setAccessibleName(tr("Repeat unit"));
    c.RepeatType->addItems({tr("times"), tr("minutes")});
    auto* repeatRow = new QHBoxLayout;
    repeatRow->addWidget(c.Repeat);
    repeatRow->addWidget(c.RepeatNumber);
    repeatRow->addWidget(c.RepeatType);
    repeatRow->addStretch();
    grid->addLayout(repeatRow, 0, 0, 1, 3);

    c.VolumeCheck = new QCheckBox(tr("Use custom volume settings:"), box);
    c.VolumeCheck->setObjectName(prefix + QStringLiteral("VolumeCheck"));
    c.VolumeCheck->setAccessibleName(tr("Use custom volume settings"));
    c.Volume = new QSlider(Qt::Horizontal, box);
    c.Volume->setObjectName(prefix + QStringLiteral("VolumeTrack"));
    c.Volume->setAccessibleName(tr("Volume"));
    c.Volume->setRange(0, 100);
    c.Volume->setTickInterval(10);
    c.Volume->setTickPosition(QSlider::TicksBelow);
    c.Volume->setPageStep(10);
    c.VolumeLabel = new QLabel(QStringLiteral("100%"), box);
    c.VolumeLabel->setObjectName(prefix + QStringLiteral("VolumeLabel"));
    c.VolumeLabel->setMinimumWidth(c.VolumeLabel->fontMetrics().horizontalAdvance("100%") + 4);
    grid->addWidget(c.VolumeCheck, 1, 0, 1, 3);
    grid->addWidget(c.Volume, 2, 0, 1, 2);
    grid->addWidget(c.VolumeLabel, 2, 2);

    c.StopIfClose = new QCheckBox(tr("Stop playback on alarm window clo&se"), box);
    c.StopIfClose->setObjectName(prefix + QStringLiteral("StopIfCloseCheck"));
    c.StopIfClose->setAccessibleName(tr("Stop playback on alarm window close"));
    grid->addWidget(c.StopIfClose, 3, 0, 1, 3);

    c.Play = new QPushButton(tr("&Play"), box);
    c.Play->setObjectName(prefix + QStringLiteral("PlayButton"));
    c.Play->setAccessibleName(tr("Play"));
    c.Play->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    c.Stop = new QPushButton(tr("&Stop"), box);
    c.Stop->setObjectName(prefix + QStringLiteral("StopButton"));
    c.Stop->setAccessibleName(tr("Stop"));
    c.Stop->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(c.Play);
    buttons->addWidget(c.Stop);
    buttons->addStretch();
    grid->addLayout(buttons, 4, 0, 1, 3);

    TSoundControls* controls = &c;
    connect(c.Repeat, &QCheckBox::toggled, this,
            [this, controls] { FollowSoundChecks(*controls); });
    connect(c.VolumeCheck, &QCheckBox::toggled, this,
            [this, controls] { FollowSoundChecks(*controls); });
    const int kind = prefix == QLatin1String("Media") ? kMedia : kCD;
    connect(c.Volume, &QSlider::valueChanged, this,
            [this, kind](int position) { VolumeMoved(kind, position); });
    connect(c.Play, &QPushButton::clicked, this, [this, kind] { TryAction(kind); });
    connect(c.Stop, &QPushButton::clicked, this, [this] {
        if (IActionPlayer* player = Player())
            player->StopAudio();
        UpdateEnabling();
    });
    return box;
}

QWidget* TActionFrame::BuildMediaPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PlayMediaPage"));
    mediaFile_ = HistoryBox(QStringLiteral("PlayMediaFileNameEdit"));
    mediaFile_->setParent(page);
    mediaFile_->setAccessibleName(tr("Multimedia file"));
    auto* browse = new QPushButton(tr("&Browse..."), page);
    browse->setObjectName(QStringLiteral("PlayMediaBrowseButton"));
    browse->setAccessibleName(tr("Browse for a multimedia file"));
    mediaShuffle_ = new QCheckBox(tr("Sh&uffle play list"), page);
    mediaShuffle_->setObjectName(QStringLiteral("MediaShuffleCheck"));
    mediaShuffle_->setAccessibleName(tr("Shuffle play list"));

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Buddy(tr("Play &multimedia file located at"), mediaFile_, page));
    auto* row = new QHBoxLayout;
    row->addWidget(mediaFile_, 1);
    row->addWidget(browse);
    layout->addLayout(row);
    layout->addWidget(mediaShuffle_);
    layout->addWidget(SoundControls(page, QStringLiteral("Media"), media_));
    layout->addStretch();

    connect(browse, &QPushButton::clicked, this, &TActionFrame::BrowseMedia);
    connect(mediaFile_, &QComboBox::editTextChanged, this, &TActionFrame::UpdateEnabling);
    return page;
}

QWidget* TActionFrame::BuildCDPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PlayCDPage"));
    cdTrack_ = new QSpinBox(page);
    cdTrack_->setObjectName(QStringLiteral("CDTrackNumber"));
    cdTrack_->setAccessibleName(tr("CD track"));
    cdTrack_->setRange(1, kMaxTrack);
    cdTrackLabel_ = Buddy(tr("Start from CD &track:"), cdTrack_, page);
    cdShuffle_ = new QCheckBox(tr("Random CD track"), page);
    cdShuffle_->setObjectName(QStringLiteral("CDShuffleCheck"));
    cdShuffle_->setAccessibleName(tr("Random CD track"));

    auto* layout = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    row->addWidget(cdTrackLabel_);
    row->addWidget(cdTrack_);
    row->addStretch();
    layout->addLayout(row);
    layout->addWidget(cdShuffle_);
    layout->addWidget(SoundControls(page, QStringLiteral("CD"), cd_));
    layout->addStretch();
    connect(cdShuffle_, &QCheckBox::toggled, this, &TActionFrame::UpdateEnabling);
    return page;
}

QWidget* TActionFrame::BuildLaunchPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("LaunchPage"));
    launchFile_ = HistoryBox(QStringLiteral("LaunchFilenameEdit"));
    launchFile_->setParent(page);
    launchFile_->setAccessibleName(tr("Program or document"));
    auto* browse = new QPushButton(tr("&Browse..."), page);
    browse->setObjectName(QStringLiteral("LaunchBrowseButton"));
    browse->setAccessibleName(tr("Browse for a program or document"));
    launchParams_ = new QLineEdit(page);
    launchParams_->setObjectName(QStringLiteral("LaunchParamsEdit"));
    launchParams_->setAccessibleName(tr("Arguments"));
    launchDirectory_ = HistoryBox(QStringLiteral("LaunchDirectoryEdit"));
    launchDirectory_->setParent(page);
    launchDirectory_->setAccessibleName(tr("Startup directory"));
    auto* browseDirectory = new QPushButton(tr("Browse..."), page);
    browseDirectory->setObjectName(QStringLiteral("LaunchDirectoryBrowseButton"));
    browseDirectory->setAccessibleName(tr("Browse for the startup directory"));
    launch_ = new QPushButton(tr("&Launch"), page);
    launch_->setObjectName(QStringLiteral("LaunchButton"));
    launch_->setAccessibleName(tr("Launch"));

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Buddy(tr("&Program or document (specify \"http://\" prefix for Web pages):"),
                            launchFile_, page));
    auto* row = new QHBoxLayout;
    row->addWidget(launchFile_, 1);
    row->addWidget(browse);
    layout->addLayout(row);
    layout->addWidget(Buddy(tr("&Arguments:"), launchParams_, page));
    layout->addWidget(launchParams_);
    layout->addWidget(Buddy(tr("Startup &directory:"), launchDirectory_, page));
    auto* row2 = new QHBoxLayout;
    row2->addWidget(launchDirectory_, 1);
    row2->addWidget(browseDirectory);
    layout->addLayout(row2);
    auto* row3 = new QHBoxLayout;
    row3->addWidget(launch_);
    row3->addStretch();
    layout->addLayout(row3);
    layout->addStretch();

    connect(browse, &QPushButton::clicked, this, &TActionFrame::BrowseLaunch);
    connect(browseDirectory, &QPushButton::clicked, this, &TActionFrame::BrowseDirectory);
    connect(launch_, &QPushButton::clicked, this, [this] { TryAction(kLaunch); });
    connect(launchFile_, &QComboBox::editTextChanged, this, &TActionFrame::UpdateEnabling);
    return page;
}

QWidget* TActionFrame::BuildMailPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("SendMailPage"));
    mailTo_ = HistoryBox(QStringLiteral("SendMailToEdit"));
    mailTo_->setParent(page);
    mailTo_->setAccessibleName(tr("To"));
    auto* book = new QPushButton(QStringLiteral("..."), page);
    book->setObjectName(QStringLiteral("SendMailAddressBookButton"));
    book->setAccessibleName(tr("Address book"));
    mailSubject_ = HistoryBox(QStringLiteral("SendMailSubjectEdit"));
    mailSubject_->setParent(page);
    mailSubject_->setAccessibleName(tr("Subject"));
    mailBody_ = new QPlainTextEdit(page);
    mailBody_->setObjectName(QStringLiteral("SendMailBodyMemo"));
    mailBody_->setAccessibleName(tr("Message text"));
    mailBody_->setTabChangesFocus(true);
    mailAttach_ = HistoryBox(QStringLiteral("SendMailAttachEdit"));
    mailAttach_->setParent(page);
    mailAttach_->setAccessibleName(tr("Attach"));
    auto* attach = new QPushButton(QStringLiteral("..."), page);
    attach->setObjectName(QStringLiteral("SendMailAttachButton"));
    attach->setAccessibleName(tr("Browse for an attachment"));
    sendNow_ = new QPushButton(tr("Send &now"), page);
    sendNow_->setObjectName(QStringLiteral("SendNowButton"));
    sendNow_->setAccessibleName(tr("Send now"));

    auto* grid = new QGridLayout(page);
    grid->addWidget(Buddy(tr("&To:"), mailTo_, page), 0, 0);
    grid->addWidget(mailTo_, 0, 1);
    grid->addWidget(book, 0, 2);
    grid->addWidget(Buddy(tr("Sub&ject:"), mailSubject_, page), 1, 0);
    grid->addWidget(mailSubject_, 1, 1, 1, 2);
    grid->addWidget(mailBody_, 2, 0, 1, 3);
    grid->addWidget(Buddy(tr("Atta&ch:"), mailAttach_, page), 3, 0);
    grid->addWidget(mailAttach_, 3, 1);
    grid->addWidget(attach, 3, 2);
    auto* row = new QHBoxLayout;
    row->addWidget(sendNow_);
    row->addStretch();
    grid->addLayout(row, 4, 0, 1, 3);
    grid->setRowStretch(2, 1);

    connect(book, &QPushButton::clicked, this, &TActionFrame::PickAddresses);
    connect(attach, &QPushButton::clicked, this, &TActionFrame::BrowseAttachment);
    connect(sendNow_, &QPushButton::clicked, this, [this] { TryAction(kMail); });
    connect(mailTo_, &QComboBox::editTextChanged, this, &TActionFrame::UpdateEnabling);
    connect(mailSubject_, &QComboBox::editTextChanged, this, &TActionFrame::UpdateEnabling);
    connect(mailBody_, &QPlainTextEdit::textChanged, this, &TActionFrame::UpdateEnabling);
    return page;
}

QWidget* TActionFrame::BuildNetPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("SendNetPage"));
    auto* message = new QPlainTextEdit(page);
    message->setObjectName(QStringLiteral("SendNetMessageMemo"));
    message->setAccessibleName(tr("Send the following message"));
    auto* computer = new QLineEdit(page);
    computer->setObjectName(QStringLiteral("SendNetComputerEdit"));
    computer->setAccessibleName(tr("on the computer"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Buddy(tr("Send the following message:"), message, page));
    layout->addWidget(message, 1);
    layout->addWidget(Buddy(tr("on the computer:"), computer, page));
    layout->addWidget(computer);
    return page;
}

// ---- histories ----------------------------------------------------------------------------

void TActionFrame::LoadHistories() {
    if (!ini_)
        return;
    for (THistoryField& field : histories_) {
        const QString stored =
            QString::fromStdString(ini_->ReadString("View", Core(field.Name), std::string()));
        QStringList items = stored.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        while (items.size() > HistoryLimit)
            items.removeLast();
        field.Box->addItems(items);
    }
}

void TActionFrame::SaveHistories() {
    for (THistoryField& field : histories_) {
        QComboBox& box = *field.Box;
        const QString text = box.currentText();
        if (!text.trimmed().isEmpty()) {
            QStringList items;
            items << text;
            for (int i = 0; i < box.count(); ++i)
                if (box.itemText(i) != text)
                    items << box.itemText(i);
            while (items.size() > HistoryLimit)
                items.removeLast();
            const QSignalBlocker quiet(box);
            box.clear();
            box.addItems(items);
            box.setCurrentIndex(0);
            box.setEditText(text);
        }
        if (ini_) {
            QStringList items;
            for (int i = 0; i < box.count(); ++i)
                items << box.itemText(i);
            ini_->WriteString("View", Core(field.Name), Core(items.join(QLatin1Char('\n'))));
        }
    }
}

// ---- loading and storing ------------------------------------------------------------------

void TActionFrame::Reset() {
    for (auto& action : actions_)
        action->SetDefaults();
    for (int kind = 0; kind < ActionKindCount; ++kind)
        FillPage(kind);
    ShowKind(kBeep);
}

void TActionFrame::LoadAction(const TEventAction& action) {
    const int kind = ActionKindIndex(action);
    if (kind < 0)
        return;
    TEventAction& own = *actions_[static_cast<std::size_t>(kind)];
    own.SetDefaults();
    own.Assign(action);
    FillPage(kind);
    ShowKind(kind);
}

TEventAction& TActionFrame::CurrentAction() {
    StorePage(kind_);
    return *actions_[static_cast<std::size_t>(kind_)];
}

void TActionFrame::ShowKind(int kind) {
    kind_ = kind;
    pages_->setCurrentIndex(kind);
    for (int i = 0; i < 5; ++i)
        radios_[static_cast<std::size_t>(i)]->setChecked(i == kind);
    UpdateEnabling();
}

void TActionFrame::FillSound(const TAudioEventAction& a, TSoundControls& c) {
    const bool custom = a.Volume() != -1;
    c.VolumeCheck->setChecked(custom);
    {
        const QSignalBlocker quiet(c.Volume);
        c.Volume->setValue(custom ? std::clamp(a.Volume(), 0, 100) : 100);
    }
    c.VolumeLabel->setText(QString::number(c.Volume->value()) + QLatin1Char('%'));
    c.Repeat->setChecked(a.RepeatType() != rtNone);
    if (a.RepeatType() == rtMinutes) {
        c.RepeatType->setCurrentIndex(1);
        SetBounded(*c.RepeatNumber, 1, kMaxMinutes, a.Minutes());
    } else {
        c.RepeatType->setCurrentIndex(0);
        SetBounded(*c.RepeatNumber, 1, kMaxTimes, a.Times());
    }
    c.StopIfClose->setChecked(a.StopIfEventClose());
    FollowSoundChecks(c);
}

void TActionFrame::StoreSound(TAudioEventAction& a, const TSoundControls& c) {
    a.SetVolume(c.VolumeCheck->isChecked() ? c.Volume->value() : -1);
    if (!c.Repeat->isChecked()) {
        a.SetRepeatType(rtNone);
    } else if (c.RepeatType->currentIndex() == 1) {
        a.SetRepeatType(rtMinutes);
        a.SetMinutes(c.RepeatNumber->value());
    } else {
        a.SetRepeatType(rtTimes);
        a.SetTimes(c.RepeatNumber->value());
    }
    a.SetStopIfEventClose(c.StopIfClose->isChecked());
}

void TActionFrame::FillPage(int kind) {
    TEventAction& action = *actions_[static_cast<std::size_t>(kind)];
    switch (kind) {
    case kMedia: {
        auto& a = static_cast<TPlayMediaEventAction&>(action);
        mediaFile_->setEditText(TextFromCore(a.FileName()));
        mediaShuffle_->setChecked(a.Shuffle());
        FillSound(a, media_);
        break;
    }
    case kCD: {
        auto& a = static_cast<TPlayCDEventAction&>(action);
        SetBounded(*cdTrack_, 1, kMaxTrack, a.Track());
        cdShuffle_->setChecked(a.Shuffle());
        FillSound(a, cd_);
        break;
    }
    case kLaunch: {
        auto& a = static_cast<TLaunchAppEventAction&>(action);
        launchFile_->setEditText(TextFromCore(a.FileName()));
        launchParams_->setText(TextFromCore(a.Params()));
        launchDirectory_->setEditText(TextFromCore(a.Directory()));
        break;
    }
    case kMail: {
        auto& a = static_cast<TSendMailAction&>(action);
        mailTo_->setEditText(TextFromCore(a.SendTo()));
        mailSubject_->setEditText(TextFromCore(a.Subject()));
        mailBody_->setPlainText(TextFromCore(a.Body()));
        mailAttach_->setEditText(TextFromCore(a.FileName()));
        break;
    }
    default:
        break;
    }
    UpdateEnabling();
}

void TActionFrame::StorePage(int kind) {
    TEventAction& action = *actions_[static_cast<std::size_t>(kind)];
    switch (kind) {
    case kMedia: {
        auto& a = static_cast<TPlayMediaEventAction&>(action);
        a.SetFileName(Kept(a.FileName(), mediaFile_->currentText()));
        a.SetShuffle(mediaShuffle_->isChecked());
        StoreSound(a, media_);
        break;
    }
    case kCD: {
        auto& a = static_cast<TPlayCDEventAction&>(action);
        a.SetTrack(cdTrack_->value());
        a.SetShuffle(cdShuffle_->isChecked());
        StoreSound(a, cd_);
        break;
    }
    case kLaunch: {
        auto& a = static_cast<TLaunchAppEventAction&>(action);
        a.SetFileName(Kept(a.FileName(), launchFile_->currentText()));
        a.SetParams(Kept(a.Params(), launchParams_->text()));
        a.SetDirectory(Kept(a.Directory(), launchDirectory_->currentText()));
        break;
    }
    case kMail: {
        auto& a = static_cast<TSendMailAction&>(action);
        a.SetSendTo(Kept(a.SendTo(), mailTo_->currentText()));
        a.SetSubject(Kept(a.Subject(), mailSubject_->currentText()));
        a.SetBody(Kept(a.Body(), mailBody_->toPlainText()));
        a.SetFileName(Kept(a.FileName(), mailAttach_->currentText()));
        break;
    }
    default:
        break;
    }
}

// ---- enabling -----------------------------------------------------------------------------

void TActionFrame::FollowSoundChecks(TSoundControls& c) {
    const bool on = editable_;
    c.Volume->setEnabled(on && c.VolumeCheck->isChecked());
    c.VolumeLabel->setEnabled(on && c.VolumeCheck->isChecked());
    c.RepeatType->setEnabled(on && c.Repeat->isChecked());
    c.RepeatNumber->setEnabled(on && c.Repeat->isChecked());
}

void TActionFrame::SetEditable(bool enabled) {
    editable_ = enabled;
    setEnabled(enabled);
    UpdateEnabling();
}

void TActionFrame::UpdateEnabling() {
    if (!editable_)
        return;
    const IActionPlayer* player = Player();
    const bool playing = player && player->IsPlaying();
    FollowSoundChecks(media_);
    FollowSoundChecks(cd_);
    mediaShuffle_->setEnabled(IsPlaylist(mediaFile_->currentText().trimmed()));
    media_.Play->setEnabled(!mediaFile_->currentText().trimmed().isEmpty() && !playing);
    media_.Stop->setEnabled(playing);
    cd_.Play->setEnabled(true);
    cd_.Stop->setEnabled(playing);
    cdTrack_->setEnabled(!cdShuffle_->isChecked());
    cdTrackLabel_->setEnabled(!cdShuffle_->isChecked());
    launch_->setEnabled(!launchFile_->currentText().trimmed().isEmpty());
    const bool hasBody = !mailBody_->toPlainText().isEmpty();
    sendNow_->setEnabled(!mailTo_->currentText().trimmed().isEmpty() &&
                         (!mailSubject_->currentText().isEmpty() || hasBody));
}

void TActionFrame::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    playerWatch_->start();
    UpdateEnabling();
}

void TActionFrame::hideEvent(QHideEvent* event) {
    playerWatch_->stop();
    QWidget::hideEvent(event);
}

// ---- trying ---------------------------------------------------------------------------------

void TActionFrame::TryAction(int kind) {
    StorePage(kind);
    TEventAction& action = *actions_[static_cast<std::size_t>(kind)];
    try {
        action.Execute();
    } catch (const EpaError& e) {
        const QString text = TextFromCore(e.what());
        ShowBox(window(), QMessageBox::Warning, window()->windowTitle(), text);
        emit actionFailed(text);
    }
    UpdateEnabling();
}

void TActionFrame::VolumeMoved(int kind, int position) {
    TSoundControls& c = kind == kMedia ? media_ : cd_;
    c.VolumeLabel->setText(QString::number(position) + QLatin1Char('%'));
    const IActionPlayer* player = Player();
    auto* own = dynamic_cast<IAudioClient*>(actions_[static_cast<std::size_t>(kind)].get());
    if (platform_ && player && player->IsPlaying() && player->CurrentAction() == own)
        platform_->Player().ChangePlayingVolume(position);
}

// ---- browsing -------------------------------------------------------------------------------

void TActionFrame::BrowseMedia() {
    const QString sounds = QString::fromStdString(ProgramFolders().SoundsFolder());
    QString folder = FolderOf(mediaFile_->currentText());
    if (folder.isEmpty())
        folder = sounds;
    else if (QFileInfo(mediaFile_->currentText()).isRelative())
        folder = QDir(sounds).absoluteFilePath(QFileInfo(mediaFile_->currentText()).path());
    const QString filter =
        tr("All supported types (*.mp3 *.mp2 *.mpg *.m3u *.pls *.wav *.mid *.rmi *.avi *.dat);;"
           "MP3 songs (*.mp3 *.mp2 *.mpg);;MP3 collections (*.m3u *.pls);;Wave audio (*.wav);;"
           "MIDI files (*.mid *.rmi);;Video (*.avi *.dat)");
    const QString chosen = RunFileDialog(this, tr("Open"), folder, filter);
    if (chosen.isEmpty())
        return;
    const QString relative = QDir(sounds).relativeFilePath(chosen);
    const bool inside = !sounds.isEmpty() && !relative.startsWith(QLatin1String(".."));
    mediaFile_->setEditText(inside ? relative : QDir::toNativeSeparators(chosen));
}

void TActionFrame::BrowseLaunch() {
    QString folder = FolderOf(launchFile_->currentText());
    if (folder.isEmpty())
        folder = QDir::homePath();
    const QString chosen = RunFileDialog(this, tr("Open"), folder, tr("Any file (*)"));
    if (chosen.isEmpty())
        return;
    launchFile_->setEditText(chosen);
    launchDirectory_->setEditText(QFileInfo(chosen).absolutePath());
}

void TActionFrame::BrowseDirectory() {
    QFileDialog dialog(this, tr("Choose directory"), FolderOf(launchDirectory_->currentText()));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (RunAndWait(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        launchDirectory_->setEditText(dialog.selectedFiles().front());
}

void TActionFrame::BrowseAttachment() {
    const QString chosen =
        RunFileDialog(this, tr("Open"), FolderOf(mailAttach_->currentText()), tr("Any file (*)"));
    if (!chosen.isEmpty())
        mailAttach_->setEditText(chosen);
}

void TActionFrame::PickAddresses() {
    std::string text = Core(mailTo_->currentText());
    TNoAddresses none;
    TAddressBookDialog book(this);
    book.setWindowModality(Qt::WindowModal);
    if (AddressBook(text, known_ ? *known_ : none, book))
        mailTo_->setEditText(QString::fromStdString(text));
}

} // namespace kelvo
