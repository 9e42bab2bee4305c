#pragma once

class QMainWindow;

namespace levywise {

struct frmMainControls;

// Creates every control and menu of the main window with its name, caption,
// tooltip and initial state, and places it at its design position; the
// "County Tax", "City Tax" and "School Tax" tabs get empty pages.
void BuildMainWindowControls(QMainWindow& window, frmMainControls& controls);

// Creates the controls of the "County Tax", "City Tax" and "School Tax" tabs
// on their pages, once the window is built.
void BuildUnitTabControls(frmMainControls& controls);

} // namespace levywise
