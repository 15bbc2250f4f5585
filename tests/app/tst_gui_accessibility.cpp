// Every window as a screen reader sees it, through the accessibility tree: no input without a
// name, the budget bar a progress bar with its value; and with English chosen the windows in
// English, their longer texts still in place.
#include "app/Windows.h"
#include "mainwindow/BudgetBar.h"
#include "tariffs/window/AssistentForm.h"
#include "tariffs/window/SettingForm.h"
#include "tariffs/window/SlotPages.h"
#include "tariffs/window/TarifForm.h"
#include "tests/support/MainWindowFixture.h"
#include "ui/Translations.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {
// The inputs below iface, each as "objectName: name".
void collectInputs(QAccessibleInterface *iface, QStringList &inputs)
{
    using A = QAccessible;
    static const QList<A::Role> roles{A::EditableText, A::ComboBox,    A::List,    A::Tree,       A::Table,
                                      A::CheckBox,     A::RadioButton, A::SpinBox, A::ProgressBar};
    if (roles.contains(iface->role())) inputs << iface->object()->objectName() + ": " + iface->text(A::Name);
    for (int i = 0; i < iface->childCount(); ++i) collectInputs(iface->child(i), inputs);
}

// All windows as the program makes them, with the tariff editor's new-tariff page and two slots a
// day in the wizard, so every kind of field exists.
struct AllWindows
{
    MainWindowFixture f{EncodeDateTime(2026, 5, 4, 10, 0, 0)};
    THauptfenster *main;
    explicit AllWindows(const QString &language = QStringLiteral("german"))
    {
        QFile::copy(QStringLiteral(MINUTRIX_LANGUAGES_DIR "/") + language + ".qlf", f.dir.file(language + ".qlf"));
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
        return name == "Hauptfenster" ? main : main->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
    }
};
}

class TestAccessibility : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyInput_hasAName_data()
    {
        QTest::addColumn<int>("inputs");   // at least this many: the walk reached the fields
        QTest::addColumn<QString>("window");
        QTest::newRow("main window") << 1 << "Hauptfenster";
        QTest::newRow("info") << 0 << "Infofenster";
        QTest::newRow("settings") << 3 << "SettingForm";
        QTest::newRow("tariff editor") << 6 + 4 + 3 << "TarifForm";
        QTest::newRow("auto-update") << 2 << "Autoupdate";
        QTest::newRow("evaluation") << 2 << "Auswertung";
        QTest::newRow("wizard") << 7 + 3 + 7 * 2 * 4 << "AssistentForm";
        QTest::newRow("feedback") << 2 << "FeedbackForm";
    }
    void everyInput_hasAName()
    {
        QFETCH(int, inputs);
        QFETCH(QString, window);
        AllWindows all;
        QStringList found;
        collectInputs(QAccessible::queryAccessibleInterface(all.window(window)), found);
        QVERIFY2(found.size() >= inputs, qPrintable(found.join(", ")));
        const QStringList unnamed = found.filter(QRegularExpression(QStringLiteral(": $")));
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
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
        QCOMPARE(bar->valueInterface()->currentValue().toInt(), value);
        QCOMPARE(bar->valueInterface()->maximumValue().toInt(), max);
        QCOMPARE(bar->text(QAccessible::Value), text);
        // The cost and the duration are read as they are shown, and say what they are.
        for (QLabel *label : {all.main->LKosten, all.main->LDauer}) {
            QAccessibleInterface *l = QAccessible::queryAccessibleInterface(label);
            QCOMPARE(l->text(QAccessible::Name), label->text());
            QVERIFY(!l->text(QAccessible::Description).isEmpty());
        }
    }

    // The windows' own texts and Qt's buttons in English, the language file's texts from it; no
    // label cut or run into a control by its longer English text.
    void englishChosen_windowsInEnglish_data()
    {
        QTest::addColumn<QString>("window");
        for (const char *window :
             {"SettingForm", "TarifForm", "Auswertung", "AssistentForm", "Autoupdate", "FeedbackForm"})
            QTest::newRow(window) << window;
    }
    void englishChosen_windowsInEnglish()
    {
        QFETCH(QString, window);
        AllWindows all(QStringLiteral("english"));
        QCOMPARE(SettingForm->windowTitle(), QStringLiteral("Settings"));
        QCOMPARE(SettingForm->BitBtn2->text(), QStringLiteral("Cancel"));   // Qt's own, not "Abbrechen"
        QCOMPARE(SettingForm->SBundesland->itemText(1), QStringLiteral("Bavaria"));
        QCOMPARE(all.main->Tarife1->text(), QStringLiteral("Tariffs"));   // from the language file
        QWidget *w = all.window(window);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QStringList clashes;
        for (QLabel *l : w->findChildren<QLabel *>()) {
            if (!l->pixmap().isNull() || l->text().isEmpty()) continue;
            if (!l->wordWrap() && l->sizeHint().width() > l->width()) clashes << l->objectName() + " cut";
            for (QWidget *s : l->parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                if (!qobject_cast<QLabel *>(s) && !s->isHidden() && s->geometry().intersects(l->geometry()))
                    clashes << l->objectName() + " over " + s->objectName();
        }
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(", ")));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_gui_accessibility.moc"
