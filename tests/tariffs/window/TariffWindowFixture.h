#pragma once
// A running main window (scripted dial-up entries, settings stored) and one of the tariff
// setup windows on top of it, shown without a modal loop so a test can drive it control by control.
#include "tests/support/MainWindowFixture.h"

#include "tariffs/TariffInput.h"

#include <QTest>
#include <QWidget>
#include <memory>
#include <type_traits>

// The dial-up entries of the fixture's connection monitor, handed over as the program does.
inline TConnectionSource ConnectionsOf(const MainWindowFixture &f)
{
    return [&f] {
        return TConnectionLists{f.window->Connection->AvailableNumbers(), f.window->Connection->AvailableEntries()};
    };
}

template <typename Window>
struct TariffWindowFixture : MainWindowFixture
{
    std::unique_ptr<Window> form;

    explicit TariffWindowFixture(const QStringList &entries = {QStringLiteral("Anbieter")})
        : MainWindowFixture(EncodeDateTime(2026, 12, 9, 10, 0, 0))
    {
        for (int i = 0; i < entries.size(); ++i) ras.addEntry(entries[i], QStringLiteral("019101%1").arg(i));
        storeSettings(100);
        start();
        if constexpr (std::is_constructible_v<Window, QWidget *, TConnectionSource>)
            form = std::make_unique<Window>(nullptr, ConnectionsOf(*this));
        else
            form = std::make_unique<Window>();
    }
    ~TariffWindowFixture() { form.reset(); }

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
