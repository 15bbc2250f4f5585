// Every window as a screen reader sees it, through the accessibility tree: no input without a
// name, the budget bar a named progress bar with its value, the windows in English with English
// chosen.
#include "app/Windows.h"
#include "core/Language.h"
#include "evaluation/window/Auswertung.h"
#include "mainwindow/BudgetBar.h"
#include "online/window/Feedback.h"
#include "online/window/Info.h"
#include "online/window/Update.h"
#include "tariffs/window/AssistentForm.h"
#include "tariffs/window/SettingForm.h"
#include "tariffs/window/SlotPages.h"
#include "tariffs/window/TarifForm.h"
#include "tests/support/MainWindowFixture.h"
#include "ui/Translations.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {
const QList<QAccessible::Role> InputRoles{QAccessible::EditableText, QAccessible::ComboBox, QAccessible::List,
                                          QAccessible::Tree,         QAccessible::Table,    QAccessible::CheckBox,
                                          QAccessible::RadioButton,  QAccessible::SpinBox,  QAccessible::ProgressBar};

// The inputs below iface, each as "objectName: name".
void collectInputs(QAccessibleInterface *iface, QStringList &inputs)
{
    if (InputRoles.contains(iface->role())) {
        const QObject *o = iface->object();
        inputs << (o ? o->objectName() : QStringLiteral("?")) + QStringLiteral(": ") + iface->text(QAccessible::Name);
    }
    for (int i = 0; i < iface->childCount(); ++i)
        if (QAccessibleInterface *child = iface->child(i)) collectInputs(child, inputs);
}

// All windows made as the program makes them, with the tariff editor's new-tariff page and two
// slots a day in the wizard, so every kind of field exists.
struct AllWindows
{
    MainWindowFixture f{EncodeDateTime(2026, 5, 4, 10, 0, 0)};
    THauptfenster *main;
    explicit AllWindows(const QString &language = QStringLiteral("german"))
    {
        if (language != QLatin1String("german")) {
            QFile::copy(QStringLiteral(MINUTRIX_LANGUAGES_DIR "/") + language + ".qlf", f.dir.file(language + ".qlf"));
        }
        f.storeSettings(100);
        Sprache.set(language);
        SaveSettings();
        main = &f.start();
        CreateWindows(main);
        TarifForm->SpeedButton1Click();
        AssistentForm->Slots->RebuildSlots(2);
    }
    ~AllWindows() { InstallTranslations(QStringLiteral("de")); }
    QWidget *window(const QString &name) const
    {
        if (name == QLatin1String("Hauptfenster")) return main;
        return main->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
    }
};
}

class TestAccessibility : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyInput_hasAName_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("inputs");   // at least this many: the walk reached the fields
        QTest::newRow("main window") << "Hauptfenster" << 1;
        QTest::newRow("info") << "Infofenster" << 0;
        QTest::newRow("settings") << "SettingForm" << 3;
        QTest::newRow("tariff editor") << "TarifForm" << 6 + 4 + 3;
        QTest::newRow("auto-update") << "Autoupdate" << 2;
        QTest::newRow("evaluation") << "Auswertung" << 2;
        QTest::newRow("wizard") << "AssistentForm" << 7 + 3 + 7 * 2 * 4;
        QTest::newRow("feedback") << "FeedbackForm" << 2;
    }
    void everyInput_hasAName()
    {
        QFETCH(QString, window);
        QFETCH(int, inputs);
        AllWindows all;
        QWidget *w = all.window(window);
        QVERIFY(w);
        QStringList found;
        collectInputs(QAccessible::queryAccessibleInterface(w), found);
        QVERIFY2(found.size() >= inputs, qPrintable(found.join(QLatin1Char('\n'))));
        const QStringList unnamed = found.filter(QRegularExpression(QStringLiteral(": $")));
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char(','))));
    }

    // The bar says what it shows: its position within 0 and the maximum, as a value and in per cent.
    void budgetBar_reportsItsValue_data()
    {
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("part") << 30 << 12 << 12 << "40 %";
        QTest::newRow("over the limit") << 30 << 45 << 30 << "100 %";
        QTest::newRow("no limit, cost") << 0 << 5 << 0 << "100 %";
        QTest::newRow("nothing yet") << 30 << 0 << 0 << "0 %";
    }
    void budgetBar_reportsItsValue()
    {
        QFETCH(int, max);
        QFETCH(int, position);
        QFETCH(int, value);
        QFETCH(QString, text);
        AllWindows all;
        all.main->BudgetBar->SetMax(max);
        all.main->BudgetBar->SetPosition(position);
        QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(all.main->BudgetBar);
        QCOMPARE(bar->role(), QAccessible::ProgressBar);
        QVERIFY(!bar->text(QAccessible::Name).isEmpty());
        QAccessibleValueInterface *v = bar->valueInterface();
        QVERIFY(v);
        QCOMPARE(v->currentValue().toInt(), value);
        QCOMPARE(v->maximumValue().toInt(), std::max(0, max));
        QCOMPARE(bar->text(QAccessible::Value), text);
        // The cost and the duration are read as they are shown, and say what they are.
        for (QLabel *label : {all.main->LKosten, all.main->LDauer}) {
            QAccessibleInterface *l = QAccessible::queryAccessibleInterface(label);
            QCOMPARE(l->text(QAccessible::Name), label->text());
            QVERIFY(!l->text(QAccessible::Description).isEmpty());
        }
    }

    // With english.qlf chosen the windows' own texts and Qt's buttons are English; the texts of the
    // language file come from it as before.
    void englishChosen_windowsInEnglish_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("german");   // the window's title in German
        QTest::newRow("settings") << "SettingForm"
                                  << "Einstellungen";
        QTest::newRow("tariff editor") << "TarifForm"
                                       << "Tarife";
        QTest::newRow("evaluation") << "Auswertung"
                                    << "Auswertung";
        QTest::newRow("update") << "Autoupdate"
                                << "";
        QTest::newRow("feedback") << "FeedbackForm"
                                  << "";
        QTest::newRow("wizard") << "AssistentForm"
                                << "Einstellungs-Assistent";
    }
    void englishChosen_windowsInEnglish()
    {
        QFETCH(QString, window);
        QFETCH(QString, german);
        AllWindows all(QStringLiteral("english"));
        QCOMPARE(TranslationLocale(), QStringLiteral("en"));
        QWidget *w = all.window(window);
        QVERIFY(!w->windowTitle().isEmpty());
        if (!german.isEmpty()) QVERIFY(w->windowTitle() != german);
        QCOMPARE(SettingForm->BitBtn2->text(), QStringLiteral("Cancel"));   // Qt's own, not "Abbrechen"
        QCOMPARE(SettingForm->SBundesland->itemText(1), QStringLiteral("Bavaria"));
        QCOMPARE(all.main->Tarife1->text(), QStringLiteral("Tariffs"));   // from the language file
        QCOMPARE(Monate[3], QStringLiteral("March"));
        // The longer English texts fit their places: no label is cut or runs into a control.
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QStringList clashes;
        for (QLabel *l : w->findChildren<QLabel *>()) {
            if (!l->pixmap().isNull() || l->text().isEmpty()) continue;
            if (!l->wordWrap() && l->sizeHint().width() > l->width()) clashes << l->objectName() + " cut";
            for (QObject *o : l->parentWidget()->children())
                if (auto *s = qobject_cast<QWidget *>(o); s && s != l && !qobject_cast<QLabel *>(s) && !s->isHidden()
                                                          && s->geometry().intersects(l->geometry()))
                    clashes << l->objectName() + " over " + s->objectName();
        }
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(", ")));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_gui_accessibility.moc"
