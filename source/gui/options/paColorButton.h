#pragma once

#include "core/options/paFont.h"

#include <QToolButton>

class QFrame;

namespace kelvo {

// A small button showing a colour; clicking it opens a pop-up of 20 colour cells and a
// button for any other colour. With a text, the text stands beside the colour.
class TpaColorButton : public QToolButton {
    Q_OBJECT
public:
    explicit TpaColorButton(QWidget* parent = nullptr);
    TpaColorButton(const QString& text, QWidget* parent);

    TColor Value() const { return value_; }
    void SetValue(TColor value);
    QString ButtonCaption() const { return caption_; }
    void SetButtonCaption(const QString& caption) { caption_ = caption; }

    // The 20 colours of the pop-up, in order.
    static const TColor Palette[20];
    // The pop-up while it is open (for keyboard users' screen readers and the tests).
    QFrame* Popup() const { return popup_; }
    void ShowPopup();

    QSize sizeHint() const override;

signals:
    void changed(kelvo::TColor value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Choose(TColor value);
    void ChooseOther();

    TColor value_ = 0;
    QString caption_;
    QFrame* popup_ = nullptr;
};

} // namespace kelvo
