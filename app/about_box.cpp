#include "app/about_box.h"

#include <QStringList>

namespace levywise {

QString AboutText() {
    return QStringList{
        QStringLiteral("Levywise v3.54b"),
        QStringLiteral("Copyright (C) 2024-2026 Levywise Software"),
        QStringLiteral("Levywise Software"),
        QStringLiteral("Not supported by Corvell Appraisal District"),
        QStringLiteral("The most current version of Levywise may be downloaded from "
                       "https://www.levywise.example/"),
    }
        .join(QStringLiteral("\r\n"));
}

} // namespace levywise
