#pragma once

#include <QKeyCombination>
#include <QPointer>
#include <optional>
#include <string>

#include "calc/record.h"

class QAction;
class QMenu;
class QString;
class QWidget;

namespace levywise {

class Platform;
class frmCompare;

// The main window's "what if" and "on paper" commands: the estimate shown
// now, the one kept for comparison, the comparison window and the worksheet.
class WhatIf {
public:
    WhatIf(QWidget& window, Platform& platform);
    ~WhatIf();
    WhatIf(const WhatIf&) = delete;
    WhatIf& operator=(const WhatIf&) = delete;

    // The estimate just shown; the comparison window, when open, follows it.
    void Shown(EstimateRecord record);
    // The estimate shown now; null before the first.
    const EstimateRecord* shown() const { return shown_ ? &*shown_ : nullptr; }

    void Keep();           // "Keep for Comparison"
    void ShowComparison(); // "Show Comparison"
    void ShowWorksheet();  // "Estimate Worksheet…"
    void CloseComparison();

private:
    void refresh();

    QWidget& window_;
    Platform& platform_;
    std::optional<EstimateRecord> shown_;
    std::optional<EstimateRecord> kept_;
    // A window of its own, not a child of the main window: nothing of the
    // main window changes because of it. Closing it discards it.
    QPointer<frmCompare> compare_;
};

// The three menu items of those commands, put in the menu before the given item.
struct WhatIfMenuItems {
    QAction* Keep;
    QAction* ShowCompare;
    QAction* Worksheet;
};
WhatIfMenuItems AddWhatIfMenuItems(QMenu* menu, QAction* before);

// A menu item named and with its shortcut, put in the menu before the given item.
QAction* MenuItemBefore(QMenu* menu, QAction* before, const char* name, const QString& caption,
                        QKeyCombination key);

} // namespace levywise
