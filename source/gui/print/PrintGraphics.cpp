#include "gui/print/PrintGraphics.h"

#include <QFont>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <string>

namespace kelvo {

int TpaDPI::ScaleX(int v) const {
    return x_ == ScreenDpi ? v : static_cast<int>(std::lround(double(v) * x_ / ScreenDpi));
}

int TpaDPI::ScaleY(int v) const {
    return y_ == ScreenDpi ? v : static_cast<int>(std::lround(double(v) * y_ / ScreenDpi));
}

QFont DeviceFont(const QString& family, int points, const TpaDPI& dpi) {
    QFont font(family);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(double(points) * dpi.Y() / 72))));
    return font;
}

void TWidths::Check(int index) const {
    if (index < 0 || index >= Count())
        throw EPrintError("Object \"Widths\": out of range " + std::to_string(index) + " in [0, " +
                          std::to_string(Count() - 1) + "]");
}

int TWidths::Width(int index) const {
    Check(index);
    return widths_[static_cast<std::size_t>(index)];
}

void TWidths::SetWidth(int index, int width) {
    Check(index);
    const int old = widths_[static_cast<std::size_t>(index)];
    widths_[static_cast<std::size_t>(index)] = width;
    if (updates_ == 0 && old != width && OnChange)
        OnChange(index, old);
}

int TWidths::Start(int index) const {
    int start = 0;
    for (int i = 0; i < index && i < Count(); ++i)
        start += widths_[static_cast<std::size_t>(i)] + Gap;
    return start;
}

void TLayout::Draw(QPainter& canvas) {
    for (TDrawable* child : children_)
        child->Draw(canvas);
}

void TLayout::SetBounds(const QRect& r) {
    TDrawable::SetBounds(r);
    Layout();
}

TLineLayout::TLineLayout(TOrientation orientation) : orientation_(orientation) {
    // Moving the border between two cells: the next one gets what this one gained or lost.
    widths_.OnChange = [this](int index, int old) {
        if (index + 1 < widths_.Count()) {
            widths_.BeginUpdate();
            widths_.SetWidth(index + 1, widths_.Width(index + 1) - (widths_.Width(index) - old));
            widths_.EndUpdate();
        }
        Layout();
    };
}

void TLineLayout::Layout() {
    const int n = Count();
    if (n == 0)
        return;
    const int extent = orientation_ == Horizontal ? bounds_.width() : bounds_.height();
    if (AutoWidths) {
        widths_.BeginUpdate();
        widths_.Resize(n);
        const int each = (extent - widths_.Gap * (n - 1)) / n;
        const int rest = (extent - widths_.Gap * (n - 1)) % n;
        for (int i = 0; i < n; ++i)
            widths_.SetWidth(i, each + (i == n - 1 ? rest : 0));
        widths_.EndUpdate();
    }
    for (int i = 0; i < n && i < widths_.Count(); ++i) {
        const int start = widths_.Start(i);
        const int w = widths_.Width(i);
        Child(i).SetBounds(orientation_ == Horizontal
                               ? QRect(bounds_.left() + start, bounds_.top(), w, bounds_.height())
                               : QRect(bounds_.left(), bounds_.top() + start, bounds_.width(), w));
    }
}

void TLineLayout::Draw(QPainter& canvas) {
    if (DrawSeparators)
        for (int i = 1; i < Count(); ++i) {
            const QRect c = Child(i).Bounds();
            if (orientation_ == Horizontal)
                canvas.drawLine(c.left() - 1, c.top(), c.left() - 1, c.bottom());
            else
                canvas.drawLine(c.left(), c.top() - 1, c.right(), c.top() - 1);
        }
    TLayout::Draw(canvas);
}

void TGridLayout::SetRows(int rows) {
    if (auto_ == RowsComputed)
        throw EPrintError("Columns or rows count calculated automatically");
    if (rows <= 0)
        throw EPrintError("Columns and rows count should be > 0");
    rows_ = rows;
}

void TGridLayout::SetColumns(int columns) {
    if (auto_ == ColumnsComputed)
        throw EPrintError("Columns or rows count calculated automatically");
    if (columns <= 0)
        throw EPrintError("Columns and rows count should be > 0");
    columns_ = columns;
}

int TGridLayout::Rows() const {
    return auto_ == RowsComputed ? std::max(1, (Count() + columns_ - 1) / columns_) : rows_;
}

int TGridLayout::Columns() const {
    return auto_ == ColumnsComputed ? std::max(1, (Count() + rows_ - 1) / rows_) : columns_;
}

void TGridLayout::Layout() {
    const int rows = Rows();
    const int columns = Columns();
    const int h = (bounds_.height() - Gap * (rows - 1)) / rows;
    const int w = (bounds_.width() - Gap * (columns - 1)) / columns;
    for (int i = 0; i < Count(); ++i) {
        const int r = i / columns;
        const int c = i % columns;
        Child(i).SetBounds(
            QRect(bounds_.left() + c * (w + Gap), bounds_.top() + r * (h + Gap), w, h));
    }
}

void TGridLayout::Draw(QPainter& canvas) {
    const int rows = Rows();
    const int columns = Columns();
    canvas.save();
    canvas.setPen(QPen(Qt::black, 1));
    canvas.setBrush(Qt::black);
    const int h = (bounds_.height() - Gap * (rows - 1)) / rows;
    const int w = (bounds_.width() - Gap * (columns - 1)) / columns;
    for (int r = 1; r < rows; ++r) {
        const int y = bounds_.top() + r * (h + Gap) - Gap;
        canvas.fillRect(QRect(bounds_.left(), y, bounds_.width(), Gap), Qt::black);
    }
    for (int c = 1; c < columns; ++c) {
        const int x = bounds_.left() + c * (w + Gap) - Gap;
        canvas.fillRect(QRect(x, bounds_.top(), Gap, bounds_.height()), Qt::black);
    }
    canvas.restore();
    TLayout::Draw(canvas);
}

void TBorderDecorator::SetPen(const QPen& pen) {
    pen_ = pen;
    SetBounds(bounds_);
}

void TBorderDecorator::SetBounds(const QRect& r) {
    TDrawable::SetBounds(r);
    const int w = std::max(1, pen_.width());
    inner_.SetBounds(r.adjusted(w, w, -w, -w));
}

void TBorderDecorator::Draw(QPainter& canvas) {
    canvas.save();
    canvas.setPen(pen_);
    canvas.setBrush(Qt::NoBrush);
    canvas.drawRect(bounds_.adjusted(0, 0, -1, -1));
    canvas.restore();
    inner_.Draw(canvas);
}

} // namespace kelvo
