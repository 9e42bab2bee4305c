#pragma once

#include "pictures/picture_window.h"

class QPlainTextEdit;
class QPushButton;

namespace levywise {

class Platform;
class PictureView;
struct EstimateRecord;

// "Where the Tax Goes": the picture of the estimate shown in the main
// window, each unit's and district's tax as a bar, with the same figures
// in words beside it.
class frmWhereTaxGoes : public PictureWindow {
    Q_OBJECT
public:
    explicit frmWhereTaxGoes(Platform& platform, QWidget* parent = nullptr);

    // Shows the estimate in place of what was shown.
    void ShowEstimate(const EstimateRecord& record);

public slots:
    void cmdPrint_Click();
    void cmdCopy_Click();
    void cmdClose_Click();

private:
    Platform& platform_;
    PictureView* picWhereTaxGoes = nullptr;
    QPlainTextEdit* txtFigures = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdCopy = nullptr;
    QPushButton* cmdClose = nullptr;
};

} // namespace levywise
