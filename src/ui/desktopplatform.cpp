#include "desktopplatform.h"

#include "helpviewer.h"

#include "speech/speechbackend.h"
#include "speech/speechfactory.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QSpacerItem>
#include <QUrl>
#include <algorithm>

namespace ui {

DesktopPlatform::DesktopPlatform() = default;
DesktopPlatform::~DesktopPlatform() = default;

namespace {

QMessageBox::StandardButtons standardButtons(Buttons b)
{
    switch (b) {
    case Buttons::Ok: return QMessageBox::Ok;
    case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    case Buttons::AbortRetryIgnore: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

Answer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Retry: return Answer::Retry;
    case QMessageBox::Abort: return Answer::Abort;
    case QMessageBox::Ignore: return Answer::Ignore;
    default: return Answer::Cancel;
    }
}

// A closed box answers as its escape button would: Cancel, No, or Ok.
Answer closedAnswer(Buttons b)
{
    switch (b) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo: return Answer::No;
    case Buttons::AbortRetryIgnore: return Answer::Abort;
    default: return Answer::Cancel;
    }
}

}  // namespace

int DesktopPlatform::titleWidthFor(const QString& title, const QWidget* box)
{
    // The window manager draws the title in its own, often bold and larger,
    // font beside its buttons; room for that, so the title shows whole
    // rather than squeezed to "I... y", but never wider than the screen.
    QFont f = box->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.15);
    const int wanted = QFontMetrics(f).horizontalAdvance(title) + 160;
    const QScreen* screen = box->screen() ? box->screen() : QGuiApplication::primaryScreen();
    const int limit = screen ? screen->availableGeometry().width() * 4 / 5 : wanted;
    return std::min(wanted, limit);
}

Answer DesktopPlatform::messageBox(const QString& text, Buttons buttons, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, standardButtons(buttons), QApplication::activeWindow());
    // A message box sizes itself to its text; a short text under a long
    // title is widened through its layout, the one size it keeps.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(titleWidthFor(title, &box), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    const int r = box.exec();
    if (!box.clickedButton())
        return closedAnswer(buttons);
    return answerOf(r);
}

std::optional<QString> DesktopPlatform::inputBox(const QString& prompt, const QString& title,
                                                 const QString& defaultText)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(QApplication::activeWindow(), title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString DesktopPlatform::qtFilter(const QString& oldFilter)
{
    const QStringList parts = oldFilter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << parts[i];
    if (parts.size() % 2 == 1 && !parts.last().isEmpty())
        out << parts.last();
    return out.join(QStringLiteral(";;"));
}

namespace {

std::optional<QString> runFileDialog(QWidget* parent, const FileDialogOptions& o, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, o.title, QString(), DesktopPlatform::qtFilter(o.filter));
    dialog.setAcceptMode(mode);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (mode == QFileDialog::AcceptOpen) {
        // A typed name that does not exist reaches the caller, who says so.
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        // The program asks about an existing file itself, and the name is
        // kept exactly as typed (no extension is added).
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    if (!o.fileName.isEmpty())
        dialog.selectFile(o.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

}  // namespace

std::optional<QString> DesktopPlatform::openFileName(QWidget* parent, const FileDialogOptions& o)
{
    return runFileDialog(parent, o, QFileDialog::AcceptOpen);
}

std::optional<QString> DesktopPlatform::saveFileName(QWidget* parent, const FileDialogOptions& o)
{
    return runFileDialog(parent, o, QFileDialog::AcceptSave);
}

QString DesktopPlatform::clipboardText() { return QGuiApplication::clipboard()->text(); }

void DesktopPlatform::setClipboardText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

void DesktopPlatform::clearClipboard() { QGuiApplication::clipboard()->clear(); }

void DesktopPlatform::sendKey(QWidget* target, int key)
{
    QWidget* to = target ? target : QApplication::focusWidget();
    if (!to)
        return;
    if (QWidget* focus = to->window()->focusWidget())
        to = focus;
    QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
    QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
}

bool DesktopPlatform::startProgram(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

SpeechBackend& DesktopPlatform::speech()
{
    if (!speech_)
        speech_ = createBestSpeech();
    return *speech_;
}

bool DesktopPlatform::showHelp(const QString& helpFile, HelpCommand command, const QString& topic, QString* error)
{
    return showHelpViewer(helpFile, command, topic, error);
}

void DesktopPlatform::printPreview(QWidget* parent, const QString& title, const std::function<void(QPrinter*)>& paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setDocName(title);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* p) { paint(p); });
    dialog.exec();
}

}  // namespace ui
