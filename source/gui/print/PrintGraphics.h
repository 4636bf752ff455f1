#pragma once

// The small drawing framework the printed pages are made of: a resolution converter from screen
// pixels to device pixels, objects with bounds that draw themselves, a list of cell widths, line
// and grid layouts and a border around another object. Everything is in device pixels.

#include "core/util/paError.h"

#include <QPen>
#include <QRect>
#include <functional>
#include <memory>
#include <vector>

class QPainter;

namespace kelvo {

class EPrintError : public EpaError {
public:
    using EpaError::EpaError;
};

// Measures given in screen pixels (at 96 per inch) turned into pixels of the device.
class TpaDPI {
public:
    static constexpr int ScreenDpi = 96;
    explicit TpaDPI(int x = ScreenDpi, int y = ScreenDpi) : x_(x), y_(y) {}
    int ScaleX(int v) const;
    int ScaleY(int v) const;
    int X() const { return x_; }
    int Y() const { return y_; }

private:
    int x_;
    int y_;
};

class TDrawable {
public:
    virtual ~TDrawable() = default;
    virtual void Draw(QPainter& canvas) = 0;
    QRect Bounds() const { return bounds_; }
    // Lays the object out within r.
    virtual void SetBounds(const QRect& r) { bounds_ = r; }

protected:
    QRect bounds_;
};

// Cell widths with a gap between cells. A change of one width is told (index, old width), so
// that a line can give the neighbouring cell what this one gained or lost.
class TWidths {
public:
    int Gap = 1;
    std::function<void(int index, int oldWidth)> OnChange;

    int Count() const { return static_cast<int>(widths_.size()); }
    void Resize(int count) { widths_.resize(static_cast<std::size_t>(count), 0); }
    int Width(int index) const;
    void SetWidth(int index, int width);
    // The start of cell index, counted from 0.
    int Start(int index) const;
    void BeginUpdate() { ++updates_; }
    void EndUpdate() { --updates_; }

private:
    void Check(int index) const;
    std::vector<int> widths_;
    int updates_ = 0;
};

// Children with bounds, drawn in order; a new bounds lays them out again.
class TLayout : public TDrawable {
public:
    void Add(TDrawable& child) { children_.push_back(&child); }
    int Count() const { return static_cast<int>(children_.size()); }
    TDrawable& Child(int i) const { return *children_[static_cast<std::size_t>(i)]; }
    void Draw(QPainter& canvas) override;
    void SetBounds(const QRect& r) override;

protected:
    virtual void Layout() = 0;
    std::vector<TDrawable*> children_;
};

// Cells one after another along x (horizontal) or y, each as wide as the bounds across.
// Without widths of its own the bounds are shared out evenly, the last cell taking the rest.
class TLineLayout : public TLayout {
public:
    enum TOrientation { Horizontal, Vertical };
    explicit TLineLayout(TOrientation orientation = Horizontal);
    TOrientation Orientation() const { return orientation_; }
    bool AutoWidths = true;
    bool DrawSeparators = true;
    TWidths& Widths() { return widths_; }
    void Draw(QPainter& canvas) override;

protected:
    void Layout() override;

private:
    TOrientation orientation_;
    TWidths widths_;
};

// Equal cells filled row after row, a gap between them; the rest of the division stays unused
// at the right and the bottom. Lines in the gaps, then the children.
class TGridLayout : public TLayout {
public:
    enum TAuto { None, RowsComputed, ColumnsComputed };
    int Gap = 1;
    void SetAuto(TAuto mode) { auto_ = mode; }
    void SetRows(int rows);
    void SetColumns(int columns);
    int Rows() const;
    int Columns() const;
    void Draw(QPainter& canvas) override;

protected:
    void Layout() override;

private:
    TAuto auto_ = None;
    int rows_ = 1;
    int columns_ = 1;
};

// A frame around another object, which gets the bounds shrunk by the pen's width.
class TBorderDecorator : public TDrawable {
public:
    explicit TBorderDecorator(TDrawable& inner) : inner_(inner) {}
    void SetPen(const QPen& pen);
    void Draw(QPainter& canvas) override;
    void SetBounds(const QRect& r) override;

private:
    TDrawable& inner_;
    QPen pen_{Qt::black, 1};
};

// What a printable object draws its pages on: the paper in device pixels, the printable part
// within the margins, and the pages themselves.
class IPrintTarget {
public:
    virtual ~IPrintTarget() = default;
    virtual QRect PageRect() const = 0;
    virtual const TpaDPI& Dpi() const = 0;
    // One painter for every page of the document.
    virtual QPainter& Canvas() = 0;
    virtual void NewPage() = 0;
};

class IPrintable {
public:
    virtual ~IPrintable() = default;
    // Draws every page; the first one is open when called.
    virtual void PrintOn(IPrintTarget& target) = 0;
};

// A font of size points at the device's resolution.
QFont DeviceFont(const QString& family, int points, const TpaDPI& dpi);

} // namespace kelvo
