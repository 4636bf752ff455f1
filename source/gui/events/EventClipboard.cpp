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
}

TEventClipboard::~TEventClipboard() = default;

QByteArray TEventClipboard::EntryData(std::int64_t processId, std::uint64_t serial) {
    return QByteArray::number(static_cast<qlonglong>(processId)) + ' ' +
           QByteArray::number(static_cast<qulonglong>(serial));
}

void TEventClipboard::Copy(const TEvent& event) {
    auto copy = std::make_unique<TEvent>();
    copy->Assign(event);
    held_ = std::move(copy);
    ++serial_;
    auto* data = new QMimeData;
    data->setData(MimeType, EntryData(QCoreApplication::applicationPid(), serial_));
    QGuiApplication::clipboard()->setMimeData(data);
}

const TEvent* TEventClipboard::Held() const {
    if (!held_)
        return nullptr;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasFormat(MimeType))
        return nullptr;
    if (data->data(MimeType) != EntryData(QCoreApplication::applicationPid(), serial_))
        return nullptr;
    return held_.get();
}

} // namespace kelvo
