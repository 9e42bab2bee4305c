#pragma once

#include <QString>

namespace levywise {

// The folder of the sample county installed with the program, found from the
// program's own folder, so that it holds wherever the tree was installed;
// empty where there is none (a build tree).
QString InstalledSampleFolder();

// What the file dialog proposes at the first start after the rate file was
// not found. A new user, who has no settings file, gets the sample county's
// file of the same name and so reaches an estimate with one confirmation; a
// user whose settings file named the file gets that missing path, as ever,
// rather than another county's rates.
QString FirstRunProposal(const QString& missingPath, bool settingsFilePresent,
                         const QString& sampleFolder);

} // namespace levywise
