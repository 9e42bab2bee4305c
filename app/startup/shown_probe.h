#pragma once

#include <QStringList>

class QWidget;

namespace levywise {

// For start-up measurement: the option that asks the program to report when
// its window is first on screen and then to end.
inline constexpr const char* kExitWhenShownOption = "--exit-when-shown";

bool WantsExitWhenShown(const QStringList& arguments);

// Once the window has been painted for the first time, prints
//   levywise-shown-at-ns <nanoseconds since 1970 on the system clock>
// on standard output and ends the event loop with status 0. The measuring
// script compares that moment with the moment it started the program.
void ExitWhenShown(QWidget* window);

} // namespace levywise
