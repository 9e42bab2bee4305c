#include "app/rate_file_loading.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>

#include "app/frmMain.h"
#include "app/platform/caption_text.h"
#include "app/platform/platform.h"
#include "app/platform/text.h"
#include "app/unit_lists.h"
#include "ratedata/mod_main.h"
#include "ratedata/rate_file.h"
#include "ratedata/settings_file.h"
#include "specials/frmCfgSpcl.h"

namespace levywise {
namespace {

constexpr const char* kReloadMarker = "reload";
constexpr int kTotalTaxTab = 3;

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
QString RefusalText(const QString& path, const RateFileRead& read, const std::string& requiredVersion) {
    const std::vector<std::string> lines = RefusalLines(read, requiredVersion);
    QString text = Printable(path + FromCp1252(lines.front()));
    for (std::size_t i = 1; i < lines.size(); ++i) text += QStringLiteral("\r\n") + FromCp1252(lines[i]);
    return text;
}

// The rest of a load, once the file has been read in full and accepted.
void ShowLoadedTable(frmMain& w, const RateFileContents& contents) {
    modMain& data = w.data();
    frmCfgSpcl& specials = w.specials();
    InstallRateTable(data, contents);

    const QString county = CaptionPart(data.CountyName);
    if (contents.TableLabel.empty()) {
        w.setWindowTitle(QString::fromLatin1(frmMain::kVersionText));
        specials.setWindowTitle(QStringLiteral("Configure Special Districts"));
    } else {
        w.setWindowTitle(QString::fromLatin1(frmMain::kVersionText) + QStringLiteral(" - ") +
                         CaptionPart(contents.TableLabel) + QStringLiteral(" Tax Rates for ") +
                         county + QStringLiteral(" County"));
        specials.setWindowTitle(QStringLiteral("Configure Special Districts for ") + county +
                                QStringLiteral(" County"));
    }

    FillUnitList(w.comboCities, ListItemsOfType(data, kCityUnit), ListOrder::SortedByText);
    FillUnitList(w.comboSchools, ListItemsOfType(data, kSchoolUnit), ListOrder::SortedByText);
    FillUnitList(w.comboCounties, ListItemsOfType(data, kCountyUnit), ListOrder::AsAdded);

    specials.ResetSpecialRows();
    data.SpclLoading = true;
    specials.ShowSpecialDistricts(1);
    data.SpclLoading = false;

    w.comboCities->setCurrentIndex(0);
    w.comboSchools->setCurrentIndex(0);
    w.comboCounties->setCurrentIndex(0);

    const QString zero = QStringLiteral("0");
    w.lblCityTRate->setText(zero);
    w.lblCityName->setText(QStringLiteral("Your City"));
    w.lblTotCityName->setText(QStringLiteral("Your City"));
    w.lblCountyTRate->setText(zero);
    w.lblCountyName->setText(QStringLiteral("Your County"));
    w.lblTotCountyName->setText(QStringLiteral("Your County"));
    w.lblSchoolTRate->setText(zero);
    w.lblSchoolName->setText(QStringLiteral("Your School"));
    w.lblTotSchoolName->setText(QStringLiteral("Your School"));

    w.tabTaxes->setCurrentIndex(kTotalTaxTab);
    w.txtAprVal->clear();
    w.chkGHS->setChecked(false);
    w.optNeither->setChecked(true);
    w.optVetNone->setChecked(true);
    if (specials.VScroll1) specials.VScroll1->setValue(1);

    w.CalculateTaxes();
}

} // namespace

QString LocateRateFile(frmMain& w) {
    Platform& platform = w.platform();
    QString& path = w.RateFilePath();
    const QString currentDir = platform.currentDirectory();
    const QString settingsPath = currentDir + QDir::separator() + QLatin1String(kSettingsFileName);

    if (!path.isEmpty()) {
        path = QLatin1String(kReloadMarker);
        w.txtAprVal->setFocus();
    } else {
        path = FileNameText(RateFilePathFromSettings(FileNameBytes(settingsPath),
                                                     FileNameBytes(currentDir),
                                                     QDir::separator().toLatin1()));
        if (QFileInfo(path).isFile()) {
            w.setWindowTitle(QString::fromLatin1(frmMain::kVersionText) + path);
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
    w.setWindowTitle(QStringLiteral("Levywise v3.5 ") + path);
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
        ShowLoadedTable(w, read.contents);
        return;
    case RateFileStatus::WrongVersion:
        w.setWindowTitle(caption);
        w.platform().messageBox(&w, QString::fromLatin1(kVersionErrorTitle.data(),
                                                        static_cast<qsizetype>(kVersionErrorTitle.size())),
                                RefusalText(path, read, w.data().RequiredRateVersion),
                                MsgButtons::Ok);
        return;
    case RateFileStatus::Refused:
        w.setWindowTitle(caption);
        w.platform().messageBox(&w, QLatin1String(kFileRefusedTitle), RefusalText(path, read, w.data().RequiredRateVersion),
                                MsgButtons::Ok);
        return;
    }
}

} // namespace levywise
