#pragma once
// A captioned group of radio buttons, one item selected, chosen by its index.
#include <QGroupBox>
#include <functional>

class QButtonGroup;
class QRadioButton;

class TRadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    TRadioGroup(const QString &caption, const QStringList &items, QWidget *parent = nullptr);

    int ItemIndex() const;
    void SetItemIndex(int index);
    QRadioButton *Item(int index) const;

    std::function<void()> OnClick;   // another item was chosen (a click, an arrow key)

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QButtonGroup *m_group;
};
