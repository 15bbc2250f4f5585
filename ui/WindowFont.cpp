#include "ui/WindowFont.h"

#include <QApplication>
#include <QStringList>

QFont WindowFont(int points, bool bold)
{
    static const bool substituted = [] {
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
        return true;
    }();
    Q_UNUSED(substituted);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

void UseWindowFontEverywhere() { QApplication::setFont(WindowFont()); }
