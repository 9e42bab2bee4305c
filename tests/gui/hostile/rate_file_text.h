#pragma once

#include <QByteArray>
#include <QList>
#include <random>

namespace levywise::test {

inline const QByteArray kHostileHeader = "TaxRates v3.54\tHostile 2026\tHostile\t\r\n";

// One record line: the given columns, blank ones up to the 21st, CR LF.
inline QByteArray RecordLine(QList<QByteArray> columns) {
    while (columns.size() < 21) columns << QByteArray();
    return columns.join('\t') + "\r\n";
}

inline QByteArray UnitLine(const QByteArray& code, const QByteArray& name, char type,
                           const QByteArray& rate = "1", char defaultSel = 'N') {
    return RecordLine({code, name, QByteArray(1, type), QByteArray(1, defaultSel), rate});
}

// The three-digit code of the n-th generated unit: 101 upwards, never one
// of the codes the loader skips or treats as "no county".
inline QByteArray GeneratedCode(int n) {
    int code = 101 + n;
    if (code >= 900) ++code;
    return QByteArray::number(code).rightJustified(3, '0');
}

// count units of one type named "<prefix> n", every third one selected by
// default.
inline QByteArray GeneratedUnits(int count, char type, const QByteArray& prefix,
                                 int firstIndex = 0) {
    QByteArray lines;
    for (int i = 0; i < count; ++i)
        lines += UnitLine(GeneratedCode(firstIndex + i), prefix + ' ' + QByteArray::number(i), type,
                          "0.0" + QByteArray::number(1 + i % 9), i % 3 == 0 ? 'Y' : 'N');
    return lines;
}

// A small county with units of every kind and 20 special districts, so that
// the special-district window has a second page.
inline QByteArray WholeCounty() {
    return kHostileHeader + UnitLine("101", "HOSTILE COUNTY", 'K', "0.4") +
           RecordLine({"201", "CITY OF HOSTILE", "C", "N", "0.6", "10000", "", "", "20%", "", "",
                       "", "", "5000", "7500", "10000", "12000"}) +
           UnitLine("202", "OTHER CITY", 'C', "0.5") +
           RecordLine({"901", "HOSTILE ISD", "I", "N", "1.2", "25000", "10000", "10000"}) +
           GeneratedUnits(20, 'S', "DISTRICT", 300);
}

inline QByteArray RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    QByteArray bytes(static_cast<qsizetype>(size), '\0');
    for (char& b : bytes) b = static_cast<char>(random() & 0xFF);
    return bytes;
}

} // namespace levywise::test
