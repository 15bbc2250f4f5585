#pragma once
// One of the tariff setup windows over a program folder with stored settings, the dial-up entries
// handed to it as the program hands them, shown without a modal loop so a test can drive it
// control by control.
#include "core/SettingsStore.h"
#include "core/TarifStore.h"
#include "tariffs/TariffInput.h"
#include "tests/support/CoreFakes.h"
#include "tests/support/ShownTexts.h"
#include "ui/MessageBox.h"

#include <QTest>
#include <QWidget>
#include <memory>
#include <type_traits>

template <typename Window>
struct TariffWindowFixture
{
    TempProgramDir dir;
    FakeClock clock{EncodeDateTime(2026, 12, 9, 10, 0, 0)};
    ReportRecorder reports;
    std::unique_ptr<Window> form;

    // The entries "Anbieter" and so on, with the numbers 0191010, 0191011, ...
    explicit TariffWindowFixture(const QStringList &entries = {QStringLiteral("Anbieter")})
    {
        MessageBox::SetTestMode(true);
        Tarife.clear();
        SetupNullTarif();
        storeSettings(100);
        TConnectionLists lists{{}, entries};
        for (int i = 0; i < entries.size(); ++i) lists.Numbers << QStringLiteral("019101%1").arg(i);
        if constexpr (std::is_constructible_v<Window, QWidget *, TConnectionSource>)
            form = std::make_unique<Window>(nullptr, [lists] { return lists; });
        else
            form = std::make_unique<Window>();
    }
    ~TariffWindowFixture()
    {
        form.reset();
        MessageBox::SetTestMode(false);
        Tarife.clear();
    }
    void storeSettings(double limit, int state = 8) { StoreSettings(limit, state); }
    QStringList shownTexts() const { return ShownTexts(); }

    Window &show()
    {
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get())) qWarning("window not exposed");
        return *form;
    }

    template <typename T = QWidget>
    T *control(const char *name) const
    {
        return form->template findChild<T *>(QLatin1String(name));
    }
};
