#pragma once
// The two ends of a window's life that every window shares: the work done when the program shows
// it, and the global pointer it is known by (TarifForm, Auswertung, ...), cleared when it goes.
#include <functional>

class QWidget;

// Runs work each time the program shows window (not when the desktop merely restores it).
void OnShow(QWidget *window, std::function<void()> work);
// Runs work the first time the program shows window: pictures, made when first needed rather than
// at start-up.
void OnFirstShow(QWidget *window, std::function<void()> work);

// A member of the window: when the window goes, the global that still names it is cleared, so
// nothing reaches a deleted window through it.
template <typename Window>
class TInstanceSlot
{
public:
    TInstanceSlot(Window *&global, Window *self) : m_global(global), m_self(self) {}
    ~TInstanceSlot()
    {
        if (m_global == m_self) m_global = nullptr;
    }
    TInstanceSlot(const TInstanceSlot &) = delete;
    TInstanceSlot &operator=(const TInstanceSlot &) = delete;

private:
    Window *&m_global;
    Window *const m_self;
};
