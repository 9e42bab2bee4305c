#pragma once

#include <QPointer>
#include <functional>
#include <memory>

namespace levywise {

struct modMain;
class Platform;
class frmMain;
class frmCfgSpcl;
class frmRateTable;
class frmQuenbySplash;
class frmWhereTaxGoes;
class frmTaxHistory;
struct EstimateRecord;

// The program's windows and how they hand over to one another: the splash
// first, then the main window, which loads the rate file before it is
// shown; every other window is built when it is first opened. Exit closes
// the main, special-district and listing windows; closing the main window
// any other way closes the special-district window only, so an open listing
// keeps the program running until its "Done". The windows that picture the
// main window's estimate follow each calculation and close with it.
//
// The tables and the desktop services belong to the caller and must outlive
// the application object, which deletes every window that is still there
// when it goes.
class Application {
public:
    Application(modMain& data, Platform& platform);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Shows the splash, which opens the main window when it ends; without
    // the splash the main window opens at once. Only the first call counts.
    void start(bool withSplash);

    // Called once with the main window after its rate file was loaded, just
    // before it is first shown.
    void setBeforeMainWindowShown(std::function<void(frmMain&)> hook) {
        beforeMainWindowShown_ = std::move(hook);
    }

    // Each is null while the window does not exist.
    frmMain* mainWindow() const { return main_.get(); }
    frmCfgSpcl* specialsWindow() const;
    frmRateTable* rateTable() const;
    frmQuenbySplash* splash() const;
    frmWhereTaxGoes* whereTaxGoes() const;
    frmTaxHistory* taxHistory() const;

private:
    void openMainWindow();
    void showRateTable();
    void closeRateTable();
    void showWhereTaxGoes(const EstimateRecord& record);
    void showTaxHistory(const EstimateRecord& record);
    void follow(const EstimateRecord& record);
    void closeFollowers();

    modMain& data_;
    Platform& platform_;
    bool started_ = false;
    std::function<void(frmMain&)> beforeMainWindowShown_;
    QPointer<frmQuenbySplash> splash_;
    std::unique_ptr<frmMain> main_;
    // Built afresh on each opening and discarded by its "Done"; it has no
    // parent, so it can outlive the main window.
    QPointer<frmRateTable> rateTable_;
    // Windows of their own that their "Close" discards.
    QPointer<frmWhereTaxGoes> whereTaxGoes_;
    QPointer<frmTaxHistory> taxHistory_;
};

} // namespace levywise
