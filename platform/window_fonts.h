#pragma once

#include <QFont>
#include <QString>

namespace levywise {

// The windows were designed with Windows fonts. Each is mapped to a free font
// with the same character widths (Liberation Sans for MS Sans Serif and
// Arial, URW Bookman for Bookman Old Style), so captions fit the boxes they
// were designed for; the Windows font is kept as a fallback for systems that
// have it.
QFont DesignFont(const QString& windowsFamily, double pointSize, int weight = QFont::Normal);

// MS Sans Serif 8.25 pt, the windows' ordinary text.
QFont DefaultDesignFont();

} // namespace levywise
