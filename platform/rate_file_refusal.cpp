#include "platform/rate_file_refusal.h"

#include "platform/platform.h"
#include "platform/text.h"

namespace levywise {

QString Printable(QString text) {
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = QChar::ReplacementCharacter;
    return text;
}

void TellRateFileRefused(QWidget* parent, Platform& platform, const QString& path,
                         const RateFileRead& read) {
    const std::vector<std::string> lines = RefusalLines(read);
    QString text = Printable(path + FromCp1252(lines.front()));
    for (std::size_t i = 1; i < lines.size(); ++i)
        text += QStringLiteral("\r\n") + FromCp1252(lines[i]);
    const bool version = read.status == RateFileStatus::WrongVersion;
    platform.messageBox(parent,
                        version
                            ? QString::fromLatin1(kVersionErrorTitle.data(),
                                                  static_cast<qsizetype>(kVersionErrorTitle.size()))
                            : QLatin1String(kFileRefusedTitle),
                        text, MsgButtons::Ok);
}

} // namespace levywise
