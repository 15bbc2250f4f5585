#include "ui/AccessibleName.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>

void NameField(QLabel *label, QWidget *field)
{
    if (label->parentWidget() == field->parentWidget())
        label->setBuddy(field);
    else
        field->setAccessibleName(label->text());
    // A drop-down list's open list is read on its own, by the same name.
    if (auto *combo = qobject_cast<QComboBox *>(field)) combo->view()->setAccessibleName(label->text());
}

void NameField(QWidget *field, const QString &name) { field->setAccessibleName(name); }
