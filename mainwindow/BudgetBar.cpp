#include "mainwindow/BudgetBar.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPainter>
#include <QStyleOptionFrame>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {
// What a screen reader is told of the bar: a progress bar whose value is the position, within
// 0 and the maximum, as the bar draws it.
class AccessibleBudgetBar : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit AccessibleBudgetBar(TBudgetBar *bar) : QAccessibleWidget(bar, QAccessible::ProgressBar) {}
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface *>(this)
                                                : QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value) return QStringLiteral("%1 %").arg(qRound(bar()->FilledFraction() * 100));
        return QAccessibleWidget::text(t);
    }
    QVariant currentValue() const override { return std::clamp(bar()->Position(), 0, std::max(0, bar()->Max())); }
    void setCurrentValue(const QVariant &) override {}   // only the monitoring moves it
    QVariant maximumValue() const override { return std::max(0, bar()->Max()); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    TBudgetBar *bar() const { return static_cast<TBudgetBar *>(widget()); }
};

QAccessibleInterface *budgetBarFactory(const QString &, QObject *object)
{
    auto *bar = dynamic_cast<TBudgetBar *>(object);
    return bar ? new AccessibleBudgetBar(bar) : nullptr;
}
}

TBudgetBar::TBudgetBar(QWidget *parent) : QWidget(parent)
{
    static const bool factoryInstalled = (QAccessible::installFactory(budgetBarFactory), true);
    Q_UNUSED(factoryInstalled);
    setAccessibleName(QCoreApplication::translate("TBudgetBar", "Budget"));
}

void TBudgetBar::SetMax(int max)
{
    if (max == m_max) return;
    m_max = max;
    update();
    QAccessibleValueChangeEvent event(this, m_position);
    QAccessible::updateAccessibility(&event);
}

void TBudgetBar::SetPosition(int position)
{
    if (position == m_position) return;
    m_position = position;
    update();
    QAccessibleValueChangeEvent event(this, position);
    QAccessible::updateAccessibility(&event);
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
