#include "graphics/colour_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "graphics/shape_decoder.h"

namespace brackle {

TFormColour::TFormColour(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormColour"));
    setWindowTitle(QStringLiteral("16 Bit Monitor Transparency Colour setup"));
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(QStringLiteral("The palette colour the unit icons are drawn on. Where an icon's own "
                                           "colours vanish from the Units page, try another."),
                            this);
    note->setObjectName(QStringLiteral("Label1"));
    note->setWordWrap(true);
    layout->addWidget(note);

    auto* row = new QHBoxLayout;
    auto* caption = new QLabel(QStringLiteral("Transparent colour"), this);
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(0, 255);
    SpinEdit1->setToolTip(QStringLiteral("Palette index 0..255 (240 as the game ships)"));
    caption->setBuddy(SpinEdit1);
    Swatch = new QLabel(this);
    Swatch->setObjectName(QStringLiteral("ColourSwatch"));
    Swatch->setFixedSize(40, 20);
    Swatch->setFrameShape(QFrame::Box);
    Swatch->setAutoFillBackground(true);
    row->addWidget(caption);
    row->addWidget(SpinEdit1);
    row->addWidget(Swatch);
    row->addStretch(1);
    layout->addLayout(row);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    layout->addLayout(buttons);

    connect(SpinEdit1, &QSpinBox::valueChanged, this, &TFormColour::SpinEdit1Change);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &TFormColour::reject);
}

int TFormColour::Run(int colour, const std::function<void(int)>& apply)
{
    remembered_ = std::clamp(colour, 0, 255);
    apply_ = apply;
    {
        const QSignalBlocker quiet(SpinEdit1);
        SpinEdit1->setValue(remembered_);
    }
    SpinEdit1Change(remembered_);
    SpinEdit1->setFocus();
    SpinEdit1->selectAll();
    running_ = true;
    const int result = exec();
    running_ = false;
    apply_ = nullptr;
    return result == QDialog::Accepted ? SpinEdit1->value() : remembered_;
}

void TFormColour::SpinEdit1Change(int value)
{
    const auto& rgb = ShapePalette()[static_cast<std::size_t>(std::clamp(value, 0, 255))];
    QPalette p = Swatch->palette();
    p.setColor(QPalette::Window, QColor(rgb[0], rgb[1], rgb[2]));
    Swatch->setPalette(p);
    // Showing the remembered value on opening redraws nothing.
    if (apply_ && running_)
        apply_(value);
}

void TFormColour::reject()
{
    // Escape and the close box come here too.
    if (running_ && apply_ && SpinEdit1->value() != remembered_) {
        const QSignalBlocker quiet(SpinEdit1);
        SpinEdit1->setValue(remembered_);
        apply_(remembered_);
    }
    QDialog::reject();
}

}  // namespace brackle
