#include "gui/events/EventClipboard.h"

#include "core/entities/Event.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
#include <random>

namespace kelvo {

const QString TEventClipboard::MimeType = QStringLiteral("application/x-kelvo-rem-event");

TEventClipboard::TEventClipboard() {
    // A fresh start per run, so that an entry left by an earlier run with the same process id
    // does not match by chance.
    std::random_device seed;
    serial_ = (static_cast<std::uint64_t>(seed()) << 20) & 0xFFFFFFFFFFF00000ULL;
    changed_ = QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged,
                                [this] { checked_ = false; });
}

TEventClipboard::~TEventClipboard() {
    QObject::disconnect(changed_);
}

QByteArray TEventClipboard::EntryData(std::int64_t processId, std::uint64_t serial) {
    return QByteArray::number(static_cast<qlonglong>(processId)) + ' ' +
           QByteArray::number(static_cast<qulonglong>(serial));
}

void TEventClipboard::Copy(const TEvent& event) {
    auto copy = std::make_unique<TEvent>();
    copy->Assign(event);
    held_ = std::move(copy);
    ++serial_;
    checked_ = false;
    auto* data = new QMimeData;
    data->setData(MimeType, EntryData(QCoreApplication::applicationPid(), serial_));
    QGuiApplication::clipboard()->setMimeData(data);
}

const TEvent* TEventClipboard::Held() const {
    if (!held_)
        return nullptr;
    if (!checked_) {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        ours_ = data != nullptr && data->hasFormat(MimeType) &&
                data->data(MimeType) == EntryData(QCoreApplication::applicationPid(), serial_);
        checked_ = true;
    }
    return ours_ ? held_.get() : nullptr;
}

} // namespace kelvo
