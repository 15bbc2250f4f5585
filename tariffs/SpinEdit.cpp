#include "SpinEdit.h"

#include "Convert.h"

#include <QLineEdit>
#include <algorithm>

TSpinEdit::TSpinEdit(int minimum, int maximum, QWidget *parent) : QSpinBox(parent)
{
    setRange(minimum, maximum);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

QValidator::State TSpinEdit::validate(QString &input, int &) const
{
    int v = 0;
    if (!TryStrToInt(input, v)) {
        const QString t = input.trimmed();
        return t.isEmpty() || t == QLatin1String("-") || t == QLatin1String("+") ? QValidator::Intermediate
                                                                                 : QValidator::Invalid;
    }
    return v >= minimum() && v <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

void TSpinEdit::fixup(QString &input) const
{
    // A text that is no whole number counts as 1, as the windows read the field.
    int v = 1;
    TryStrToInt(input, v);
    input = QString::number(std::clamp(v, minimum(), maximum()));
}
