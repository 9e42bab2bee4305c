#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace levywise {

class Platform;

// The settings file read at start-up, by the first rule that finds one:
// a levywise.ini in the current folder, which the program only reads (it
// belongs to whoever put it there); else the user's own levywise.ini in the
// user's configuration folder, where the program also remembers the rate
// file last opened. Empty when there is neither.
struct SettingsFile {
    QString path;
    bool usersOwn = false;
};
SettingsFile FindSettingsFile(Platform& platform);

// The user's settings file, whether or not it exists yet; empty when the
// desktop offers no configuration folder.
QString UsersSettingsPath(Platform& platform);

// Remembers the rate file just opened in the user's settings file, unless a
// settings file in the current folder rules. Leaves the file as it was when
// the path cannot be read back whole (see SettingsWithRateFile) or the file
// cannot be written.
void RememberRateFile(Platform& platform, const QString& rateFile);

// Settings text with "TaxRateFile" and "TaxRatePath" of section "general"
// set to the given file name and folder (bytes as the file system takes
// them); every other line stays as it was. Nothing when a value could not be
// read back as it is: longer than the 119 characters a value may have, or
// holding a line end.
std::optional<QByteArray> SettingsWithRateFile(const QByteArray& text, const QByteArray& folder,
                                               const QByteArray& fileName);

} // namespace levywise
