#pragma once

#include <QProxyStyle>

namespace levywise {

// The desktop style, except that the icons of the button a menu bar or a
// tool bar shows when its items do not fit are read only when first drawn.
// Every menu bar asks for that icon as it is built, which reads three images
// from disk, though the main window is never too narrow for its menus.
class DeferredIconStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override;
};

} // namespace levywise
