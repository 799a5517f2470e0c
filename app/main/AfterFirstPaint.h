// Work that must not delay the first sight of a window: it runs once the window has painted for
// the first time, as soon as the event loop is free again.
#pragma once

#include <functional>

class QWidget;

void RunAfterFirstPaint(QWidget& window, std::function<void()> task);
