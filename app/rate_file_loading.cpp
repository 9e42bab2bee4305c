#include "app/rate_file_loading.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/frmMain.h"
#include "app/user_settings.h"
#include "platform/platform.h"
#include "platform/rate_file_refusal.h"
#include "platform/text.h"
#include "ratedata/mod_main.h"
#include "ratedata/rate_file.h"
#include "ratedata/settings_file.h"

namespace levywise {
namespace {

constexpr const char* kReloadMarker = "reload";

std::string FileNameBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString FileNameText(const std::string& bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

OpenFileRequest RateFileDialog(const QString& proposedName) {
    OpenFileRequest request;
    request.proposedName = proposedName;
    request.filters = {
        {QStringLiteral("All Files (*.*)"), QStringLiteral("*.*")},
        {QStringLiteral("Text Files(*.txt)"), QStringLiteral("*.txt")},
        {QStringLiteral("ASCII Files (*.asc)"), QStringLiteral("*.asc")},
        {QStringLiteral("TAB Files (*.tab)"), QStringLiteral("*.tab")},
    };
    request.selectedFilter = 4;
    return request;
}

// The rest of a load, once the file has been read in full and accepted.
void ShowLoadedTable(frmMain& w, const RateFileContents& contents) {
    modMain& data = w.data();
    InstallRateTable(data, contents);

    w.ShowTableCaption(contents.TableLabel, data.CountyName);
    w.ShowLoadedTable(); // the special-district window's too, once it is built
    w.CalculateTaxes();
}

} // namespace

QString LocateRateFile(frmMain& w) {
    Platform& platform = w.platform();
    QString& path = w.RateFilePath();
    const QString currentDir = platform.currentDirectory();

    if (!path.isEmpty()) {
        path = QLatin1String(kReloadMarker);
        w.FocusValueBox();
    } else {
        // Without any settings file the rate file is taxrate.tab in the
        // current folder, else the installed sample county's.
        const SettingsFile settings = FindSettingsFile(platform);
        path = FileNameText(RateFilePathFromSettings(
            FileNameBytes(settings.path), FileNameBytes(currentDir), QDir::separator().toLatin1()));
        if (const QString sample = platform.installedSampleFolder();
            settings.path.isEmpty() && !QFileInfo(path).isFile() && !sample.isEmpty())
            path = QDir::toNativeSeparators(QDir(sample).filePath(QFileInfo(path).fileName()));
        if (QFileInfo(path).isFile()) {
            w.ShowFileCaption(path, false);
            return path;
        }
        const MsgResult answer = platform.messageBox(
            &w, QLatin1String(kFileNotFoundTitle),
            QStringLiteral("The required file ") + Printable(path) +
                QStringLiteral(" was not found in the default directory. \r\n"
                               "Press OK to select a tax rate file to use, or press Cancel."),
            MsgButtons::OkCancel);
        if (answer != MsgResult::Ok) return {};
    }

    if (path == QLatin1String(kReloadMarker)) path = QLatin1String(kReloadProposal);
    const std::optional<QString> chosen = platform.openFile(&w, RateFileDialog(path));
    if (!chosen || chosen->isEmpty()) return {};
    path = *chosen;
    w.ShowFileCaption(path, true);
    return path;
}

void LoadRateFile(frmMain& w) {
    const QString caption = w.windowTitle();
    const QString path = LocateRateFile(w);
    if (path.isEmpty()) {
        w.setWindowTitle(caption);
        return;
    }

    const RateFileRead read = ReadRateFile(FileNameBytes(path));
    switch (read.status) {
    case RateFileStatus::Loaded:
        RememberRateFile(w.platform(), path);
        w.SetRateSource(path, read.contents.TableLabel);
        ShowLoadedTable(w, read.contents);
        return;
    case RateFileStatus::WrongVersion:
    case RateFileStatus::Refused:
        w.setWindowTitle(caption);
        TellRateFileRefused(&w, w.platform(), path, read);
        return;
    }
}

} // namespace levywise
