#include "gui/options/fmOption.h"

#include "core/audio/ReminderAudioPlayer.h"
#include "core/entities/EventTemplate.h"
#include "core/options/ProgramOptions.h"
#include "core/timers/ProgramFolders.h"
#include "core/util/paDateUtils.h"
#include "gui/help/Help.h"
#include "gui/main/MainSettings.h"
#include "gui/options/frOptionsCalDav.h"
#include "gui/options/frOptionsMail.h"
#include "gui/options/paColorButton.h"
#include "gui/session/ProgramSession.h"
#include "platform/actions/PlatformActions.h"
#include "platform/audio/MprisPlayers.h"
#include "platform/audio/PlatformAudio.h"
#include "platform/session/paStartupOptions.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <iterator>

namespace kelvo {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QString CharSetName(int charSet) {
    switch (charSet) {
    case 0:
        return QStringLiteral("Ansi");
    case 1:
        return QStringLiteral("System");
    case 2:
        return QStringLiteral("Symbol");
    case 77:
        return QStringLiteral("Mac");
    case 128:
        return QStringLiteral("ShiftJis");
    case 129:
        return QStringLiteral("Hangeul");
    case 130:
        return QStringLiteral("Johab");
    case 134:
        return QStringLiteral("GB2312");
    case 136:
        return QStringLiteral("Chinese Big 5");
    case 161:
        return QStringLiteral("Greek");
    case 162:
        return QStringLiteral("Turkish");
    case 163:
        return QStringLiteral("Vietnamese");
    case 177:
        return QStringLiteral("Hebrew");
    case 178:
        return QStringLiteral("Arabic");
    case 186:
        return QStringLiteral("Baltic");
    case 204:
        return QStringLiteral("Russian");
    case 222:
        return QStringLiteral("Thai");
    case 238:
        return QStringLiteral("East Europe");
    case 255:
        return QStringLiteral("OEM");
    default:
        return QStringLiteral("Unknown");
    }
}

QString FontDescription(const TFont& font) {
    QString style;
    if (font.Style & fsBold)
        style += QObject::tr("Bold ");
    if (font.Style & fsItalic)
        style += QObject::tr("Italic ");
    if (font.Style & fsUnderline)
        style += QObject::tr("Underline ");
    if (font.Style & fsStrikeOut)
        style += QObject::tr("Strikeout ");
    return QStringLiteral("%1 (%2), %3 %4")
        .arg(Q(font.Name), CharSetName(font.CharSet))
        .arg(font.Size)
        .arg(style);
}

QFont ToQFont(const TFont& font) {
    QFont f(Q(font.Name));
    f.setPointSize(font.Size);
    f.setBold(font.Style & fsBold);
    f.setItalic(font.Style & fsItalic);
    f.setUnderline(font.Style & fsUnderline);
    f.setStrikeOut(font.Style & fsStrikeOut);
    return f;
}

void TakeQFont(TFont& font, const QFont& f) {
    font.Name = f.family().toStdString();
    if (f.pointSize() > 0)
        font.Size = f.pointSize();
    font.Style = (f.bold() ? fsBold : 0u) | (f.italic() ? fsItalic : 0u) |
                 (f.underline() ? fsUnderline : 0u) | (f.strikeOut() ? fsStrikeOut : 0u);
}

// A group: its title in bold on a dark band, the contents below.
QWidget* Group(QWidget* parent, const QString& title, QLayout* contents) {
    auto* group = new QWidget(parent);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(0, 0, 0, 4);
    auto* band = new QLabel(title, group);
    QFont bold = band->font();
    bold.setBold(true);
    band->setFont(bold);
    band->setAutoFillBackground(true);
    QPalette p = band->palette();
    p.setColor(QPalette::Window, p.color(QPalette::Dark));
    p.setColor(QPalette::WindowText, p.color(QPalette::BrightText));
    band->setPalette(p);
    band->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(band);
    contents->setContentsMargins(8, 2, 4, 2);
    layout->addLayout(contents);
    return group;
}

template <class T> T* Named(T* widget, const QString& name, const QString& accessible) {
    widget->setObjectName(name);
    widget->setAccessibleName(QString(accessible).remove(QLatin1Char('&')).trimmed());
    return widget;
}

QLabel* Note(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, p.color(QPalette::PlaceholderText));
    label->setPalette(p);
    return label;
}

const QStringList Suffixes = {QStringLiteral("CheckBox"), QStringLiteral("Edit"),
                              QStringLiteral("ComboBox"), QStringLiteral("RadioButton"),
                              QStringLiteral("HotKey"),   QStringLiteral("Button"),
                              QStringLiteral("Label")};

// The option a control is named after, and the suffix; none for other controls.
TOption* BoundOption(const TOptionList& list, const QWidget* control, QString* suffix = nullptr) {
    const QString name = control->objectName();
    for (const QString& s : Suffixes)
        if (name.size() > s.size() && name.endsWith(s)) {
            if (suffix)
                *suffix = s;
            return &list.OptionByName(name.left(name.size() - s.size()).toStdString());
        }
    return nullptr;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The key box

THotKeyEdit::THotKeyEdit(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setMaximumWidth(120);
}

void THotKeyEdit::SetKey(int virtualKey) {
    key_ = virtualKey;
    setText(KeyText(virtualKey));
}

int THotKeyEdit::VirtualKeyOf(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 0x70 + (qtKey - Qt::Key_F1);
    static const std::pair<int, int> keys[] = {
        {Qt::Key_Backspace, 0x08}, {Qt::Key_Return, 0x0D},   {Qt::Key_Enter, 0x0D},
        {Qt::Key_Pause, 0x13},     {Qt::Key_Escape, 0x1B},   {Qt::Key_Space, 0x20},
        {Qt::Key_PageUp, 0x21},    {Qt::Key_PageDown, 0x22}, {Qt::Key_End, 0x23},
        {Qt::Key_Home, 0x24},      {Qt::Key_Left, 0x25},     {Qt::Key_Up, 0x26},
        {Qt::Key_Right, 0x27},     {Qt::Key_Down, 0x28},     {Qt::Key_Print, 0x2C},
        {Qt::Key_Insert, 0x2D},    {Qt::Key_Delete, 0x2E}};
    for (const auto& [qt, vk] : keys)
        if (qt == qtKey)
            return vk;
    return 0;
}

QString THotKeyEdit::KeyText(int virtualKey) {
    if (virtualKey == 0)
        return tr("None");
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return QString(QChar(virtualKey));
    for (int qt : {int(Qt::Key_F1), int(Qt::Key_Backspace), int(Qt::Key_Return), int(Qt::Key_Pause),
                   int(Qt::Key_Escape), int(Qt::Key_Space), int(Qt::Key_PageUp),
                   int(Qt::Key_PageDown), int(Qt::Key_End), int(Qt::Key_Home), int(Qt::Key_Left),
                   int(Qt::Key_Up), int(Qt::Key_Right), int(Qt::Key_Down), int(Qt::Key_Print),
                   int(Qt::Key_Insert), int(Qt::Key_Delete)}) {
        if (qt == Qt::Key_F1 && virtualKey >= 0x70 && virtualKey <= 0x87)
            return QKeySequence(Qt::Key_F1 + (virtualKey - 0x70))
                .toString(QKeySequence::NativeText);
        if (qt != Qt::Key_F1 && VirtualKeyOf(qt) == virtualKey)
            return QKeySequence(qt).toString(QKeySequence::NativeText);
    }
    return QStringLiteral("#%1").arg(virtualKey);
}

void THotKeyEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const bool modifierAlone =
        key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta;
    const int vk = modifierAlone ? 0 : VirtualKeyOf(key);
    if (!modifierAlone && vk == 0) {
        event->ignore();
        return;
    }
    SetKey(vk);
    emit keyChanged(vk);
    event->accept();
}

// ---------------------------------------------------------------------------------------------
// The dialog

TOptionsForm::TOptionsForm(TProgramSession& session, QWidget* parent)
    : TOptionsDlgForm(session.Ini(), QStringLiteral("OptionsForm"), parent), session_(session) {
    setObjectName(QStringLiteral("OptionsForm"));
    setWindowTitle(tr("Options..."));
    setAccessibleName(tr("Options"));
    TMainSettings& settings = session_.Settings();
    // The logon entry may have been changed outside the program since the start.
    if (const TStartupShortcut* shortcut = session_.StartupShortcut())
        ReadStartupShortcut(*shortcut, settings.Options());
    settings.Options().List.AssignTo(copy_);
    mail_.Assign(settings.Mail());

    AddPage(FontPage(), tr("Font:FONT"));
    AddPage(ColorPage(), tr("Color:COLOR"));
    AddPage(BehaviourPage(), tr("Behaviour:BEHAVIOUR"));
    AddPage(MediaPage(), tr("Media:MEDIA"));
    AddPage(StartupPage(), tr("Startup:STARTUP"));
    AddPage(KeyboardPage(), tr("Keyboard:KEYBOARD"));
    AddPage(MailPage(), tr("Mail:MAIL"));
    AddPage(CalDavPage(), tr("CalDAV:CALDAV"));
    // Help and F1 show the page's topic; the CalDAV page has none and shows the dialog's.
    setProperty(THelp::TopicProperty, 320);
    const int topics[] = {330, 340, 350, 360, 370, 380, 385};
    for (int page = 0; page < static_cast<int>(std::size(topics)); ++page)
        Page(page)->setProperty(THelp::TopicProperty, topics[page]);
    AddHelpButton();
    BindControls();
    FillControls();
    mailFrame_->SetOptions(mail_);
    if (!settings.MailPasswordKnown()) {
        mailFrame_->ShowPasswordPending();
        settings.WhenMailPasswordKnown([form = QPointer<TOptionsForm>(this)] {
            if (!form)
                return;
            const TMailOptions& known = form->session_.Settings().Mail();
            form->mail_.SMTPOptions.Login.Password().SetValue(
                known.SMTPOptions.Login.Password().Value());
            form->mail_.PasswordPlace = known.PasswordPlace;
            form->mailFrame_->PasswordArrived(known);
        });
    }
    RestoreActivePage();
}

TOptionsForm::~TOptionsForm() = default;

bool TOptionsForm::HotKeysAvailable() {
    return QGuiApplication::platformName() == QLatin1String("xcb") &&
           qgetenv("XDG_SESSION_TYPE") != "wayland";
}

QPushButton* TOptionsForm::ResetButton(const QString& category) const {
    const auto it = resets_.find(category);
    return it == resets_.end() ? nullptr : it->second;
}

QWidget* TOptionsForm::FactorySettings(QWidget* page, const QString& category) {
    auto* row = new QHBoxLayout;
    auto* reset = Named(new QPushButton(tr("Reset to default"), page),
                        category + QStringLiteral("Reset"), tr("Reset to default"));
    connect(reset, &QPushButton::clicked, this, [this, category] {
        copy_.Reset(true, category.toStdString());
        FillControls(category);
    });
    resets_[category] = reset;
    row->addWidget(reset);
    row->addStretch(1);
    return Group(page, tr(" Factory settings"), row);
}

QWidget* TOptionsForm::FontPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    const std::pair<const char*, QString> fonts[] = {
        {"FontTemplatesTree", tr(" Template tree items")},
        {"FontEventsView", tr(" Events view items")},
        {"FontCalendar", tr(" Calendar header")},
        {"FontCalendarItems", tr(" Calendar items")}};
    for (const auto& [name, title] : fonts) {
        auto* row = new QHBoxLayout;
        auto* label = Named(new QLabel(page), Q(name) + QStringLiteral("Label"), title);
        auto* change = Named(new QPushButton(tr("Change..."), page),
                             Q(name) + QStringLiteral("Button"), title + tr(" Change..."));
        row->addWidget(label, 1);
        row->addWidget(change);
        layout->addWidget(Group(page, title, row));
    }
    layout->addWidget(FactorySettings(page, QStringLiteral("Font")));
    layout->addStretch(1);
    return page;
}

QWidget* TOptionsForm::ColorPage() {
    auto* page = new QWidget(this);
    const auto colors = [&](const QString& title,
                            const std::vector<std::pair<const char*, QString>>& items) {
        auto* grid = new QGridLayout;
        int row = 0;
        for (const auto& [name, caption] : items) {
            auto* button =
                Named(new TpaColorButton(page), Q(name) + QStringLiteral("Button"), caption);
            auto* label = new QLabel(caption, page);
            label->setBuddy(button);
            grid->addWidget(button, row, 0);
            grid->addWidget(label, row, 1);
            ++row;
        }
        grid->setColumnStretch(1, 1);
        return Group(page, title, grid);
    };
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(colors(tr(" Background colors in Templates view"),
                             {{"ColorTemplatesTree", tr("Templates tree")},
                              {"ColorExploreEvents", tr("Event list background")}}));
    layout->addWidget(colors(tr(" Background colors in Calendar view"),
                             {{"ColorCalendarOddMonth", tr("Odd months")},
                              {"ColorCalendarEvenMonth", tr("Even months")},
                              {"ColorCalendarEvents", tr("Event list background")},
                              {"ColorCalendarToday", tr("Today color")}}));
    layout->addWidget(colors(tr(" Background colors in Filter view"),
                             {{"ColorFilterEvents", tr("Event list background")}}));
    layout->addWidget(colors(tr(" Background colors in All events view"),
                             {{"ColorAllEvents", tr("Event list background")}}));
    layout->addWidget(FactorySettings(page, QStringLiteral("Color")));
    layout->addStretch(1);
    return page;
}

QWidget* TOptionsForm::BehaviourPage() {
    auto* page = new QWidget(this);
    const auto check = [page](const char* name, const QString& caption) {
        return Named(new QCheckBox(caption, page), Q(name) + QStringLiteral("CheckBox"), caption);
    };
    auto* minimizing = new QVBoxLayout;
    minimizing->addWidget(check("BehaviourShowTrayIcon", tr("Show tray &icon")));
    minimizing->addWidget(
        check("BehaviourHideFromTaskbar", tr("&Hide from taskbar when minimized")));
    auto* templates = new QVBoxLayout;
    templates->addWidget(check("BehaviourShowTemplateInList", tr("Show templates in event list")));
    templates->addWidget(check("BehaviourBoldFullTemplates", tr("&Bold template with events")));
    templates->addWidget(
        Note(page, tr("If it checked then templates with events will shown by bold font")));
    auto* calendar = new QVBoxLayout;
    calendar->addWidget(
        check("BehaviourShowReminderInCalendar", tr("Show &reminders in calendar")));
    calendar->addWidget(Note(page, tr("If it checked then the reminders will be shown in the "
                                      "calendar by blended icon if there is no event already in "
                                      "this day ")));
    auto* firstDay = new QHBoxLayout;
    auto* days = Named(new QComboBox(page), QStringLiteral("BehaviourFirstDayOfWeekComboBox"),
                       tr("&First day of week"));
    for (int d = 0; d < 7; ++d)
        days->addItem(QLocale().dayName(d == 0 ? 7 : d, QLocale::LongFormat));
    auto* dayLabel = new QLabel(tr("&First day of week"), page);
    dayLabel->setBuddy(days);
    firstDay->addWidget(dayLabel);
    firstDay->addWidget(days);
    firstDay->addStretch(1);
    calendar->addLayout(firstDay);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Group(page, tr(" Minimizing options"), minimizing));
    layout->addWidget(Group(page, tr(" Templates view"), templates));
    layout->addWidget(Group(page, tr(" Calendar view"), calendar));
    layout->addWidget(FactorySettings(page, QStringLiteral("Behaviour")));
    layout->addStretch(1);
    return page;
}

QWidget* TOptionsForm::MediaPage() {
    auto* page = new QWidget(this);
    auto* media = new QVBoxLayout;
    media->addWidget(
        new QLabel(tr("Specify player for playing audio files (MP3, WAV, CD Audio, etc.)"), page));
    auto* builtIn =
        Named(new QRadioButton(tr("Use &built-in media player"), page),
              QStringLiteral("MediaPlayerTypeRadioButton"), tr("Use &built-in media player"));
    auto* external = Named(new QRadioButton(tr("Use &WinAmp for MP3 files"), page),
                           QStringLiteral("MediaPlayerExternal"), tr("Use &WinAmp for MP3 files"));
    auto* group = new QButtonGroup(page);
    group->addButton(builtIn, 0);
    group->addButton(external, 1);
    media->addWidget(builtIn);
    media->addWidget(Note(page, tr("Use internal media player for playing files and cd disks")));
    media->addWidget(external);
    media->addWidget(Note(page, tr("Specify where WinAmp executable is located:")));
    auto* playerRow = new QHBoxLayout;
    auto* path = Named(new QLineEdit(page), QStringLiteral("MediaWinAmpPathEdit"),
                       tr("Specify where WinAmp executable is located:"));
    path->setReadOnly(true);
    auto* browse = Named(new QPushButton(tr("Browse..."), page),
                         QStringLiteral("MediaBrowseWinAmp"), tr("Browse player"));
    auto* detect = Named(new QPushButton(tr("Auto &Detect"), page),
                         QStringLiteral("MediaFromRegistry"), tr("Auto &Detect"));
    playerRow->addWidget(path, 1);
    playerRow->addWidget(browse);
    playerRow->addWidget(detect);
    media->addLayout(playerRow);
    connect(browse, &QPushButton::clicked, this, &TOptionsForm::BrowsePlayer);
    connect(detect, &QPushButton::clicked, this, &TOptionsForm::DetectPlayer);

    auto* beep = new QVBoxLayout;
    beep->addWidget(Named(new QCheckBox(tr("Use WA&V file for playing beep sound"), page),
                          QStringLiteral("MediaUseWavForBeepCheckBox"),
                          tr("Use WA&V file for playing beep sound")));
    auto* beepRow = new QHBoxLayout;
    auto* file =
        Named(new QLineEdit(page), QStringLiteral("MediaBeepFileNameEdit"), tr("Beep file"));
    file->setReadOnly(true);
    auto* beepBrowse = Named(new QPushButton(tr("Browse..."), page),
                             QStringLiteral("MediaBeepBrowseAction"), tr("Browse beep file"));
    auto* play = Named(new QPushButton(tr("&Play"), page), QStringLiteral("MediaBeepPlayAction"),
                       tr("&Play"));
    auto* stop = Named(new QPushButton(tr("&Stop"), page),
                       QStringLiteral("MediaBeepStopActionAction"), tr("&Stop"));
    beepRow->addWidget(file, 1);
    beepRow->addWidget(beepBrowse);
    beepRow->addWidget(play);
    beepRow->addWidget(stop);
    beep->addLayout(beepRow);
    connect(beepBrowse, &QPushButton::clicked, this, &TOptionsForm::BrowseBeepFile);
    connect(play, &QPushButton::clicked, this, [this] {
        if (TPlatformActions* actions = session_.Actions())
            actions->Player().PlayMedia(nullptr, copy_.OptionByName("MediaBeepFileName").AsText(),
                                        -1, false);
        UpdateControls();
    });
    connect(stop, &QPushButton::clicked, this, [this] {
        if (TPlatformActions* actions = session_.Actions())
            actions->Player().StopAudio();
        UpdateControls();
    });

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Group(page, tr(" Media options"), media));
    layout->addWidget(Group(page, tr(" Beep action"), beep));
    layout->addStretch(1);
    return page;
}

QWidget* TOptionsForm::StartupPage() {
    auto* page = new QWidget(this);
    auto* run = new QVBoxLayout;
    run->addWidget(Note(page, tr("Check this option to put program in the startup menu and make "
                                 "it available each time Windows startup")));
    run->addWidget(Named(new QCheckBox(tr("Run at Windows startup"), page),
                         QStringLiteral("StartupRunAtStartupCheckBox"),
                         tr("Run at Windows startup")));
    run->addWidget(Named(new QCheckBox(tr("Go directly into the tray on startup"), page),
                         QStringLiteral("StartupDirectlyIntoTrayCheckBox"),
                         tr("Go directly into the tray on startup")));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Group(page, tr(" Run at Windows startup"), run));
    layout->addWidget(FactorySettings(page, QStringLiteral("Startup")));
    layout->addStretch(1);
    return page;
}

QWidget* TOptionsForm::KeyboardPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!HotKeysAvailable()) {
        auto* warning = Named(new QLabel(tr("This desktop does not let programs take keys for "
                                            "themselves (as under Wayland): the shortcuts below "
                                            "work only in an X11 session."),
                                         page),
                              QStringLiteral("HotKeysUnavailableNote"), tr("Hot keys unavailable"));
        warning->setWordWrap(true);
        QFont bold = warning->font();
        bold.setBold(true);
        warning->setFont(bold);
        layout->addWidget(warning);
    }
    auto* esc = new QVBoxLayout;
    esc->addWidget(Named(new QCheckBox(tr("Esc minimizes"), page),
                         QStringLiteral("KeyboardEscMinimizesCheckBox"), tr("Esc minimizes")));
    esc->addWidget(Note(page, tr("If checked, then ESC minimizes program")));
    layout->addWidget(Group(page, tr(" Minimization"), esc));
    const auto keys = [&](const char* prefix, const QString& title, const QString& note) {
        auto* box = new QVBoxLayout;
        auto* row = new QHBoxLayout;
        const std::pair<const char*, QString> modifiers[] = {{"Shift", tr("Shift +")},
                                                             {"Ctrl", tr("Ctrl +")},
                                                             {"Alt", tr("Alt + ")},
                                                             {"Win", tr("Win +")}};
        for (const auto& [m, caption] : modifiers)
            row->addWidget(Named(new QCheckBox(caption, page),
                                 Q(prefix) + Q(m) + QStringLiteral("CheckBox"),
                                 title + QLatin1Char(' ') + caption));
        row->addWidget(Named(new THotKeyEdit(page), Q(prefix) + QStringLiteral("KeyHotKey"),
                             title + tr(" key")));
        row->addStretch(1);
        box->addLayout(row);
        box->addWidget(Note(page, note));
        layout->addWidget(Group(page, title, box));
    };
    keys("KeyboardActivate", tr(" Instant activation"),
         tr("Pressing this combination anywhere will restore minimized program"));
    keys("KeyboardQuickEvent", tr(" Add Quick event shortcut"),
         tr("Pressing this combination anywhere will show New Quick Event Dialog"));
    keys("KeyboardEventByTemplate", tr(" Add Event by selected Template shortcut"),
         tr("Pressing this combination anywhere will show Choose Template dialogs"));
    layout->addWidget(FactorySettings(page, QStringLiteral("Keyboard")));
    layout->addStretch(1);
    return page;
}

QWidget* TOptionsForm::MailPage() {
    auto* page = new QWidget(this);
    auto* box = new QVBoxLayout;
    mailFrame_ = new TMailOptionsFrame(page);
    box->addWidget(mailFrame_);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Group(page, tr(" Mail option"), box));
    layout->addStretch(1);
    return page;
}

QWidget* TOptionsForm::CalDavPage() {
    QStringList templates;
    const std::function<void(const TTemplateNode&)> collect = [&](const TTemplateNode& node) {
        if (node.Template())
            templates << QString::fromStdString(node.Text());
        for (int i = 0; i < node.ChildCount(); ++i)
            collect(node.Child(i));
    };
    collect(session_.DataFiles().Templates().Root());
    if (!templates.contains(QStringLiteral("CalDAV")))
        templates.prepend(QStringLiteral("CalDAV"));
    auto* page = new QWidget(this);
    auto* box = new QVBoxLayout;
    calDavFrame_ = new TCalDavOptionsFrame(templates, page);
    calDavFrame_->Load(session_.Ini(), session_.Settings().Secrets());
    box->addWidget(calDavFrame_);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Group(page, tr(" CalDAV account"), box));
    layout->addStretch(1);
    return page;
}

// ---------------------------------------------------------------------------------------------
// Binding by name

QList<QWidget*> TOptionsForm::PageControls() const {
    QList<QWidget*> controls;
    for (int i = 0; i < PageCount(); ++i)
        controls += Page(i)->findChildren<QWidget*>();
    return controls;
}

void TOptionsForm::BindControls() {
    for (QWidget* control : PageControls()) {
        if (mailFrame_->isAncestorOf(control))
            continue; // the mail settings are a record of their own
        QString suffix;
        TOption* option = BoundOption(copy_, control, &suffix);
        if (!option)
            continue;
        const auto written = [this] {
            if (!filling_)
                UpdateControls();
        };
        if (auto* check = qobject_cast<QCheckBox*>(control)) {
            auto& o = dynamic_cast<TBooleanOption&>(*option);
            connect(check, &QCheckBox::toggled, this, [this, &o, written](bool on) {
                o.SetValue(on);
                written();
            });
        } else if (auto* key = qobject_cast<THotKeyEdit*>(control)) {
            auto& o = dynamic_cast<TIntegerOption&>(*option);
            connect(key, &THotKeyEdit::keyChanged, this, [&o, written](int vk) {
                o.SetValue(vk);
                written();
            });
        } else if (qobject_cast<QLineEdit*>(control)) {
            (void)dynamic_cast<TStringOption&>(*option); // wrong class: a programming error
        } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
            auto& o = dynamic_cast<TIntegerOption&>(*option);
            connect(combo, &QComboBox::currentIndexChanged, this, [this, &o, written](int i) {
                if (!filling_)
                    o.SetValue(i);
                written();
            });
        } else if (auto* radio = qobject_cast<QRadioButton*>(control)) {
            auto& o = dynamic_cast<TIntegerOption&>(*option);
            QButtonGroup* group = radio->group();
            connect(group, &QButtonGroup::idToggled, this, [&o, written](int id, bool on) {
                if (on) {
                    o.SetValue(id);
                    written();
                }
            });
        } else if (auto* color = qobject_cast<TpaColorButton*>(control)) {
            auto& o = dynamic_cast<TColorOption&>(*option);
            connect(color, &TpaColorButton::changed, this, [&o, written](TColor c) {
                o.SetValue(c);
                written();
            });
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            auto& o = dynamic_cast<TFontOption&>(*option);
            connect(button, &QPushButton::clicked, this, [this, &o] { ChangeFont(o); });
        } else if (qobject_cast<QLabel*>(control)) {
            (void)dynamic_cast<TFontOption&>(*option);
        }
    }
}

void TOptionsForm::FillControls(const QString& category) {
    filling_ = true;
    for (QWidget* control : PageControls()) {
        if (mailFrame_->isAncestorOf(control))
            continue;
        TOption* option = BoundOption(copy_, control);
        if (!option || (!category.isEmpty() && Q(option->Category()) != category))
            continue;
        if (auto* check = qobject_cast<QCheckBox*>(control)) {
            check->setChecked(static_cast<TBooleanOption&>(*option).Value());
        } else if (auto* key = qobject_cast<THotKeyEdit*>(control)) {
            key->SetKey(static_cast<TIntegerOption&>(*option).Value());
        } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            edit->setText(Q(static_cast<TStringOption&>(*option).Value()));
        } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
            const int value = static_cast<TIntegerOption&>(*option).Value();
            combo->setCurrentIndex(value >= 0 && value <= 6 ? value : FirstDayOfWeek());
        } else if (auto* radio = qobject_cast<QRadioButton*>(control)) {
            const int value = static_cast<TIntegerOption&>(*option).Value();
            if (QAbstractButton* b = radio->group()->button(value))
                b->setChecked(true);
        } else if (auto* color = qobject_cast<TpaColorButton*>(control)) {
            color->SetValue(static_cast<TColorOption&>(*option).Value());
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            const auto& font = static_cast<TFontOption&>(*option);
            label->setText(FontDescription(font.Font()));
            QFont f = label->font();
            f.setBold(!font.IsDefault());
            label->setFont(f);
        }
    }
    filling_ = false;
    UpdateControls();
}

void TOptionsForm::UpdateControls() {
    for (const auto& [category, button] : resets_)
        button->setEnabled(!copy_.IsDefault(true, category.toStdString()));
    const auto value = [this](const char* name) {
        return static_cast<TBooleanOption&>(copy_.OptionByName(name)).Value();
    };
    const auto find = [this](const char* name) { return findChild<QWidget*>(QLatin1String(name)); };
    find("StartupDirectlyIntoTrayCheckBox")->setEnabled(value("StartupRunAtStartup"));
    const bool external =
        static_cast<TIntegerOption&>(copy_.OptionByName("MediaPlayerType")).Value() != 0;
    find("MediaBrowseWinAmp")->setEnabled(external);
    find("MediaFromRegistry")->setEnabled(external);
    const bool wav = value("MediaUseWavForBeep");
    TPlatformActions* actions = session_.Actions();
    const bool playing = actions && actions->Player().IsPlaying();
    find("MediaBeepBrowseAction")->setEnabled(wav);
    find("MediaBeepPlayAction")
        ->setEnabled(wav && actions && !playing &&
                     !copy_.OptionByName("MediaBeepFileName").AsText().empty());
    find("MediaBeepStopActionAction")->setEnabled(wav && playing);
}

void TOptionsForm::ChangeFont(TFontOption& option) {
    auto* dialog = new QFontDialog(ToQFont(option.Font()), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QFontDialog::fontSelected, this, [this, &option](const QFont& f) {
        TFont font = option.Font();
        TakeQFont(font, f);
        option.SetFont(font);
        FillControls(Q(option.Category()));
    });
    dialog->open();
}

void TOptionsForm::BrowseBeepFile() {
    auto& option = static_cast<TStringOption&>(copy_.OptionByName("MediaBeepFileName"));
    const QString folder = Q(ProgramFolders().SoundsFolder());
    auto* dialog =
        new QFileDialog(this, tr("Beep sound"), folder, tr("Sound files (*.wav *.mid *.mp3)"));
    dialog->setObjectName(QStringLiteral("BeepDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setFileMode(QFileDialog::ExistingFile);
    connect(dialog, &QFileDialog::fileSelected, this, [this, &option](const QString& file) {
        option.SetValue(file.toStdString());
        FillControls(Q(option.Category()));
    });
    dialog->open();
}

void TOptionsForm::BrowsePlayer() {
    auto& option = static_cast<TStringOption&>(copy_.OptionByName("MediaWinAmpPath"));
    auto* dialog = new QFileDialog(this, tr("Choice WinAmp program"), Q(option.Value()));
    dialog->setObjectName(QStringLiteral("PlayerDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setFileMode(QFileDialog::ExistingFile);
    // Programs have no extension here: the folders and the executable files are listed.
    dialog->setFilter(QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDotAndDotDot);
    connect(dialog, &QFileDialog::fileSelected, this, [this, &option](const QString& file) {
        const QFileInfo info(file);
        if (!info.isFile() || !info.isExecutable())
            return; // only a program can play
        option.SetValue(info.absoluteFilePath().toStdString());
        FillControls(Q(option.Category()));
    });
    dialog->open();
}

void TOptionsForm::DetectPlayer() {
    auto* detect = findChild<QWidget*>(QStringLiteral("MediaFromRegistry"));
    const std::vector<TInstalledPlayer> players = InstalledMprisPlayers();
    if (players.empty()) {
        detect->setToolTip(tr("No media player that can be driven over MPRIS was found."));
        return;
    }
    QStringList names;
    for (const TInstalledPlayer& p : players)
        names << QStringLiteral("%1 (%2)").arg(p.Name, p.Program);
    auto* dialog = new QInputDialog(this);
    dialog->setObjectName(QStringLiteral("DetectPlayerDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setWindowTitle(tr("Auto Detect"));
    dialog->setLabelText(tr("Media players installed on this computer:"));
    dialog->setComboBoxItems(names);
    dialog->setComboBoxEditable(false);
    auto& option = static_cast<TStringOption&>(copy_.OptionByName("MediaWinAmpPath"));
    connect(dialog, &QInputDialog::accepted, this, [this, dialog, names, players, &option] {
        const qsizetype index = names.indexOf(dialog->textValue());
        if (index < 0)
            return;
        option.SetValue(players[static_cast<std::size_t>(index)].Program.toStdString());
        FillControls(Q(option.Category()));
    });
    dialog->open();
}

void TOptionsForm::accept() {
    mailFrame_->ReadInto(mail_);
    calDavFrame_->Save(session_.Ini(), session_.Settings().Secrets());
    ApplyOptions(session_, copy_, mail_);
    QDialog::accept();
}

// ---------------------------------------------------------------------------------------------
// Taking effect

void ApplyOptions(TProgramSession& session, const TOptionList& edited, const TMailOptions& mail) {
    TMainSettings& settings = session.Settings();
    TProgramOptions& options = settings.Options();
    TOptionList& list = options.List;
    // What each option changes in the running program, around the handler its owner set.
    const auto effect = [&session, &settings, &options](TOption& option) {
        const std::string& name = option.Name();
        TPlatformActions* actions = session.Actions();
        if (name.rfind("Media", 0) == 0 && actions) {
            actions->SetBeep(settings.UseWavForBeep(), settings.BeepFileName());
            actions->SetExternalPlayer(settings.ExternalPlayer(), settings.ExternalPlayerPath());
        } else if (name.rfind("Keyboard", 0) == 0 && name != "KeyboardEscMinimizes") {
            settings.ReregisterHotKeys();
        } else if (&option == &options.BehaviourFirstDayOfWeek) {
            const int localeDay = (CurrentLocale().FirstDayOfWeek() + 6) % 7;
            options.List.DisableNotify();
            SetFirstDayOfWeek(
                ApplyFirstDayOfWeek(options.BehaviourFirstDayOfWeek, localeDay, FirstDayOfWeek()));
            options.List.EnableNotify();
        }
        emit session.optionChanged(Q(name));
    };
    std::vector<std::function<void(TOption&)>> owners;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        TOption& option = list.Option(i);
        owners.push_back(option.OnChanged);
        option.OnChanged = [owner = option.OnChanged, effect](TOption& o) {
            if (owner)
                owner(o);
            effect(o);
        };
    }
    list.AssignValues(edited);
    for (std::size_t i = 0; i < list.Count(); ++i)
        list.Option(i).OnChanged = std::move(owners[i]);
    settings.Mail().Assign(mail);
    session.SaveSettings();
}

TOptionsForm* ShowOptionsDialog(TProgramSession& session, QWidget* mainWindow) {
    auto* dialog = new TOptionsForm(session, mainWindow);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Modal to the main window only: the alarm windows stay answerable.
    dialog->setWindowModality(Qt::WindowModal);
    dialog->open();
    return dialog;
}

} // namespace kelvo
