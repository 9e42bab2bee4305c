#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <algorithm>
#include <cstdio>

#include "app/platform/text.h"
#include "calc/estimate_labels.h"
#include "hostile/hostile_rig.h"

namespace levywise::test {

inline QString Hex(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%a", value);
    return QString::fromLatin1(text);
}

inline QString RecordText(const Jurisdiction& u) {
    const auto bytes = [](std::string_view v) {
        return QString::fromLatin1(QByteArray(v.data(), static_cast<qsizetype>(v.size())).toHex());
    };
    QStringList f{bytes(u.Code.view()),       bytes(u.Name.view()), bytes(u.UnitType.view()),
                  bytes(u.DefaultSel.view()), Hex(u.TaxRate),       Hex(u.OptHS),
                  Hex(u.Reserved12),          Hex(u.Reserved13)};
    for (const Currency& c : {u.HSAmt, u.O65Amt, u.DPAmt, u.OptO65, u.OptDP})
        f << QString::number(c.raw());
    for (int v : {u.Vet1, u.Vet2, u.Vet3, u.Vet4, u.Reserved18, u.Reserved19, u.Reserved20})
        f << QString::number(v);
    f << (u.Reserved21 ? "T" : "F");
    return f.join(',');
}

// Everything a user can see or the calculation reads, as text, so that
// "nothing changed" is one comparison: tables, counts, lists, captions,
// inputs, figures, the special-district page and selection, the listing.
inline QStringList StateOf(HostileRig& rig) {
    frmMain& w = rig.window;
    frmCfgSpcl& s = rig.specials;
    const modMain& d = rig.data;
    QStringList state;
    state << "title=" + w.windowTitle() << "specials title=" + s.windowTitle()
          << "value=" + w.txtAprVal->text() << "tab=" + QString::number(w.tabTaxes->currentIndex());
    for (auto* label : w.findChildren<QLabel*>())
        state << label->objectName() + '=' + label->text();
    for (auto* list : w.findChildren<QComboBox*>()) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
        state << list->objectName() + '=' + items.join('|') + '@' +
                     QString::number(list->currentIndex());
    }
    for (auto* button : w.findChildren<QAbstractButton*>())
        if (button->isCheckable())
            state << button->objectName() + (button->isChecked() ? "=on" : "=off");
    for (int r = 0; r < frmCfgSpcl::kRows; ++r)
        state << QStringLiteral("row %1=%2|%3|%4|%5|%6")
                     .arg(r)
                     .arg(s.txtSpclName[r]->text(), s.txtTaxRate[r]->text())
                     .arg(s.chkSpclDist[r]->isChecked())
                     .arg(s.txtSpclName[r]->font().bold())
                     .arg(s.chkSpclDist[r]->isHidden());
    state << QStringLiteral("scroll=%1..%2@%3 hidden %4")
                 .arg(s.VScroll1->minimum())
                 .arg(s.VScroll1->maximum())
                 .arg(s.VScroll1->value())
                 .arg(s.VScroll1->isHidden());
    state << QStringLiteral("counts=%1/%2/%3").arg(d.RateCount).arg(d.LoadedCount).arg(d.SpclCount)
          << "county=" + FromCp1252(d.CountyName)
          << "spcl total=" + QString::number(d.SpclTotal.raw());
    for (const Jurisdiction& u : d.RateTbl) state << "rate " + RecordText(u);
    for (const Jurisdiction& u : d.SpclTbl) state << "spcl " + RecordText(u);
    for (const SpclFlags& f : d.SpclSel)
        state << "sel " +
                     QString::fromLatin1(
                         QByteArray::fromStdString(f.Selected.str() + f.Default.str()).toHex());
    if (rig.listing) {
        state << "listing=" + rig.listing->windowTitle();
        const QTableWidget* grid = rig.listing->MSFlexGrid1;
        for (int r = 0; r < grid->rowCount(); ++r)
            for (int c = 0; c < grid->columnCount(); ++c)
                state << QStringLiteral("cell %1,%2=%3")
                             .arg(r)
                             .arg(c)
                             .arg(grid->item(r, c) ? grid->item(r, c)->text() : QString());
    }
    return state;
}

// The lines of two states that differ, for a readable failure.
inline QString StateDifference(const QStringList& before, const QStringList& after) {
    QStringList lines;
    for (qsizetype i = 0; i < std::max(before.size(), after.size()) && lines.size() < 8; ++i) {
        const QString a = i < before.size() ? before[i] : QStringLiteral("<none>");
        const QString b = i < after.size() ? after[i] : QStringLiteral("<none>");
        if (a != b) lines << QStringLiteral("was %1 | now %2").arg(a.left(120), b.left(120));
    }
    return lines.join('\n');
}

// The labels of one estimate, by object name.
using Figures = QMap<QString, QString>;

inline Figures FiguresOf(const Estimate& e) {
    Figures f;
    const auto unit = [&f](const QString& tab, const QString& tot, const UnitLabels& l) {
        f["lbl" + tab + "AprVal"] = FromCp1252(l.AprVal);
        f["lbl" + tab + "TRate"] = FromCp1252(l.TRate);
        f["lbl" + tab + "Name"] = FromCp1252(l.Name);
        f["lblTot" + tot + "Name"] = FromCp1252(l.TotName);
        f["lbl" + tab + "HSVal"] = FromCp1252(l.HSVal);
        f["lbl" + tab + "O65Val"] = FromCp1252(l.O65Val);
        f["lbl" + tab + "VetVal"] = FromCp1252(l.VetVal);
        f["lbl" + tab + "NTV"] = FromCp1252(l.NTV);
        f["lbl" + tab + "Base1"] = FromCp1252(l.Base1);
        f["lbl" + tab + "Base2"] = FromCp1252(l.Base2);
        f["lbl" + tab + "Tax"] = FromCp1252(l.Tax);
        f["lblTot" + tot + "Tax"] = FromCp1252(l.TotTax);
    };
    unit("County", "County", e.County);
    unit("City", "City", e.City);
    unit("School", "School", e.School);
    f["lblTotSpclTax"] = FromCp1252(e.Totals.TotSpclTax);
    f["lblTotTax"] = FromCp1252(e.Totals.TotTax);
    return f;
}

// What the window shows in the labels of an estimate.
inline Figures ShownFigures(frmMain& w, const Figures& names) {
    Figures shown;
    for (auto it = names.begin(); it != names.end(); ++it) {
        const auto* label = w.findChild<QLabel*>(it.key());
        shown[it.key()] = label ? label->text() : QStringLiteral("<no label>");
    }
    return shown;
}

// The estimate of the window's present input, worked out by the core on a
// copy of the tables; empty when the core refuses the input.
inline std::optional<Figures> ExpectedFigures(HostileRig& rig) {
    modMain copy = rig.data;
    const CalcResult<Estimate> result = levywise::CalculateTaxes(copy, rig.window.ReadInput());
    if (!result) return std::nullopt;
    return FiguresOf(*result);
}

inline bool IsMoneyText(const QString& text) {
    static const QRegularExpression money(
        QStringLiteral("^-?\\$(0|[1-9][0-9]{0,2}(,[0-9]{3})*)\\.[0-9]{2}$"));
    return money.match(text).hasMatch();
}

// The labels that show amounts; each holds a money text, or nothing before
// the first estimate.
inline QStringList MoneyLabelNames() {
    QStringList names{QStringLiteral("lblTotSpclTax"), QStringLiteral("lblTotTax")};
    for (const char* tab : {"County", "City", "School"}) {
        for (const char* figure :
             {"AprVal", "HSVal", "O65Val", "VetVal", "NTV", "Base1", "Base2", "Tax"})
            names << QStringLiteral("lbl%1%2").arg(QLatin1String(tab), QLatin1String(figure));
        names << QStringLiteral("lblTot%1Tax").arg(QLatin1String(tab));
    }
    return names;
}

// Names the money labels that hold anything but a money text or their
// start-up caption (nothing); empty when all are well.
inline QString BadMoneyLabels(frmMain& w) {
    QStringList bad;
    for (const QString& name : MoneyLabelNames()) {
        const auto* label = w.findChild<QLabel*>(name);
        if (!label)
            bad << name + " missing";
        else if (!label->text().isEmpty() && !IsMoneyText(label->text()))
            bad << name + "=\"" + label->text() + '"';
    }
    return bad.join(", ");
}

// A message fit to be read: no control characters but the CR LF between
// lines, and short enough for a box on the screen.
inline bool IsReadableMessage(const QString& text) {
    if (text.size() > 1500) return false;
    for (QChar c : text)
        if ((c.unicode() < 0x20 && c != u'\r' && c != u'\n') || c.unicode() == 0x7F) return false;
    return true;
}

// Presses Calculate and checks that the program answered: either every
// label shows the core's estimate of the present input, or the core refuses
// the input, a "Calculate" box says so and no label changed. Returns what
// went wrong, or nothing.
inline QString CheckCalculateAnswers(HostileRig& rig) {
    const std::optional<Figures> expected = ExpectedFigures(rig);
    const Figures names = expected ? *expected : FiguresOf(Estimate{});
    const Figures before = ShownFigures(rig.window, names);
    const std::size_t messages = rig.platform.messages.size();
    rig.calculate();
    const Figures after = ShownFigures(rig.window, names);
    const auto& asked = rig.platform.messages;
    if (expected) {
        if (asked.size() != messages)
            return "a message after a good estimate: " + asked.back().text;
        if (after != *expected) {
            for (auto it = after.begin(); it != after.end(); ++it)
                if (it.value() != expected->value(it.key()))
                    return QStringLiteral("%1 shows \"%2\", the estimate says \"%3\"")
                        .arg(it.key(), it.value(), expected->value(it.key()));
        }
    } else {
        if (asked.size() != messages + 1 || asked.back().title != QStringLiteral("Calculate"))
            return QStringLiteral("a refused estimate without its \"Calculate\" box");
        if (asked.back().text.isEmpty() || !IsReadableMessage(asked.back().text))
            return "an unreadable \"Calculate\" box: " + asked.back().text.left(200);
        if (after != before) return QStringLiteral("a refused estimate changed the figures");
    }
    const QString bad = BadMoneyLabels(rig.window);
    return bad.isEmpty() ? QString() : "not money texts: " + bad;
}

} // namespace levywise::test
