#pragma once

// A colour button: a drop-down of the named colours and "&Other..." for any colour. The value
// is a stored colour (0x00BBGGRR, or a system colour as the data files keep it).

#include <QToolButton>
#include <cstdint>

namespace kelvo::editors {

class TpaColorButton : public QToolButton {
    Q_OBJECT
public:
    explicit TpaColorButton(const QString& text, QWidget* parent = nullptr);

    std::int32_t Value() const { return value_; }
    void SetValue(std::int32_t value);

signals:
    void valueChanged(std::int32_t value);

private:
    void ChooseOther();
    void Repaint();

    std::int32_t value_ = 0;
};

} // namespace kelvo::editors
