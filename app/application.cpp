#include "app/application.h"

#include <QScreen>

#include "app/frmMain.h"
#include "app/splash/frmQuenbySplash.h"
#include "listing/frmRateTable.h"
#include "ratedata/mod_main.h"
#include "specials/frmCfgSpcl.h"

namespace levywise {

Application::Application(modMain& data, Platform& platform) : data_(data), platform_(platform) {}

Application::~Application() {
    // The windows refer to the tables and the desktop services, which the
    // caller destroys right after this object.
    delete splash_.data();
    delete rateTable_.data();
    main_.reset();
    specials_.reset();
}

frmRateTable* Application::rateTable() const { return rateTable_.data(); }

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
    specials_ = std::make_unique<frmCfgSpcl>(data_, platform_);
    main_ = std::make_unique<frmMain>(data_, platform_, *specials_);
    main_->setShowRateTable([this] { showRateTable(); });
    main_->setCloseRateTable([this] { closeRateTable(); });
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

} // namespace levywise
