#pragma once
// The display of an error that no handler caught: the message in an error box, and the program
// goes on. Event handlers run their work through Guarded so nothing throws across the event loop.
#include <QString>
#include <exception>
#include <utility>

void ShowException(const QString &message);
void ShowException(const std::exception &e);

template <typename F>
void Guarded(F &&work)
{
    try {
        std::forward<F>(work)();
    } catch (const std::exception &e) {
        ShowException(e);
    } catch (...) {
        ShowException(QStringLiteral("Unbekannter Fehler"));
    }
}
