#include "app/about_box.h"

#include <QStringList>

#include "levywise_version.h"

namespace levywise {

QString AboutText() {
    return QStringList{
        QString::fromLatin1(kProgramCaption),
        QStringLiteral("Copyright (C) 2024-2026 Levywise Software"),
        QStringLiteral("Levywise Software"),
        QStringLiteral("Not supported by Corvell Appraisal District"),
        QStringLiteral("The most current version of Levywise may be downloaded from "
                       "https://www.levywise.example/"),
    }
        .join(QStringLiteral("\r\n"));
}

} // namespace levywise
