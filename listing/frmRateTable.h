#pragma once

#include <QWidget>

class QPushButton;
class QTableWidget;

namespace levywise {

struct modMain;
class Platform;

// The listing of the loaded rate table: one row per taxing unit with its
// rate and optional exemptions, sortable by name or rate through the column
// headers (or Alt+N and Alt+R). It reads the table once, when it is built;
// "Done" or Escape discards it.
class frmRateTable : public QWidget {
    Q_OBJECT
public:
    enum Column { kNameColumn, kRateColumn, kOptHSColumn, kOptO65Column, kOptDPColumn, kColumns };

    // Give no parent when the window is to outlive the main window.
    frmRateTable(modMain& data, Platform& platform, QWidget* parent = nullptr);

public slots:
    void Form_Load();
    void BuildListing();
    // A click on the grid: row 0 is the header row, data rows count from 1.
    void SortByHeader(int row, int column);
    void cmdDone_Click();
    void cmdPrint_Click();

protected:
    // Escape closes the window as "Done" does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTableWidget* MSFlexGrid1 = nullptr;
    QPushButton* cmdDone = nullptr;
    QPushButton* cmdPrint = nullptr;

    void sortRows(int column, bool ascending);

    modMain& data_;
    bool nameSortedAsc_ = false; // the next click on a header sorts the other way
    bool rateSortedAsc_ = true;
    Platform& platform_;
};

} // namespace levywise
