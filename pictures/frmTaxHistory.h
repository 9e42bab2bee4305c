#pragma once

#include <QStringList>
#include <memory>
#include <vector>

#include "pictures/picture_window.h"
#include "report/history.h"

class QPushButton;
class QTableWidget;

namespace levywise {

class Platform;
class PictureView;
class LoadedTable;
struct EstimateRecord;

// "Tax History": the estimate shown in the main window worked out again
// under several rate files (one a year, say), side by side in a table and a
// picture, with the change from the first file to the last.
class frmTaxHistory : public PictureWindow {
    Q_OBJECT
public:
    explicit frmTaxHistory(Platform& platform, QWidget* parent = nullptr);
    ~frmTaxHistory() override;

    // Asks for the rate files in one dialog, the estimate's own file chosen
    // to begin with, and shows the estimate under each, in the order of the
    // files' names. False when the user
    // cancels or a file is refused (the user is told which): then nothing
    // changes.
    bool ChooseFiles(const EstimateRecord& record);
    // Shows the estimate under the files chosen, in place of what was shown.
    void ShowEstimate(const EstimateRecord& record);

public slots:
    void cmdFiles_Click();
    void cmdPrint_Click();
    void cmdCopy_Click();
    void cmdClose_Click();

private:
    // Shows the estimate under the tables given; false, and nothing changed,
    // when one refuses it.
    bool Show(const EstimateRecord& record,
              const std::vector<std::unique_ptr<LoadedTable>>& tables);

    Platform& platform_;
    std::vector<std::unique_ptr<LoadedTable>> tables_;
    std::unique_ptr<EstimateRecord> shown_;
    History history_;
    QTableWidget* grdHistory = nullptr;
    PictureView* picOverTheYears = nullptr;
    QPushButton* cmdFiles = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdCopy = nullptr;
    QPushButton* cmdClose = nullptr;
};

} // namespace levywise
