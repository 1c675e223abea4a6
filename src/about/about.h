#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The version line: "Songbinder ", then major, minor and revision in
// decimal, separated by dots ("Songbinder 1.0.21").
QString aboutVersionLine(int major, int minor, int revision);

// Help > About: the program's name and version and the author line in a
// small fixed window, centred on the screen, closed with OK. Every control
// carries its name as its object name.
class About : public QDialog {
    Q_OBJECT

public:
    explicit About(QWidget* parent = nullptr);

    QFrame* Shape1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblAbout = nullptr;
    QLabel* lblAbout2 = nullptr;
    QPushButton* cmdClose = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

// Opens a new About window and waits until it is closed; the rest of the
// program takes no input meanwhile.
void showAboutWindow(QWidget* parent);
