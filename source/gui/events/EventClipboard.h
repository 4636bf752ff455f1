#pragma once

// The private clipboard for events. The system clipboard carries only this process's id and
// the serial number of the last copy; the event itself stays here. Paste uses the held event
// only when both match, so no other program can make it paste anything but what was copied.

#include <QMetaObject>
#include <QString>
#include <cstdint>
#include <memory>

class QMimeData;

namespace kelvo {

class TEvent;

class TEventClipboard {
public:
    // The clipboard entry's type: "<process id> <serial>" in ASCII.
    static const QString MimeType;

    TEventClipboard();
    ~TEventClipboard();
    TEventClipboard(const TEventClipboard&) = delete;
    TEventClipboard& operator=(const TEventClipboard&) = delete;

    // Holds a copy of event and puts a fresh entry on the system clipboard.
    void Copy(const TEvent& event);
    // The held event while the system clipboard offers this process's latest entry.
    const TEvent* Held() const;
    bool CanPaste() const { return Held() != nullptr; }

    // The entry's bytes for a process id and serial.
    static QByteArray EntryData(std::int64_t processId, std::uint64_t serial);

private:
    std::unique_ptr<TEvent> held_;
    std::uint64_t serial_ = 0;
    // The entry is read once per change of the clipboard, not at every enabling check: a
    // foreign owner answers over the display connection.
    mutable bool checked_ = false;
    mutable bool ours_ = false;
    QMetaObject::Connection changed_;
};

} // namespace kelvo
