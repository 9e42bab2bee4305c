#include "platform/text.h"

#include "ratedata/cp1252.h"

namespace levywise {

QString FromCp1252(std::string_view bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) out.append(QChar(DecodeCp1252(static_cast<unsigned char>(c))));
    return out;
}

std::string ToCp1252(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (QChar ch : text) out.push_back(EncodeCp1252(ch.unicode()));
    return out;
}

} // namespace levywise
