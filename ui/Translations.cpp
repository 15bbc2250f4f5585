#include "ui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <functional>

namespace {
QString installedLocale;
QTranslator *qtTranslator = nullptr;
QTranslator *ownTranslator = nullptr;

void replace(QTranslator *&slot, const std::function<bool(QTranslator &)> &load)
{
    if (slot) {
        QCoreApplication::removeTranslator(slot);
        delete slot;
        slot = nullptr;
    }
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (load(*translator) && QCoreApplication::installTranslator(translator))
        slot = translator;
    else
        delete translator;
}
}

void InstallTranslations(const QString &locale)
{
    if (locale == installedLocale) return;
    installedLocale = locale;
    const QLocale language(locale);
    replace(qtTranslator, [&](QTranslator &t) {
        // Qt's own texts are English: "en" loads nothing and leaves them as they are.
        return t.load(language, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    });
    replace(ownTranslator, [&](QTranslator &t) {
        return language.language() != QLocale::German
               && t.load(language, QStringLiteral("minutrix"), QStringLiteral("_"), QStringLiteral(":/i18n"));
    });
}

QString TranslationLocale() { return installedLocale; }
