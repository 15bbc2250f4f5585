#include "tariffs/window/SpinEdit.h"

#include "core/Convert.h"

#include <QCoreApplication>
#include <QKeyEvent>
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
    if (m_keepsTypedText) return;   // the line edit's own fix-up when it loses the focus
    // A text that is no whole number counts as 1, as the windows read the field.
    int v = 1;
    TryStrToInt(input, v);
    input = QString::number(std::clamp(v, minimum(), maximum()));
}

void TSpinEdit::focusOutEvent(QFocusEvent *event)
{
    if (!m_keepsTypedText) return QSpinBox::focusOutEvent(event);
    // Leaving the field would correct the text to the value; the text stays as typed.
    QCoreApplication::sendEvent(lineEdit(), event);
    QWidget::focusOutEvent(event);
}

void TSpinEdit::keyPressEvent(QKeyEvent *event)
{
    // Enter presses the window's default button with the text as typed.
    if (m_keepsTypedText && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) return event->ignore();
    QSpinBox::keyPressEvent(event);
}
