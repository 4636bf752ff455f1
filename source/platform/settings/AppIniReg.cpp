#include "platform/settings/AppIniReg.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStringList>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kelvo {

namespace {

const QString kIntegerPrefix = QStringLiteral("dword:");
const QString kTextPrefix = QStringLiteral("sz:");

QString Key(const std::string& section, const std::string& name) {
    const QString n = QString::fromStdString(name);
    return section.empty() ? n : QString::fromStdString(section) + u'/' + n;
}

bool StartsWithTag(const QString& s) {
    return s.startsWith(kIntegerPrefix, Qt::CaseInsensitive) ||
           s.startsWith(kTextPrefix, Qt::CaseInsensitive);
}

TIniValue Decode(const QVariant& v) {
    if (v.metaType().id() == QMetaType::QString) {
        const QString s = v.toString();
        static const QRegularExpression dword(QStringLiteral("^dword:([0-9a-fA-F]{8})$"),
                                              QRegularExpression::CaseInsensitiveOption);
        if (const auto m = dword.match(s); m.hasMatch())
            return TIniValue::FromInteger(
                static_cast<std::int32_t>(m.captured(1).toUInt(nullptr, 16)));
        if (s.startsWith(kTextPrefix, Qt::CaseInsensitive))
            return TIniValue::FromText(s.mid(kTextPrefix.size()).toStdString());
        return TIniValue::FromText(s.toStdString());
    }
    if (v.metaType().id() == QMetaType::QByteArray)
        return TIniValue::FromBinary(v.toByteArray().toStdString());
    // Lists (unquoted commas), rectangles, unknown types: opaque, like an unknown registry type.
    return TIniValue::FromBinary({});
}

QVariant Encode(const TIniValue& value) {
    switch (value.Kind) {
    case TIniValueKind::Integer:
        return kIntegerPrefix +
               QStringLiteral("%1").arg(static_cast<uint>(static_cast<std::uint32_t>(value.Number)),
                                        8, 16, QChar(u'0'));
    case TIniValueKind::Binary:
        return QByteArray::fromStdString(value.Text);
    case TIniValueKind::Text:
        break;
    }
    const QString text = QString::fromStdString(value.Text);
    return StartsWithTag(text) ? kTextPrefix + text : text;
}

} // namespace

TAppIniReg::TAppIniReg(std::string appKey) : TAppIni(std::move(appKey)) {}

TAppIniReg::~TAppIniReg() {
    Close();
}

std::string TAppIniReg::FileName() const {
    return settings_ ? settings_->fileName().toStdString() : std::string();
}

void TAppIniReg::DoOpen(const std::string& appKey) {
    const QStringList parts = QString::fromStdString(appKey).split(
        QRegularExpression(QStringLiteral("[\\\\/]")), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        throw EAppIniError("No application key specified");
    organization_ = parts.size() > 1 ? parts.front() : QString();
    application_ = parts.back();
    Connect();
}

void TAppIniReg::Connect() {
    settings_ = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            organization_, application_);
    settings_->allKeys(); // parse now, so a broken file is noticed before the first write
    if (settings_->status() == QSettings::FormatError)
        RecoverUnreadableFile();
}

void TAppIniReg::DoClose() noexcept {
    if (settings_) {
        settings_->sync();
        RestrictFileMode();
        settings_.reset();
    }
}

void TAppIniReg::RecoverUnreadableFile() {
    // QSettings refuses to write over a file it could not parse; keep what it read, move
    // the file aside for the user and start a clean one.
    QList<std::pair<QString, QVariant>> readable;
    for (const QString& key : settings_->allKeys())
        readable.append({key, settings_->value(key)});
    const QString file = settings_->fileName();
    settings_.reset();
    const QString aside = file + QStringLiteral(".unreadable");
    QFile::remove(aside);
    if (!QFile::rename(file, aside))
        QFile::remove(file);
    QFile::setPermissions(aside, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    settings_ = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            organization_, application_);
    for (const auto& [key, value] : readable)
        settings_->setValue(key, value);
    settings_->sync();
    RestrictFileMode();
}

void TAppIniReg::RestrictFileMode() const {
    if (!settings_)
        return;
#ifndef _WIN32
    const QByteArray file = QFile::encodeName(settings_->fileName());
    if (!file.isEmpty())
        ::chmod(file.constData(), S_IRUSR | S_IWUSR);
#endif
}

std::optional<TIniValue> TAppIniReg::DoRead(const std::string& section, const std::string& name) {
    const QVariant v = settings_->value(Key(section, name));
    if (!v.isValid())
        return std::nullopt;
    return Decode(v);
}

bool TAppIniReg::DoWrite(const std::string& section, const std::string& name,
                         const TIniValue& value) {
    // QSettings keeps reporting an error once one happened; start afresh so this write
    // reports only its own outcome (not inside an update: that would drop what is kept back).
    if (settings_->status() != QSettings::NoError && !Updating())
        Connect();
#ifndef _WIN32
    const QString file = settings_->fileName();
    if (!QFileInfo::exists(file)) {
        // Create the file owner-only before the password can ever be in it.
        QDir().mkpath(QFileInfo(file).absolutePath());
        const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_CREAT | O_EXCL,
                              S_IRUSR | S_IWUSR);
        if (fd >= 0)
            ::close(fd);
    }
#endif
    settings_->setValue(Key(section, name), Encode(value));
    if (Updating())
        return true;
    return DoFlush();
}

bool TAppIniReg::DoDelete(const std::string& section, const std::string& name) {
    if (settings_->status() != QSettings::NoError && !Updating())
        Connect();
    settings_->remove(Key(section, name));
    if (Updating())
        return true;
    return DoFlush();
}

bool TAppIniReg::DoFlush() {
    settings_->sync();
    RestrictFileMode();
    return settings_->status() == QSettings::NoError;
}

} // namespace kelvo
