#include "platform/platform.h"

#include "platform/print_document.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace levywise {
namespace {

// The image fills the printable area as far as it can without distortion.
QString paintImage(QPaintDevice& device, QPainter& painter, const QImage& image) {
    if (!painter.isActive()) return QObject::tr("The printer could not be started.");
    const QRect target(0, 0, device.width(), device.height());
    QSize size = image.size();
    size.scale(target.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(QPoint(0, 0), size), image);
    return painter.end() ? QString() : QObject::tr("The page could not be finished.");
}

} // namespace

std::unique_ptr<QMessageBox> NewMessageBox(QWidget* parent, const QString& title,
                                           const QString& text, MsgButtons buttons) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(title);
    box->setTextFormat(Qt::PlainText);
    box->setText(QString(text).replace("\r\n", "\n"));
    box->setIcon(QMessageBox::NoIcon);
    if (buttons == MsgButtons::OkCancel) {
        box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box->setEscapeButton(QMessageBox::Cancel);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    return box;
}

MsgResult QtPlatform::messageBox(QWidget* parent, const QString& title, const QString& text,
                                 MsgButtons buttons) {
    const auto box = NewMessageBox(parent, title, text, buttons);
    return box->exec() == QMessageBox::Ok ? MsgResult::Ok : MsgResult::Cancel;
}

namespace {

// Shows the dialog; the files chosen, none when the user cancels.
QStringList chooseFiles(QWidget* parent, const OpenFileRequest& request,
                        QFileDialog::FileMode mode) {
    QStringList filters;
    // A description that already names its pattern, as "TAB Files (*.tab)"
    // does, is shown as it is.
    for (const auto& [description, pattern] : request.filters)
        filters << (description.contains("(" + pattern + ")") ? description
                                                              : description + " (" + pattern + ")");
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(mode);
    dialog.setNameFilters(filters);
    if (request.selectedFilter >= 1 && request.selectedFilter <= filters.size())
        dialog.selectNameFilter(filters[request.selectedFilter - 1]);
    const QFileInfo proposed(request.proposedName);
    if (proposed.isAbsolute()) dialog.setDirectory(proposed.absolutePath());
    dialog.selectFile(proposed.fileName());
    if (dialog.exec() != QDialog::Accepted) return {};
    QStringList chosen;
    for (const QString& path : dialog.selectedFiles()) chosen << QDir::toNativeSeparators(path);
    return chosen;
}

} // namespace

std::optional<QString> QtPlatform::openFile(QWidget* parent, const OpenFileRequest& request) {
    const QStringList chosen = chooseFiles(parent, request, QFileDialog::AnyFile);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.first();
}

std::optional<QStringList> QtPlatform::openFiles(QWidget* parent, const OpenFileRequest& request) {
    QStringList chosen = chooseFiles(parent, request, QFileDialog::ExistingFiles);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

std::optional<QString> QtPlatform::saveFile(QWidget* parent, const QString& proposedName,
                                            const QString& filter) {
    const QString path = QFileDialog::getSaveFileName(parent, QString(), proposedName, filter);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

QString QtPlatform::currentDirectory() { return QDir::toNativeSeparators(QDir::currentPath()); }

QString QtPlatform::userConfigFolder() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return config.isEmpty()
               ? QString()
               : QDir::toNativeSeparators(QDir(config).filePath(QStringLiteral("levywise")));
}

// Where the package put it; a tree installed under another prefix has it at
// the same place relative to the program.
QString QtPlatform::installedSampleFolder() {
    for (const QString& path :
         {QCoreApplication::applicationDirPath() + QStringLiteral("/" LEVYWISE_SAMPLE_FROM_PROGRAM),
          QStringLiteral(LEVYWISE_SAMPLE_INSTALL_DIR)}) {
        const QDir folder(path);
        if (folder.exists(QStringLiteral("taxrate.tab")))
            return QDir::toNativeSeparators(folder.absolutePath());
    }
    return {};
}

bool QtPlatform::hasPrinter() { return !QPrinterInfo::defaultPrinter().isNull(); }

QString QtPlatform::printImage(const QImage& image, const QString& jobName) {
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    printer.setDocName(jobName);
    QPainter painter(&printer);
    return paintImage(printer, painter, image);
}

QString QtPlatform::saveImageAsPdf(const QImage& image, const QString& path) {
    QPdfWriter writer(path);
    writer.setResolution(300);
    QPainter painter(&writer);
    if (!painter.isActive()) return QObject::tr("The file %1 could not be written.").arg(path);
    return paintImage(writer, painter, image);
}

QString QtPlatform::previewDocument(QWidget* parent, const QString& html, const QString& title) {
    DocumentPreview preview(html, title, parent);
    preview.dialog().exec();
    return {};
}

QString QtPlatform::saveDocumentAsPdf(const QString& html, const QString& path) {
    return SaveDocumentAsPdf(html, path);
}

} // namespace levywise
