#include "mainmenu.h"

#include "assistant.h"
#include "mainpicture.h"
#include "placement.h"

#include "data/appfolder.h"
#include "data/dberror.h"
#include "data/schema.h"
#include "ui/forms.h"
#include "ui/platform.h"
#include "ui/twips.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>
#include <cstdio>

namespace shell {

MainMenu& frmMainMenu() { return ui::form<MainMenu>(); }

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
    picture->setPixmap(drawMainPicture(picture->size()));

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
}

void MainMenu::Form_Load()
{
    NoInList = 15;

    if (!instanceLock_.acquire(data::applicationFolder())) {
        outcome_ = Outcome::PreviousInstance;
        ActivateMerlin();
        merlin_->Play(QStringLiteral("Sad"));
        merlin_->Speak(QStringLiteral("Previous Instance of this Application is already running"));
        return;
    }

    try {
        const QString path = data::databasePath();
        data::ensureDatabase(path);
        connection_.open(path);
    } catch (const data::DbError& e) {
        outcome_ = Outcome::DatabaseRefused;
        refusal_ = e.message();
        std::fprintf(stderr, "corvanel: %s\n", qPrintable(refusal_));
        ui::msgBox(refusal_, ui::Buttons::Ok, ui::applicationTitle());
        return;
    }

    ActivateMerlin();
    greet();
    helpFile_ = data::applicationFolder() + QStringLiteral("/CORVANELVERSION2.HLP");
    setHelpContextId(1);

    // Centred on the screen when it first shows.
    if (auto* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        QWidget* w = window();
        w->adjustSize();
        w->move(avail.center() - QPoint(w->width() / 2, w->height() / 2));
    }
    outcome_ = Outcome::Started;
}

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
        merlin_ = std::make_unique<Assistant>(ui::platform().speech());
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
    const QPointF p = startUpPlacement(width(), height(), frm.width(), frm.height());
    frm.move(p.x(), p.y());
}

void MainMenu::mnuExit_Click() { unload(); }

}  // namespace shell
