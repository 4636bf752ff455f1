#pragma once

// The main panel's page list and the header that starts every page.

#include <QListWidget>
#include <QString>
#include <QWidget>

class QLabel;
class QToolButton;

namespace kelvo {

// The four pages as large, owner-drawn items: a picture above a white caption on grey.
class TPageList : public QListWidget {
    Q_OBJECT
public:
    explicit TPageList(QWidget* parent = nullptr);
    void AddPage(const QString& caption, const QIcon& picture);

protected:
    void resizeEvent(QResizeEvent* event) override;
};

// A grey strip with the page's name in white bold; the Calendar page's header holds a button
// at its right end.
class TPageHeader : public QWidget {
    Q_OBJECT
public:
    TPageHeader(const QString& caption, QWidget* parent = nullptr);
    // Created on first use; kept right-aligned, as wide as its text + 10 pixels.
    QToolButton* Button();
    QLabel* Caption() const { return caption_; }

private:
    QLabel* caption_;
    QToolButton* button_ = nullptr;
};

// The pictures of the pages: 0 templates, 1 calendar, 2 filter, 3 all events.
QIcon PagePicture(int page);

} // namespace kelvo
