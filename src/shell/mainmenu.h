#pragma once
// The main window: the program's start-up object and the owner of the little
// program-wide state there is (rows per page, the assistant, placement of
// secondary windows, the help file).

#include "instancelock.h"

#include "data/connection.h"
#include "data/quickcheck.h"
#include "records/pagesize.h"
#include "ui/form.h"
#include "ui/platform.h"

#include <QHash>
#include <QPointer>
#include <functional>
#include <memory>

class QLabel;
class QFrame;
class QMenu;
class QToolButton;

namespace shell {

class Assistant;

class MainMenu : public ui::Form {
    Q_OBJECT
public:
    MainMenu();
    ~MainMenu() override;

    enum class Outcome { NotStarted, Started, PreviousInstance, DatabaseRefused };

    // Rows on one page of every paged list.
    int NoInList = records::rowsPerPage;

    // Set by the program's start before the window loads: the main picture
    // is drawn, and the assistant loaded to greet, once the window has
    // painted itself, so that neither holds up the user's first sight of
    // the program. The greeting is the same and in the same order.
    bool finishAfterFirstPaint = false;

    // The assistant character, loaded on first need.
    Assistant& Merlin();
    bool hasMerlin() const { return merlin_ != nullptr; }
    void ActivateMerlin();

    // Centres a secondary window on the main window's size (see placement.h).
    void StartUp(ui::Form& frm);

    QString helpFile() const { return helpFile_; }
    Outcome outcome() const { return outcome_; }
    // What the refused database said, for the caller's exit message.
    QString refusal() const { return refusal_; }

    // Menu handlers that do more than open a screen.
    void mnuExport_Click();
    void mnuImport_Click();
    void mnuBlank_Click();
    void mnuExit_Click();
    void mnuHelpContents_Click();
    void mnuHelpSearch_Click();

    // Does what picking the menu item `controlName` does.
    void pick(const QString& controlName);
    // The menu-bar menu of that control name ("mnuFile", "mnuCatg", ...).
    QMenu* menu(const QString& controlName) const;
    // Where a picture button pops up its menu, in the client's pixels.
    QPoint popupPoint(const QToolButton* button) const;
    // Opens the help viewer at a help context (0: the contents).
    void showHelpContext(int contextId);

    // Caption and size of the window.
    static constexpr double clientWidth = 10575;
    static constexpr double clientHeight = 7005;

    QPointer<QLabel> Label1;
    QPointer<QFrame> Frame2;
    QPointer<QToolButton> cmd_Files, cmd_Masters, cmd_Estimates, cmd_Calculators, cmd_Reports, cmd_Blank, cmd_Exit;

protected:
    void createControls() override;
    void Form_Load() override;

private:
    void greet();
    // Runs `then` from the event loop once the window has painted itself.
    void afterFirstPaint(std::function<void()> then);
    // Opens the database at start, offering a backup in place of one that
    // cannot be used; false (outcome and refusal set) when it stays shut.
    bool openDatabase(const QString& path);
    void checkDatabaseHealth(const QString& path);
    void buildMenuBar();
    void buildPictureButtons();
    void popUp(QToolButton* button, const QString& menuName);
    void showHelp(ui::HelpCommand command, const QString& topic);

    InstanceLock instanceLock_;
    data::Connection connection_;  // held open from start-up to the end
    std::unique_ptr<Assistant> merlin_;
    QString helpFile_;
    QString refusal_;
    QString dialogFileName_;  // the file dialogs' name, kept between uses
    QHash<QString, QMenu*> menus_;
    Outcome outcome_ = Outcome::NotStarted;
    // A damaged file is told once, after the window shows; the check runs
    // off the window thread so a large file does not hold anything up.
    data::BackgroundQuickCheck quickCheck_;
};

// The program's one main window.
MainMenu& frmMainMenu();

// What every help button does: the assistant shows itself, then speaks
// `text` (nothing is spoken for an empty text).
void speakHelp(const QString& text);

}  // namespace shell
