#include "tariffs/window/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QStringList>

TRadioGroup::TRadioGroup(const QString &caption, const QStringList &items, QWidget *parent)
    : QGroupBox(caption, parent), m_group(new QButtonGroup(this))
{
    for (int i = 0; i < items.size(); ++i) {
        auto *b = new QRadioButton(items[i], this);
        b->setObjectName(QStringLiteral("Item%1").arg(i));
        m_group->addButton(b, i);
    }
    // A click and an arrow key that moves the selection both count.
    connect(m_group, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on && OnClick) OnClick();
    });
}

int TRadioGroup::ItemIndex() const { return m_group->checkedId(); }

void TRadioGroup::SetItemIndex(int index)
{
    if (QAbstractButton *b = m_group->button(index)) b->setChecked(true);
}

QRadioButton *TRadioGroup::Item(int index) const { return static_cast<QRadioButton *>(m_group->button(index)); }

void TRadioGroup::resizeEvent(QResizeEvent *event)
{
    QGroupBox::resizeEvent(event);
    // The items share the height below the caption evenly, each at the left of its row.
    const auto buttons = m_group->buttons();
    if (buttons.isEmpty()) return;
    const QRect area = contentsRect().adjusted(8, 0, -8, 0);   // below the caption, inside the frame
    const int rowHeight = area.height() / int(buttons.size());
    for (int i = 0; i < buttons.size(); ++i)
        m_group->button(i)->setGeometry(area.left(), area.top() + i * rowHeight, area.width(), rowHeight);
}
