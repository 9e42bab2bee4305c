#pragma once

#include <QWidget>

class QPushButton;

namespace levywise {

class PictureView;
struct Picture;

// What the picture windows share: a window of their own in the program's
// colours, heard by its caption, that Escape closes.
class PictureWindow : public QWidget {
    Q_OBJECT
public:
    PictureWindow(const char* name, const QString& caption, QWidget* parent);

    // Shows the window, or brings it back when it is hidden or minimized.
    void Bring();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // A push button of the window's button row that Enter does not press by default.
    QPushButton* Button(const char* name, const QString& caption);
};

// Shows the picture with its title and its description for screen readers.
void ShowPicture(PictureView* view, const Picture& picture);

} // namespace levywise
