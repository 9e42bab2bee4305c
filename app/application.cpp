#include "app/application.h"

#include <QScreen>

#include "app/frmMain.h"
#include "app/splash/frmQuenbySplash.h"
#include "listing/frmRateTable.h"
#include "pictures/frmTaxHistory.h"
#include "pictures/frmWhereTaxGoes.h"
#include "ratedata/mod_main.h"

namespace levywise {

Application::Application(modMain& data, Platform& platform) : data_(data), platform_(platform) {}

Application::~Application() {
    // The windows refer to the tables and the desktop services, which the
    // caller destroys right after this object.
    delete splash_.data();
    delete rateTable_.data();
    delete whereTaxGoes_.data();
    delete taxHistory_.data();
    main_.reset();
}

frmCfgSpcl* Application::specialsWindow() const { return main_ ? main_->builtSpecials() : nullptr; }

frmRateTable* Application::rateTable() const { return rateTable_.data(); }

frmWhereTaxGoes* Application::whereTaxGoes() const { return whereTaxGoes_.data(); }

frmTaxHistory* Application::taxHistory() const { return taxHistory_.data(); }

frmQuenbySplash* Application::splash() const { return splash_.data(); }

void Application::start(bool withSplash) {
    if (started_) return;
    started_ = true;
    if (!withSplash) {
        openMainWindow();
        return;
    }
    auto* splash = new frmQuenbySplash();
    splash_ = splash;
    QObject::connect(splash, &frmQuenbySplash::finished, splash, [this] { openMainWindow(); });
    splash->show();
}

void Application::openMainWindow() {
    if (main_) return;
    main_ = std::make_unique<frmMain>(data_, platform_);
    main_->setShowRateTable([this] { showRateTable(); });
    main_->setCloseRateTable([this] { closeRateTable(); });
    frmMain* main = main_.get();
    QObject::connect(main, &frmMain::estimateShown, main,
                     [this](const EstimateRecord& record) { follow(record); });
    QObject::connect(main, &frmMain::whereTaxGoesAsked, main,
                     [this](const EstimateRecord& record) { showWhereTaxGoes(record); });
    QObject::connect(main, &frmMain::taxHistoryAsked, main,
                     [this](const EstimateRecord& record) { showTaxHistory(record); });
    QObject::connect(main, &frmMain::closing, main, [this] { closeFollowers(); });
    // Placed before it loads, so that the loader's questions open over it.
    if (const QScreen* screen = main_->screen())
        main_->move(screen->availableGeometry().center() - main_->rect().center());
    main_->Form_Load();
    if (beforeMainWindowShown_) beforeMainWindowShown_(*main_);
    main_->show();
}

void Application::showRateTable() {
    // A listing closed by "Done" is hidden at once but deleted only when
    // the event loop next runs: it is never shown again.
    if (rateTable_ && !rateTable_->isVisible()) delete rateTable_.data();
    if (!rateTable_) rateTable_ = new frmRateTable(data_, platform_);
    rateTable_->setWindowState(rateTable_->windowState() & ~Qt::WindowMinimized);
    rateTable_->show();
    rateTable_->raise();
    rateTable_->activateWindow();
}

void Application::closeRateTable() {
    if (rateTable_) rateTable_->close();
}

void Application::showWhereTaxGoes(const EstimateRecord& record) {
    if (!whereTaxGoes_) {
        whereTaxGoes_ = new frmWhereTaxGoes(platform_);
        whereTaxGoes_->ShowEstimate(record);
    }
    whereTaxGoes_->Bring();
}

// A new history window that the user leaves without files is not shown;
// one already open keeps what it shows.
void Application::showTaxHistory(const EstimateRecord& record) {
    if (taxHistory_) {
        taxHistory_->Bring();
        return;
    }
    auto* window = new frmTaxHistory(platform_);
    if (!window->ChooseFiles(record)) {
        delete window;
        return;
    }
    taxHistory_ = window;
    window->Bring();
}

void Application::follow(const EstimateRecord& record) {
    if (whereTaxGoes_) whereTaxGoes_->ShowEstimate(record);
    if (taxHistory_) taxHistory_->ShowEstimate(record);
}

void Application::closeFollowers() {
    if (whereTaxGoes_) whereTaxGoes_->close();
    if (taxHistory_) taxHistory_->close();
}

} // namespace levywise
