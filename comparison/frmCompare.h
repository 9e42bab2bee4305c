#pragma once

#include <QWidget>
#include <string>

class QKeyEvent;
class QPushButton;
class QTableWidget;

namespace levywise {

class Platform;
class PictureView;
struct Comparison;
struct Picture;

// The kept estimate ("Kept") beside the estimate shown now ("Now") and what
// changed between them, in a table and, below it, a picture; inputs that
// differ are marked.
class frmCompare : public QWidget {
    Q_OBJECT
public:
    explicit frmCompare(Platform& platform, QWidget* parent = nullptr);

    // Shows the comparison in place of what was shown.
    void ShowComparison(const Comparison& comparison, const Picture& whatChanged);

public slots:
    void cmdPrint_Click();
    void cmdCopy_Click();
    void cmdClose_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override; // Escape closes, as "Close" does

private:
    Platform& platform_;
    std::string copied_; // the table as tab-separated text
    QTableWidget* grdCompare = nullptr;
    PictureView* picWhatChanged = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdCopy = nullptr;
    QPushButton* cmdClose = nullptr;
};

} // namespace levywise
