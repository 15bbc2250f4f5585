#pragma once
// The texts of the boxes shown in test mode, in their order.
#include "ui/MessageBox.h"

#include <QStringList>

inline QStringList ShownTexts()
{
    QStringList texts;
    for (const auto &shown : MessageBox::History()) texts << shown.text;
    return texts;
}
