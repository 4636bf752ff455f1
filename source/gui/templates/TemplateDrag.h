#pragma once

// What a drag of a template or of an event carries: this process's id and the dragged item's
// position (the template's pre-order index in the tree, the event's index in the notebook).
// A drop reads the position back only when the process id is ours, so a drag from another
// program can point at nothing here.

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QMimeData>
#include <QString>
#include <optional>

namespace kelvo {

inline const QString TemplateDragMimeType = QStringLiteral("application/x-kelvo-rem-template");
inline const QString EventDragMimeType = QStringLiteral("application/x-kelvo-rem-event-drag");

inline void SetDragPosition(QMimeData& data, const QString& type, int position) {
    data.setData(type, QByteArray::number(QCoreApplication::applicationPid()) + ' ' +
                           QByteArray::number(position));
}

// What a drag of an event from a list carries.
inline QMimeData* EventDragData(int notebookIndex) {
    auto* data = new QMimeData;
    SetDragPosition(*data, EventDragMimeType, notebookIndex);
    return data;
}

// The position a drag of this process carries, else none.
inline std::optional<int> DragPosition(const QMimeData* data, const QString& type) {
    if (data == nullptr || !data->hasFormat(type))
        return std::nullopt;
    const QList<QByteArray> parts = data->data(type).split(' ');
    bool pidOk = false, positionOk = false;
    if (parts.size() != 2 || parts[0].toLongLong(&pidOk) != QCoreApplication::applicationPid())
        return std::nullopt;
    const int position = parts[1].toInt(&positionOk);
    if (!pidOk || !positionOk || position < 0)
        return std::nullopt;
    return position;
}

} // namespace kelvo
