#pragma once
// The main window's budget bar: a plain bar from 0 to its maximum. A position above the maximum
// (or any positive position with maximum 0) shows a full bar; it never animates, so an idle
// program draws nothing between ticks.
#include <QWidget>

class TBudgetBar : public QWidget
{
public:
    explicit TBudgetBar(QWidget *parent = nullptr);
    int Max() const { return m_max; }
    int Position() const { return m_position; }
    void SetMax(int max);
    void SetPosition(int position);
    double FilledFraction() const;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    int m_max = 100;
    int m_position = 0;
};
