#pragma once
// Windows that have no place of their own open centred over the window they belong to (their
// parent); one too tall for that opens with its top at the parent's top. Either way it is moved
// only as far as needed to lie wholly on the screen, title bar included.
#include <QPoint>
#include <QRect>

class QWidget;

void CentreOverParentWhenShown(QWidget *window);
// The top-left corner of the frame of `window` centred over `over`, kept on the screen.
void CentreOver(QWidget *window, const QWidget *over);

// The top-left corner for a window frame at `frame`, moved only as far as needed to lie wholly
// within `screen` (its available area); a frame larger than that keeps its top-left corner on it.
QPoint KeepOnScreen(const QRect &frame, const QRect &screen);
