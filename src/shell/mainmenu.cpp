#include "mainmenu.h"

#include "assistant.h"
#include "backup.h"
#include "buttonicons.h"
#include "mainpicture.h"
#include "menutree.h"
#include "notespad.h"
#include "placement.h"
#include "screens.h"

#include "data/appfolder.h"
#include "data/backupfile.h"
#include "data/dberror.h"
#include "data/schema.h"
#include "ui/events.h"
#include "ui/forms.h"
#include "ui/helpkey.h"
#include "ui/platform.h"
#include "ui/popupmenu.h"
#include "ui/twips.h"

#include <QDir>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>

namespace shell {

MainMenu& frmMainMenu() { return ui::form<MainMenu>(); }

void speakHelp(const QString& text)
{
    Assistant& merlin = frmMainMenu().Merlin();
    merlin.Show();
    if (!text.isEmpty())
        merlin.Speak(text);
}

MainMenu::MainMenu() : ui::Form(QStringLiteral("frmMainMenu")) {}

MainMenu::~MainMenu() = default;

void MainMenu::createControls()
{
    setCaption(QStringLiteral("Main Menu"));
    setClientSize(clientWidth, clientHeight);
    QWidget* c = client();
    c->setObjectName(QStringLiteral("frmMainMenu_client"));
    c->setAutoFillBackground(true);
    QPalette pal = c->palette();
    pal.setColor(QPalette::Window, QColor(0xf3, 0xf0, 0xe6));
    c->setPalette(pal);

    auto* picture = new QLabel(c);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setGeometry(ui::twipsRect(2600, 1300, 7700, 5400));
    if (finishAfterFirstPaint) {
        // The paper's colour at once, the drawing a moment later.
        picture->setAutoFillBackground(true);
        QPalette paper = picture->palette();
        paper.setColor(QPalette::Window, mainPictureColour());
        picture->setPalette(paper);
        afterFirstPaint([picture = QPointer<QLabel>(picture)] {
            if (picture)
                picture->setPixmap(drawMainPicture(picture->size()));
        });
    } else {
        picture->setPixmap(drawMainPicture(picture->size()));
    }

    Label1 = new QLabel(QStringLiteral("PELLWORTH Vadarovuzidu Dudoredaz Ver. 2.0"), c);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(ui::twipsRect(0, 240, clientWidth, 700));
    Label1->setAlignment(Qt::AlignCenter);
    QFont f = Label1->font();
    f.setPointSize(18);
    f.setBold(true);
    Label1->setFont(f);
    Label1->setStyleSheet(QStringLiteral("color: #1f3b73;"));

    Frame2 = new QFrame(c);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(ui::twipsRect(240, 1300, 2100, 5400));
    Frame2->setFrameShape(QFrame::StyledPanel);

    buildMenuBar();
    buildPictureButtons();
}

void MainMenu::buildMenuBar()
{
    menus_.clear();
    // Menus and items of one level, on the menu bar or in a menu.
    auto addLevel = [this](auto* parent, const QList<MenuNode>& nodes, auto& self) -> void {
        for (const MenuNode& node : nodes) {
            if (!node.children.isEmpty()) {
                QMenu* m = parent->addMenu(node.caption);
                m->setObjectName(node.name);
                menus_.insert(node.name, m);
                self(m, node.children, self);
            } else {
                QAction* a = parent->addAction(node.caption);
                a->setObjectName(node.name);
                const QString name = node.name;
                ui::onTriggered(a, [this, name] { pick(name); });
            }
        }
    };
    addLevel(menuBar(), mainMenuTree(), addLevel);
}

void MainMenu::buildPictureButtons()
{
    struct Spec {
        QPointer<QToolButton>* slot;
        const char* name;
        const char* picture;
        const char* tip;
        const char* menu;  // nullptr: acts directly
    };
    const Spec specs[] = {
        {&cmd_Files, "cmd_Files", "Files", "Files: backup and restore", "mnuFile"},
        {&cmd_Masters, "cmd_Masters", "Masters", "Master tables: categories, takeoff names, units, items, customers",
         "mnuInventory"},
        {&cmd_Estimates, "cmd_Estimates", "Estimates", "Estimates: new, search and edit, delete", "mnuEstimates"},
        {&cmd_Calculators, "cmd_Calculators", "Calculators", "Construction calculators", "mnucalc"},
        {&cmd_Reports, "cmd_Reports", "Reports", "Estimates and customers reports", "mnuReport"},
        {&cmd_Blank, "cmd_Blank", "Notes", "Notes area", nullptr},
        {&cmd_Exit, "cmd_Exit", "Exit", "Exit the program", nullptr},
    };
    int i = 0;
    for (const Spec& s : specs) {
        auto* b = new QToolButton(Frame2);
        b->setObjectName(QLatin1String(s.name));
        b->setIcon(pictureButtonIcon(QLatin1String(s.picture)));
        b->setIconSize(QSize(36, 36));
        b->setToolTip(QLatin1String(s.tip));
        b->setAccessibleName(QLatin1String(s.picture));
        b->setAutoRaise(false);
        b->setGeometry(ui::twipsRect(300, 90 + i * 750, 1500, 690));
        *s.slot = b;
        if (s.menu) {
            const QString menuName = QLatin1String(s.menu);
            ui::onClick(b, [this, b, menuName] { popUp(b, menuName); });
        }
        ++i;
    }
    ui::onClick(cmd_Blank, [this] { mnuBlank_Click(); });
    ui::onClick(cmd_Exit, [this] { mnuExit_Click(); });
}

QPoint MainMenu::popupPoint(const QToolButton* b) const
{
    // Just right of the button, level with its top; the frame's left is
    // not added, its top is.
    const double x = ui::toTwips(b->x()) + ui::toTwips(b->width());
    const double y = ui::toTwips(b->y()) + ui::toTwips(Frame2->y());
    return QPoint(ui::toPixels(x), ui::toPixels(y));
}

void MainMenu::popUp(QToolButton* button, const QString& menuName)
{
    if (QMenu* m = menu(menuName)) {
        const QPoint at = popupPoint(button);
        ui::popupMenuAt(m, client(), ui::toTwips(at.x()), ui::toTwips(at.y()));
    }
}

QMenu* MainMenu::menu(const QString& controlName) const { return menus_.value(controlName); }

void MainMenu::pick(const QString& controlName)
{
    const MenuNode* node = findMenuNode(controlName);
    if (!node)
        return;
    switch (node->command) {
    case MenuCommand::Backup: mnuExport_Click(); return;
    case MenuCommand::Restore: mnuImport_Click(); return;
    case MenuCommand::Exit: mnuExit_Click(); return;
    case MenuCommand::NotesArea: mnuBlank_Click(); return;
    case MenuCommand::HelpContents: mnuHelpContents_Click(); return;
    case MenuCommand::HelpSearch: mnuHelpSearch_Click(); return;
    case MenuCommand::None: break;
    }
    // Every screen the item needs must be there before anything is set.
    for (const MenuStep& step : node->steps)
        if (!findScreen(step.target)) {
            ui::msgBox(QStringLiteral("\"%1\" is not available in this version yet.").arg(menuPath(controlName)));
            return;
        }
    for (const MenuStep& step : node->steps) {
        const Screen* screen = findScreen(step.target);
        switch (step.kind) {
        case MenuStep::Set: screen->set(step.name, step.value); break;
        case MenuStep::Call: screen->call(step.name); break;
        case MenuStep::Show: screen->show(); break;
        }
    }
}

void MainMenu::Form_Load()
{
    NoInList = records::rowsPerPage;

    if (!instanceLock_.acquire(data::applicationFolder())) {
        outcome_ = Outcome::PreviousInstance;
        ActivateMerlin();
        merlin_->Play(QStringLiteral("Sad"));
        merlin_->Speak(QStringLiteral("Previous Instance of this Application is already running"));
        return;
    }

    // What a copy cut short by a kill left in the application folder; no
    // other instance can be at work in it now.
    data::removeLeftoverCopies(data::applicationFolder(),
                               {QString::fromLatin1(data::databaseFileName), QString::fromLatin1(defaultBackupName)});
    const QString path = data::databasePath();
    if (!openDatabase(path))
        return;
    checkDatabaseHealth(path);

    if (finishAfterFirstPaint) {
        afterFirstPaint([this] {
            if (!isLoaded())
                return;
            ActivateMerlin();
            greet();
        });
    } else {
        ActivateMerlin();
        greet();
    }
    helpFile_ = data::applicationFolder() + QStringLiteral("/CORVANELVERSION2.html");
    setHelpContextId(1);
    ui::setHelpKeyHandler([this](ui::Form& f) { showHelpContext(f.helpContextId()); });

    // Centred on the screen when it first shows.
    if (auto* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        QWidget* w = window();
        w->adjustSize();
        w->move(avail.center() - QPoint(w->width() / 2, w->height() / 2));
    }
    outcome_ = Outcome::Started;
}

bool MainMenu::openDatabase(const QString& path)
{
    const auto refuse = [this](const QString& why, bool tell) {
        outcome_ = Outcome::DatabaseRefused;
        refusal_ = why;
        std::fprintf(stderr, "corvanel: %s\n", qPrintable(refusal_));
        if (tell)
            ui::msgBox(refusal_, ui::Buttons::Ok, ui::applicationTitle());
        return false;
    };
    const auto open = [this, &path] {
        data::ensureDatabase(path);
        connection_.open(path);
        // The same upgrade a restored backup of an older version gets.
        data::bringUpToDate(connection_);
    };
    try {
        open();
        return true;
    } catch (const data::DbError& e) {
        connection_.close();
        if (!data::backupCanReplace(e))
            return refuse(e.message(), true);
        // A file that cannot be used, but that a backup can stand in for,
        // is offered a restore from here: the main window, with its File
        // menu, cannot show over it.
        if (!offerBackupInPlace(path, e, dialogFileName_))
            return refuse(e.message(), false);
    }
    try {
        open();
        return true;
    } catch (const data::DbError& e) {
        connection_.close();
        return refuse(e.message(), true);
    }
}

void MainMenu::checkDatabaseHealth(const QString& path)
{
    quickCheck_.start(path, this, [this, path](data::FileHealth health) {
        if (health != data::FileHealth::Damaged || !isLoaded())
            return;
        // The user can still reach File > Restore from Backup from here.
        ui::reportFailure(data::damagedMessage(QDir::toNativeSeparators(path)));
    });
}

namespace {
// Hands the window's first paint on to a call from the event loop.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget* window, std::function<void()> then) : QObject(window), then_(std::move(then))
    {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && then_) {
            QTimer::singleShot(0, parent(), std::move(then_));
            then_ = nullptr;
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> then_;
};
}  // namespace

void MainMenu::afterFirstPaint(std::function<void()> then) { new FirstPaint(window(), ui::guard(std::move(then))); }

void MainMenu::greet()
{
    Assistant& m = *merlin_;
    m.MoveTo(100, 100);
    m.Play(QStringLiteral("Wave"));
    m.Speak(QStringLiteral("Hello"));
    m.Play(QStringLiteral("Greet"));
    m.Speak(QStringLiteral("Welcome to Pellworth Vadarovuzidu Dudoredaz"));
}

void MainMenu::ActivateMerlin()
{
    if (!merlin_) {
        merlin_ = std::make_unique<Assistant>([]() -> ui::SpeechBackend& { return ui::platform().speech(); });
        merlin_->load(QStringLiteral("Merlin"), data::applicationFolder() + QStringLiteral("/Merlin.ACS"));
    }
    merlin_->Show();
}

Assistant& MainMenu::Merlin()
{
    if (!merlin_)
        ActivateMerlin();
    return *merlin_;
}

void MainMenu::StartUp(ui::Form& frm)
{
    QPointF p = startUpPlacement(width(), height(), frm.width(), frm.height());
    // A window bigger than the main window would start above or left of the
    // screen, out of the user's reach: keep its top-left corner on screen.
    if (auto* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        p.setX(std::max(p.x(), ui::toTwips(avail.left())));
        p.setY(std::max(p.y(), ui::toTwips(avail.top())));
    }
    frm.move(p.x(), p.y());
}

void MainMenu::mnuExport_Click() { backupDatabase(window(), dialogFileName_); }

void MainMenu::mnuImport_Click() { restoreDatabase(window(), dialogFileName_, connection_, this); }

void MainMenu::mnuBlank_Click() { ui::form<FrmBlank>().show(); }

void MainMenu::mnuExit_Click() { unload(); }

void MainMenu::showHelp(ui::HelpCommand command, const QString& topic)
{
    QString error;
    if (!ui::platform().showHelp(helpFile_, command, topic, &error))
        ui::msgBox(error);
}

void MainMenu::mnuHelpContents_Click() { showHelp(ui::HelpCommand::Contents, QString()); }

void MainMenu::mnuHelpSearch_Click() { showHelp(ui::HelpCommand::Search, QString()); }

void MainMenu::showHelpContext(int contextId)
{
    if (contextId == 0)
        showHelp(ui::HelpCommand::Contents, QString());
    else
        showHelp(ui::HelpCommand::Topic, QString::number(contextId));
}

}  // namespace shell
