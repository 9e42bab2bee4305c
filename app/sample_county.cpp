#include "app/sample_county.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace levywise {

QString InstalledSampleFolder() {
    const QDir folder(QCoreApplication::applicationDirPath() +
                      QStringLiteral("/" LEVYWISE_SAMPLE_FROM_PROGRAM));
    return folder.exists() ? QDir::toNativeSeparators(folder.absolutePath()) : QString();
}

QString FirstRunProposal(const QString& missingPath, bool settingsFilePresent,
                         const QString& sampleFolder) {
    if (settingsFilePresent || sampleFolder.isEmpty()) return missingPath;
    const QString sample = QDir(sampleFolder).filePath(QFileInfo(missingPath).fileName());
    return QFileInfo(sample).isFile() ? QDir::toNativeSeparators(sample) : missingPath;
}

} // namespace levywise
