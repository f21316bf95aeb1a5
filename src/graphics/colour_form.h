// The transparency colour dialog: the palette index the unit page's icons are
// drawn on, tried out live on the unit shown and kept only with OK.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QSpinBox;

namespace brackle {

class TFormColour : public QDialog {
    Q_OBJECT
public:
    explicit TFormColour(QWidget* parent = nullptr);

    // Shows the dialog modally on colour. Each change of SpinEdit1 hands its
    // value to apply (which sets the colour and redraws the unit); OK keeps the
    // last value, Cancel, Escape or closing hands colour back to apply. Gives
    // the colour in force afterwards.
    int Run(int colour, const std::function<void(int)>& apply);

    void reject() override;

private:
    void SpinEdit1Change(int value);

    QSpinBox* SpinEdit1;
    QLabel* Swatch;
    QPushButton* Button1;
    QPushButton* Button2;
    std::function<void(int)> apply_;
    int remembered_ = 0;
    bool running_ = false;
};

}  // namespace brackle
