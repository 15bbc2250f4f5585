#include "ui/AccessibleName.h"

#include <QLabel>

void NameField(QLabel *label, QWidget *field)
{
    if (label->parentWidget() == field->parentWidget())
        label->setBuddy(field);
    else
        field->setAccessibleName(label->text());
}

void NameField(QWidget *field, const QString &name) { field->setAccessibleName(name); }
