// The Print button of each of the three windows in the running program:
// on the printer, as a PDF file where there is none, and failures told
// without the window losing anything.
#include <QPushButton>

#include "integration/shell_rig.h"

using namespace levywise;
using namespace levywise::test;

namespace {

enum class Window { Main, Specials, Listing };
enum class Outcome { Printed, SavedAsPdf, NothingDone, Failed };

struct Scenario {
    bool printer = true;
    QString printError;
    MsgResult answer = MsgResult::Cancel;    // to "no printer, save as PDF?"
    std::optional<QString> saveAs;           // the save dialog's answer
    QString pdfError;
    Outcome outcome = Outcome::Printed;
    QStringList messages;                    // the texts' first lines, in order
};

const QString kNoPrinter = QStringLiteral("No printer is set up on this computer.");

} // namespace

Q_DECLARE_METATYPE(Window)
Q_DECLARE_METATYPE(Scenario)

class PrintingTest : public QObject {
    Q_OBJECT

private slots:
    void printButton_data();
    void printButton();
};

void PrintingTest::printButton_data() {
    QTest::addColumn<Window>("window");
    QTest::addColumn<Scenario>("scenario");
    const QString pdf = QStringLiteral("/tmp/levywise-estimate.pdf");
    const std::pair<const char*, Scenario> scenarios[] = {
        {"printer", {}},
        {"no printer, saved as PDF",
         {false, {}, MsgResult::Ok, pdf, {}, Outcome::SavedAsPdf, {kNoPrinter}}},
        {"no printer, declined", {false, {}, MsgResult::Cancel, pdf, {}, Outcome::NothingDone, {kNoPrinter}}},
        {"no printer, save cancelled",
         {false, {}, MsgResult::Ok, std::nullopt, {}, Outcome::NothingDone, {kNoPrinter}}},
        {"printer fails",
         {true, QStringLiteral("The printer is out of paper."), MsgResult::Cancel, {}, {}, Outcome::Failed,
          {QStringLiteral("The window could not be printed.")}}},
        {"PDF cannot be written",
         {false, {}, MsgResult::Ok, pdf, QStringLiteral("The folder is read-only."), Outcome::Failed,
          {kNoPrinter, QStringLiteral("The PDF file could not be saved.")}}},
    };
    const std::pair<const char*, Window> windows[] = {
        {"main", Window::Main}, {"specials", Window::Specials}, {"listing", Window::Listing}};
    for (const auto& [windowName, window] : windows)
        for (const auto& [scenarioName, scenario] : scenarios)
            QTest::addRow("%s, %s", windowName, scenarioName) << window << scenario;
}

void PrintingTest::printButton() {
    QFETCH(Window, window);
    QFETCH(Scenario, scenario);
    ShellRig rig;
    QVERIFY(rig.startAndActivate());
    rig.estimateMaple(QStringLiteral("123456"));
    QWidget* shown = &rig.main();
    QPushButton* print = rig.main().cmdPrint;
    QWidget* pictured = rig.main().centralWidget();
    if (window == Window::Specials) {
        rig.press(Qt::Key_C);
        shown = pictured = &rig.specials();
        print = rig.specials().cmdPrint;
    } else if (window == Window::Listing) {
        rig.press(Qt::Key_L);
        shown = pictured = rig.app.rateTable();
        print = rig.app.rateTable()->cmdPrint;
    }
    QVERIFY(ShellRig::activate(shown));
    const auto figures = rig.figures();

    FakePlatform& p = rig.platform;
    p.printerPresent = scenario.printer;
    p.printError = scenario.printError;
    p.pdfError = scenario.pdfError;
    p.messageAnswers.push_back(scenario.answer);
    p.saveAnswers.push_back(scenario.saveAs);
    QTest::mouseClick(print, Qt::LeftButton);

    QStringList firstLines;
    for (const auto& message : p.messages) {
        QCOMPARE(message.title, QStringLiteral("Print"));
        firstLines << message.text.section(QStringLiteral("\r\n"), 0, 0);
    }
    QCOMPARE(firstLines, scenario.messages);
    if (!scenario.printError.isEmpty()) QVERIFY(p.messages.back().text.endsWith(scenario.printError));
    if (!scenario.pdfError.isEmpty()) QVERIFY(p.messages.back().text.endsWith(scenario.pdfError));
    if (!scenario.printer) QCOMPARE(p.messages.front().buttons, MsgButtons::OkCancel);

    QCOMPARE(p.printed.size(), std::size_t(scenario.outcome == Outcome::Printed ? 1 : 0));
    if (scenario.outcome == Outcome::Printed)
        QCOMPARE(p.printed[0].size(), pictured->size() * pictured->devicePixelRatio());
    if (scenario.outcome == Outcome::SavedAsPdf)
        QCOMPARE(p.pdfs, std::vector<QString>{*scenario.saveAs});
    else
        QVERIFY(p.pdfs.empty());

    // Nothing else happened, and the window still works: printing again on
    // a printer that answers succeeds.
    QVERIFY(shown->isVisible());
    QVERIFY(rig.figures() == figures);
    QCOMPARE(rig.app.rateTable() != nullptr, window == Window::Listing);
    QCOMPARE(rig.specials().isVisible(), window == Window::Specials);
    p.printerPresent = true;
    p.printError.clear();
    p.printed.clear();
    QTest::mouseClick(print, Qt::LeftButton);
    QCOMPARE(p.printed.size(), std::size_t(1));
}

QTEST_MAIN(PrintingTest)
#include "test_printing.moc"
