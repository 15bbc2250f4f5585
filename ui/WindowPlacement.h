#pragma once
// Windows that have no place of their own open centred over the window they belong to (their
// parent); one too tall for that opens with its top at the parent's top. Either way it is moved
// only as far as needed to lie wholly on the screen, title bar included.
class QWidget;

void CentreOverParentWhenShown(QWidget *window);
// The top-left corner of the frame of `window` centred over `over`, kept on the screen.
void CentreOver(QWidget *window, const QWidget *over);
