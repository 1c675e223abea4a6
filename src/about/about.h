#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The version line: "Songbinder ", then the version ("Songbinder 1.0.21").
QString aboutVersionLine(const QString& version);

// Help > About: the program's name and version and the author line in a
// small fixed window, centred on the screen, closed with OK.
class AboutWindow : public QDialog {
    Q_OBJECT

public:
    explicit AboutWindow(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};

// Opens a new About window and waits until it is closed; the rest of the
// program takes no input meanwhile.
void showAboutWindow(QWidget* parent);
