#pragma once
// Pictures and labels that act as links: a left click on the widget runs the handler.
#include <functional>

class QWidget;

void OnClick(QWidget *widget, std::function<void()> handler);
