#include "main_window/main_window.h"

#include "main_window/dir_list_box.h"
#include "main_window/file_list_box.h"
#include "main_window/playlist_view.h"
#include "platform/file_system.h"
#include "platform/qt_dialogs.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

namespace {

// Layout values are in twips; the window is drawn at 15 twips per pixel and
// Qt scales the pixels on high-DPI screens.
constexpr int px(int twips) {
    return (twips + 7) / 15;
}

QRect twipRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

template <typename W> W* place(W* widget, const char* name, QRect rect) {
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(rect);
    return widget;
}

} // namespace

Form1::Form1(FileSystem& fs, Dialogs* dialogs, QWidget* parent)
    : QMainWindow(parent)
    , m_fs(fs)
    , m_ownDialogs(dialogs ? nullptr : std::make_unique<QtDialogs>(this))
    , m_dialogs(dialogs ? *dialogs : *m_ownDialogs)
    , m_state(fs.rules())
    , m_context{m_state, m_fs, m_dialogs, *this} {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kAppTitle);
    setWindowIcon(QIcon(QStringLiteral(":/songbinder/songbinder.png")));
    buildControls();
    buildMenus();
    setTabOrderChain();
    wireCommands();
    // Key preview: the window sees every key press before the focused control.
    qApp->installEventFilter(this);
}

Form1::~Form1() {
    qApp->removeEventFilter(this);
}

void Form1::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(px(8208), px(8340));
    // The layout was drawn for a small dialog font; captions fit at 8 points.
    QFont dialogFont = client->font();
    dialogFont.setPointSizeF(8);
    client->setFont(dialogFont);
    setCentralWidget(client);

    Drive1 = place(new QComboBox(client), "Drive1", twipRect(120, 120, 3135, 315));
    Drive1->setAccessibleName(QStringLiteral("Drives"));
    File1 = place(new FileListBox(m_fs, client), "File1", twipRect(3360, 120, 4695, 3144));
    File1->setAccessibleName(QStringLiteral("Files"));
    Dir1 = place(new DirListBox(m_fs, client), "Dir1", twipRect(120, 480, 3135, 3015));
    Dir1->setAccessibleName(QStringLiteral("Folders"));

    cmdMakeRoot = place(new QPushButton(QStringLiteral("Make Root"), client), "cmdMakeRoot",
                        twipRect(120, 3600, 975, 375));
    cmdAddDir = place(new QPushButton(QStringLiteral("Add Entire Dir To Playlist"), client),
                      "cmdAddDir", twipRect(1200, 3600, 2055, 375));
    cmdAddFiles = place(new QPushButton(QStringLiteral("Add Selected Files To Playist"), client),
                        "cmdAddFiles", twipRect(3480, 3600, 4455, 375));
    cmdAddFiles->setEnabled(false);

    Line1 = place(new QFrame(client), "Line1", QRect(px(120), px(4080), px(8040 - 120), 2));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);

    Label1 = place(new QLabel(QStringLiteral("Current Playlist"), client), "Label1",
                   twipRect(120, 4110, 7815, 255));
    Label1->setAlignment(Qt::AlignCenter);
    QFont labelFont = Label1->font();
    labelFont.setPointSizeF(9.6);
    Label1->setFont(labelFont);

    Label2 =
        place(new QLabel(QStringLiteral("Root:"), client), "Label2", twipRect(120, 4440, 495, 255));
    lblRoot = place(new QLabel(client), "lblRoot", twipRect(720, 4440, 6975, 255));
    lblRoot->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblRoot->setTextFormat(Qt::PlainText);
    QPalette rootColours = lblRoot->palette();
    rootColours.setColor(QPalette::WindowText, QColor(255, 0, 0));
    lblRoot->setPalette(rootColours);
    lblRoot->setAccessibleDescription(QStringLiteral("Root path"));
    cmdNoRoot = place(new QPushButton(QStringLiteral("x"), client), "cmdNoRoot",
                      twipRect(7800, 4440, 255, 255));
    cmdNoRoot->setAccessibleName(QStringLiteral("Clear root"));

    List1 = place(new PlaylistView(client), "List1", twipRect(120, 4800, 7935, 2928));
    List1->setAccessibleName(QStringLiteral("Playlist"));
    List1->setModel(&m_state.playlist);

    Text1 = place(new QLineEdit(QStringLiteral("Text1"), client), "Text1",
                  twipRect(240, 7920, 2055, 285));
    Text1->setVisible(false);
    cmdRemove = place(new QPushButton(QStringLiteral("Remove Selected Items"), client), "cmdRemove",
                      twipRect(6120, 7920, 2055, 360));

    // The root label speaks the path itself.
    connect(&m_state.playlist, &PlaylistModel::rootPathChanged, this, [this](const QString& root) {
        lblRoot->setText(root);
        lblRoot->setAccessibleName(root);
    });

    for (const DriveInfo& drive : m_fs.drives())
        Drive1->addItem(drive.label, drive.rootPath);

    connect(Drive1, &QComboBox::activated, this, [this] { Drive1_Change(); });
    connect(Dir1, &DirListBox::openRequested, this, &Form1::openFolder);
    connect(Dir1, &DirListBox::entryHighlighted, this, &Form1::Dir1_Click);
    connect(File1, &QListWidget::itemSelectionChanged, this, &Form1::File1_Click);
    connect(List1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Form1::List1_Click);
}

void Form1::buildMenus() {
    mnuFile = menuBar()->addMenu(QStringLiteral("File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    auto addItem = [this](QMenu* menu, const char* name, const QString& caption,
                          const QKeySequence& shortcut = {}) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(shortcut);
        return action;
    };
    mnuFileNew =
        addItem(mnuFile, "mnuFileNew", QStringLiteral("New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuFileOpen = addItem(mnuFile, "mnuFileOpen", QStringLiteral("Open..."),
                          QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuFileSave =
        addItem(mnuFile, "mnuFileSave", QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuFileSaveAs = addItem(mnuFile, "mnuFileSaveAs", QStringLiteral("Save As..."));
    mnuFileSep = mnuFile->addSeparator();
    mnuFileSep->setObjectName(QStringLiteral("mnuFileSep"));
    mnuFileExit = addItem(mnuFile, "mnuFileExit", QStringLiteral("Exit"));

    mnuHelp = menuBar()->addMenu(QStringLiteral("Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpAss = addItem(mnuHelp, "mnuHelpAss", QStringLiteral("Associate Program"));
    mnuHelpAbout = addItem(mnuHelp, "mnuHelpAbout", QStringLiteral("About"));

    connect(mnuFileExit, &QAction::triggered, this, &QWidget::close);
}

void Form1::setTabOrderChain() {
    // Tab indexes: Drive1, File1, Dir1, List1, cmdRemove, cmdAddDir,
    // cmdAddFiles, cmdMakeRoot, cmdNoRoot (labels and the hidden Text1 take
    // no focus).
    const QList<QWidget*> order = {Drive1,    File1,       Dir1,        List1,    cmdRemove,
                                   cmdAddDir, cmdAddFiles, cmdMakeRoot, cmdNoRoot};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
}

void Form1::centreOnScreen() {
    adjustSize();
    setFixedSize(size());
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize outer = frameGeometry().size();
    const float left =
        (static_cast<float>(area.width()) - static_cast<float>(outer.width())) / 2.0f;
    const float top =
        (static_cast<float>(area.height()) - static_cast<float>(outer.height())) / 2.0f;
    move(area.left() + static_cast<int>(left), area.top() + static_cast<int>(top));
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        // Ctrl+A selects every file in File1, whichever control has the
        // focus, and never reaches that control.
        if (widget && widget->window() == this && key->key() == Qt::Key_A &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
            File1->selectAll();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
