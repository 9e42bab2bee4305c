#pragma once

#include <QString>

namespace levywise {

class frmMain;

inline constexpr const char* kSettingsFileName = "levywise.ini";
inline constexpr const char* kFileNotFoundTitle = "Required file not found";
// Proposed in the file dialog when the user loads another file.
inline constexpr const char* kReloadProposal = "ratefile.tab";

// Decides which rate file to load. The first call of the run takes it from
// the settings file (see FindSettingsFile) or, without one, is taxrate.tab
// in the current folder or else the installed sample county; when that file
// is missing, it offers the file dialog. Later calls go straight to the
// dialog. Returns the full path, or an empty text when the user chose none.
// Leaves the path in the window's caption.
QString LocateRateFile(frmMain& window);

// Loads a rate file and prepares both windows for a fresh estimate of its
// county: lists filled, inputs cleared, special districts shown, first
// estimate done. When no file is chosen, or the file has the wrong version
// or cannot be read, the user is told (except for a cancel) and nothing at
// all changes: tables, lists, captions, figures and the special-district
// page stay as they were.
void LoadRateFile(frmMain& window);

} // namespace levywise
