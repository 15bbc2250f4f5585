#pragma once
// A spin field for a whole number within a range. A value typed outside the range stays in the
// field without changing the value until the field is left; then it is brought to the nearer
// bound, which is itself a change of value. A field that keeps what is typed is never corrected:
// its text is what the window reads, so what it shows is what counts.
#include <QSpinBox>

class TSpinEdit : public QSpinBox
{
    Q_OBJECT
public:
    TSpinEdit(int minimum, int maximum, QWidget *parent = nullptr);
    void SetKeepsTypedText(bool keep) { m_keepsTypedText = keep; }

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_keepsTypedText = false;
};
