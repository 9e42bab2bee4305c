#include "app/what_if.h"

#include <QAction>
#include <QDate>
#include <QMenu>

#include "comparison/frmCompare.h"
#include "platform/platform.h"
#include "platform/print_document.h"
#include "report/comparison.h"
#include "report/pictures.h"
#include "report/worksheet_html.h"

namespace levywise {
namespace {

constexpr const char* kComparisonTitle = "Comparison";
constexpr const char* kWorksheetTitle = "Property Tax Estimate";

} // namespace

QAction* MenuItemBefore(QMenu* menu, QAction* before, const char* name, const QString& caption,
                        QKeyCombination key) {
    auto* action = new QAction(caption, menu);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(QKeySequence(key));
    menu->insertAction(before, action);
    return action;
}

WhatIf::WhatIf(QWidget& window, Platform& platform) : window_(window), platform_(platform) {}

WhatIf::~WhatIf() { delete compare_.data(); }

void WhatIf::Shown(EstimateRecord record) {
    shown_ = std::move(record);
    refresh();
}

void WhatIf::Keep() {
    if (!shown_) {
        platform_.messageBox(&window_, QLatin1String(kComparisonTitle),
                             QStringLiteral("There is no estimate to keep yet."), MsgButtons::Ok);
        return;
    }
    kept_ = shown_;
    refresh();
}

void WhatIf::ShowComparison() {
    if (!kept_) {
        platform_.messageBox(&window_, QLatin1String(kComparisonTitle),
                             QStringLiteral("No estimate has been kept for comparison yet.\r\n"
                                            "Choose \"Keep for Comparison\" first."),
                             MsgButtons::Ok);
        return;
    }
    if (!compare_) compare_ = new frmCompare(platform_);
    refresh();
    compare_->setWindowState(compare_->windowState() & ~Qt::WindowMinimized);
    compare_->show();
    compare_->raise();
    compare_->activateWindow();
}

void WhatIf::ShowWorksheet() {
    if (!shown_) {
        platform_.messageBox(&window_, QLatin1String(kWorksheetTitle),
                             QStringLiteral("There is no estimate to put on paper yet."),
                             MsgButtons::Ok);
        return;
    }
    const std::string date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    PrintDocument(&window_, platform_, QString::fromStdString(WorksheetHtml(*shown_, date)),
                  QLatin1String(kWorksheetTitle));
}

void WhatIf::CloseComparison() {
    if (compare_) compare_->close();
}

void WhatIf::refresh() {
    if (compare_ && kept_ && shown_)
        compare_->ShowComparison(Compare(*kept_, *shown_), WhatChangedOf(*kept_, *shown_));
}

WhatIfMenuItems AddWhatIfMenuItems(QMenu* menu, QAction* before) {
    return {MenuItemBefore(menu, before, "menuKeepCompare", QStringLiteral("&Keep for Comparison"),
                           Qt::CTRL | Qt::Key_K),
            MenuItemBefore(menu, before, "menuShowCompare", QStringLiteral("Show &Comparison"),
                           Qt::CTRL | Qt::Key_M),
            MenuItemBefore(menu, before, "menuWorksheet",
                           QStringLiteral("Estimate &Worksheet\u2026"), Qt::CTRL | Qt::Key_P)};
}

} // namespace levywise
