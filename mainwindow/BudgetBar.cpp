#include "mainwindow/BudgetBar.h"

#include <QPainter>
#include <QStyleOptionFrame>
#include <climits>
#include <cmath>

TBudgetBar::TBudgetBar(QWidget *parent) : QWidget(parent) {}

void TBudgetBar::SetMax(int max)
{
    if (max == m_max) return;
    m_max = max;
    update();
}

void TBudgetBar::SetPosition(int position)
{
    if (position == m_position) return;
    m_position = position;
    update();
}

double TBudgetBar::FilledFraction() const
{
    if (m_position <= 0) return 0.0;
    if (m_max <= 0 || m_position >= m_max) return 1.0;
    return double(m_position) / m_max;
}

void TBudgetBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    const int inner = r.width() - 4;
    const int filled = int(std::lround(inner * FilledFraction()));
    if (filled > 0) p.fillRect(QRect(2, 2, filled, r.height() - 4), palette().color(QPalette::Highlight));
}
