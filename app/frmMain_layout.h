#pragma once

class QMainWindow;

namespace levywise {

struct frmMainControls;

// Creates every control and menu of the main window with its name, caption,
// tooltip and initial state, and places it at its design position.
void BuildMainWindowControls(QMainWindow& window, frmMainControls& controls);

} // namespace levywise
