#include "app/rate_file_loading.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/frmMain.h"
#include "app/user_settings.h"
#include "platform/platform.h"
#include "platform/text.h"
#include "ratedata/mod_main.h"
#include "ratedata/rate_file.h"
#include "ratedata/settings_file.h"
#include "specials/frmCfgSpcl.h"

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

// Text taken from a file, fit for a message box: control characters (the
// NULs of a binary file, an escape) show as a replacement mark.
QString Printable(QString text) {
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = QChar::ReplacementCharacter;
    return text;
}

// Why a file was not loaded, naming the file as the user chose it.
QString RefusalText(const QString& path, const RateFileRead& read) {
    const std::vector<std::string> lines = RefusalLines(read);
    QString text = Printable(path + FromCp1252(lines.front()));
    for (std::size_t i = 1; i < lines.size(); ++i)
        text += QStringLiteral("\r\n") + FromCp1252(lines[i]);
    return text;
}

// The rest of a load, once the file has been read in full and accepted.
void ShowLoadedTable(frmMain& w, const RateFileContents& contents) {
    modMain& data = w.data();
    frmCfgSpcl& specials = w.specials();
    InstallRateTable(data, contents);

    w.ShowTableCaption(contents.TableLabel, data.CountyName);
    specials.ShowCountyCaption(contents.TableLabel.empty() ? std::nullopt
                                                           : std::optional(data.CountyName));
    w.ShowLoadedTable();
    specials.ShowLoadedTable();
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
        w.setWindowTitle(caption);
        w.platform().messageBox(
            &w,
            QString::fromLatin1(kVersionErrorTitle.data(),
                                static_cast<qsizetype>(kVersionErrorTitle.size())),
            RefusalText(path, read), MsgButtons::Ok);
        return;
    case RateFileStatus::Refused:
        w.setWindowTitle(caption);
        w.platform().messageBox(&w, QLatin1String(kFileRefusedTitle), RefusalText(path, read),
                                MsgButtons::Ok);
        return;
    }
}

} // namespace levywise
