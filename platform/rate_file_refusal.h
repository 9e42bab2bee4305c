#pragma once

#include <QString>

#include "ratedata/rate_file.h"

class QWidget;

namespace levywise {

class Platform;

inline constexpr const char* kFileRefusedTitle = "Tax rate file not loaded";

// Text taken from a file, fit for a message box: control characters (the
// NULs of a binary file, an escape) show as a replacement mark.
QString Printable(QString text);

// Tells the user why a rate file was not loaded, naming the file as the user
// chose it, under the title of its kind of refusal.
void TellRateFileRefused(QWidget* parent, Platform& platform, const QString& path,
                         const RateFileRead& read);

} // namespace levywise
