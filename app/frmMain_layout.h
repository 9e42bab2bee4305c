#pragma once

namespace levywise {

class frmMain;

// Creates every control and menu of the main window with its name, caption,
// tooltip and initial state, and places it at its design position.
void BuildMainWindowControls(frmMain& window);

} // namespace levywise
