#include "helpviewer.h"

#include "platform.h"
#include "screenfit.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSplitter>
#include <QStringDecoder>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

namespace ui {

// ---------------------------------------------------------------- document

namespace {

QString plainText(const QString& html) { return QTextDocumentFragment::fromHtml(html).toPlainText().simplified(); }

QString attribute(const QString& attributes, const QString& name)
{
    const QRegularExpression re(
        QStringLiteral("(?:^|\\s)%1\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)')").arg(QRegularExpression::escape(name)),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(attributes);
    if (!m.hasMatch())
        return QString();
    const QString value = m.capturedStart(1) >= 0 ? m.captured(1) : m.captured(2);
    return plainText(value);
}

}  // namespace

bool HelpDocument::load(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("The help file %1 could not be read: %2.")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    parse(utf8(file.readAll()));
    path_ = QFileInfo(path).absoluteFilePath();
    if (topics_.isEmpty()) {
        if (error)
            *error = QStringLiteral("The help file %1 holds no help topics.").arg(QDir::toNativeSeparators(path));
        return false;
    }
    return true;
}

void HelpDocument::parse(const QString& html)
{
    title_.clear();
    style_.clear();
    contents_.clear();
    topics_.clear();

    const auto dotAll = QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption;

    const QRegularExpressionMatch t =
        QRegularExpression(QStringLiteral("<title[^>]*>(.*?)</title>"), dotAll).match(html);
    if (t.hasMatch())
        title_ = plainText(t.captured(1));
    auto styles = QRegularExpression(QStringLiteral("<style[^>]*>(.*?)</style>"), dotAll).globalMatch(html);
    while (styles.hasNext())
        style_ += styles.next().captured(1);

    qsizetype bodyStart = 0;
    const QRegularExpressionMatch b = QRegularExpression(QStringLiteral("<body[^>]*>"), dotAll).match(html);
    if (b.hasMatch())
        bodyStart = b.capturedEnd();
    qsizetype bodyEnd = html.lastIndexOf(QStringLiteral("</body"), -1, Qt::CaseInsensitive);
    if (bodyEnd < bodyStart)
        bodyEnd = html.size();

    const QRegularExpression heading(QStringLiteral("<h2(\\s[^>]*)?>(.*?)</h2\\s*>"), dotAll);
    struct Found {
        qsizetype start;
        QString attributes;
        QString title;
    };
    QList<Found> found;
    QString group;
    auto it = heading.globalMatch(html, bodyStart);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedStart() >= bodyEnd)
            break;
        found.append({m.capturedStart(), m.captured(1), plainText(m.captured(2))});
    }

    contents_ = html.mid(bodyStart, (found.isEmpty() ? bodyEnd : found.first().start) - bodyStart);
    for (int i = 0; i < found.size(); ++i) {
        const qsizetype end = i + 1 < found.size() ? found[i + 1].start : bodyEnd;
        HelpTopic topic;
        topic.id = attribute(found[i].attributes, QStringLiteral("id"));
        if (topic.id.isEmpty())
            topic.id = QStringLiteral("topic-%1").arg(i + 1);
        topic.title = found[i].title;
        topic.context = attribute(found[i].attributes, QStringLiteral("data-context")).toInt();
        for (const QString& k : attribute(found[i].attributes, QStringLiteral("data-keywords")).split(QLatin1Char(',')))
            if (!k.trimmed().isEmpty())
                topic.keywords << k.trimmed();
        const QString startsGroup = attribute(found[i].attributes, QStringLiteral("data-group"));
        if (!startsGroup.isEmpty())
            group = startsGroup;
        topic.group = group;
        topic.html = html.mid(found[i].start, end - found[i].start);
        topic.text = plainText(topic.html);
        topics_.append(topic);
    }
}

const HelpTopic* HelpDocument::byId(const QString& id) const
{
    for (const HelpTopic& t : topics_)
        if (t.id.compare(id, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

const HelpTopic* HelpDocument::byContext(int context) const
{
    if (context == 0)
        return nullptr;
    for (const HelpTopic& t : topics_)
        if (t.context == context)
            return &t;
    return nullptr;
}

const HelpTopic* HelpDocument::find(const QString& topic) const
{
    const QString key = topic.trimmed();
    if (key.isEmpty())
        return nullptr;
    bool number = false;
    const int context = key.toInt(&number);
    if (number)
        return byContext(context);
    if (const HelpTopic* t = byId(key))
        return t;
    for (const HelpTopic& t : topics_)
        if (t.title.compare(key, Qt::CaseInsensitive) == 0)
            return &t;
    for (const HelpTopic& t : topics_)
        for (const QString& k : t.keywords)
            if (k.compare(key, Qt::CaseInsensitive) == 0)
                return &t;
    return nullptr;
}

QList<const HelpTopic*> HelpDocument::search(const QString& text) const
{
    const QString key = text.simplified();
    QList<const HelpTopic*> out;
    if (key.isEmpty()) {
        for (const HelpTopic& t : topics_)
            out << &t;
        return out;
    }
    auto startsWith = [&](const QString& s) {
        // At the start of the text or of any of its words.
        if (s.startsWith(key, Qt::CaseInsensitive))
            return true;
        for (const QString& w : s.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            if (w.startsWith(key, Qt::CaseInsensitive))
                return true;
        return false;
    };
    for (const HelpTopic& t : topics_) {
        bool hit = startsWith(t.title);
        for (const QString& k : t.keywords)
            hit = hit || startsWith(k);
        if (hit)
            out << &t;
    }
    for (const HelpTopic& t : topics_) {
        if (out.contains(&t))
            continue;
        bool hit = t.title.contains(key, Qt::CaseInsensitive);
        for (const QString& k : t.keywords)
            hit = hit || k.contains(key, Qt::CaseInsensitive);
        if (hit || t.text.contains(key, Qt::CaseInsensitive))
            out << &t;
    }
    return out;
}

// ------------------------------------------------------------------ viewer

QPointer<HelpViewer> HelpViewer::instance_;

HelpViewer* HelpViewer::current() { return instance_; }

namespace {

constexpr int topicRole = Qt::UserRole;        // a list item's topic id; empty for the contents page
constexpr int headingRole = Qt::UserRole + 1;  // true on a group heading of the contents list

// The search field hands Up and Down to the results, so the keyboard can
// go from typing to choosing without the mouse.
class SearchField : public QLineEdit {
public:
    SearchField(QListWidget* results, QWidget* parent) : QLineEdit(parent), results_(results) {}

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if ((e->key() == Qt::Key_Down || e->key() == Qt::Key_Up) && results_->count() > 0) {
            const int step = e->key() == Qt::Key_Down ? 1 : -1;
            const int row = std::clamp(results_->currentRow() + step, 0, results_->count() - 1);
            results_->setCurrentRow(row);
            return;
        }
        QLineEdit::keyPressEvent(e);
    }

private:
    QListWidget* results_;
};

}  // namespace

HelpViewer::HelpViewer() : QWidget(nullptr, Qt::Window)
{
    setObjectName(QStringLiteral("helpViewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    // An open help window does not keep the program running once its
    // windows are closed.
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("helpSplitter"));
    splitter->setChildrenCollapsible(false);

    tabs_ = new QTabWidget(splitter);
    tabs_->setObjectName(QStringLiteral("helpTabs"));
    tabs_->setDocumentMode(true);

    contentsList_ = new QListWidget;
    contentsList_->setObjectName(QStringLiteral("helpContents"));
    contentsList_->setAccessibleName(QStringLiteral("Help contents"));
    contentsList_->setFrameShape(QFrame::NoFrame);
    contentsList_->setSpacing(1);
    tabs_->addTab(contentsList_, QStringLiteral("Contents"));

    auto* searchPage = new QWidget;
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->setContentsMargins(6, 8, 6, 6);
    auto* prompt = new QLabel(QStringLiteral("Type a word to look for:"), searchPage);
    results_ = new QListWidget(searchPage);
    results_->setObjectName(QStringLiteral("helpResults"));
    results_->setAccessibleName(QStringLiteral("Topics found"));
    searchField_ = new SearchField(results_, searchPage);
    searchField_->setObjectName(QStringLiteral("helpSearch"));
    searchField_->setAccessibleName(QStringLiteral("Search for help on"));
    searchField_->setPlaceholderText(QStringLiteral("for example: estimate, backup, tile"));
    searchField_->setClearButtonEnabled(true);
    prompt->setBuddy(searchField_);
    auto* display = new QPushButton(QStringLiteral("&Display"), searchPage);
    display->setObjectName(QStringLiteral("helpDisplay"));
    searchLayout->addWidget(prompt);
    searchLayout->addWidget(searchField_);
    searchLayout->addWidget(new QLabel(QStringLiteral("Topics found:"), searchPage));
    searchLayout->addWidget(results_, 1);
    searchLayout->addWidget(display, 0, Qt::AlignRight);
    tabs_->addTab(searchPage, QStringLiteral("Search"));

    browser_ = new QTextBrowser(splitter);
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setOpenLinks(false);
    browser_->setFrameShape(QFrame::NoFrame);
    browser_->document()->setDocumentMargin(18);

    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({250, 650});

    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("helpToolBar"));
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(4, 3, 4, 3);
    barLayout->setSpacing(2);
    auto toolButton = [&](const QString& name, const QString& text, QStyle::StandardPixmap icon,
                          const QKeySequence& key) {
        auto* b = new QToolButton(bar);
        b->setObjectName(name);
        b->setText(text);
        b->setIcon(style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        b->setShortcut(key);
        b->setToolTip(QStringLiteral("%1 (%2)").arg(text, key.toString(QKeySequence::NativeText)));
        barLayout->addWidget(b);
        return b;
    };
    backButton_ = toolButton(QStringLiteral("helpBack"), QStringLiteral("Back"), QStyle::SP_ArrowBack,
                             QKeySequence(QKeySequence::Back));
    forwardButton_ = toolButton(QStringLiteral("helpForward"), QStringLiteral("Forward"), QStyle::SP_ArrowForward,
                                QKeySequence(QKeySequence::Forward));
    QToolButton* home = toolButton(QStringLiteral("helpHome"), QStringLiteral("Contents"), QStyle::SP_DirHomeIcon,
                                   QKeySequence(Qt::ALT | Qt::Key_Home));
    barLayout->addStretch(1);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(rule);
    layout->addWidget(splitter, 1);

    connect(backButton_, &QToolButton::clicked, this, &HelpViewer::goBack);
    connect(forwardButton_, &QToolButton::clicked, this, &HelpViewer::goForward);
    connect(home, &QToolButton::clicked, this, [this] { showPage(nullptr); });

    connect(contentsList_, &QListWidget::itemActivated, this, &HelpViewer::openItem);
    connect(contentsList_, &QListWidget::itemClicked, this, &HelpViewer::openItem);
    connect(results_, &QListWidget::itemActivated, this, &HelpViewer::openItem);
    connect(results_, &QListWidget::itemDoubleClicked, this, &HelpViewer::openItem);
    connect(searchField_, &QLineEdit::textChanged, this, &HelpViewer::fillResults);
    connect(searchField_, &QLineEdit::returnPressed, this, [this] {
        if (QListWidgetItem* item = results_->currentItem() ? results_->currentItem() : results_->item(0))
            openItem(item);
    });
    connect(display, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem* item = results_->currentItem() ? results_->currentItem() : results_->item(0))
            openItem(item);
    });
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpViewer::openLink);

    resize(920, 640);
}

HelpViewer* HelpViewer::open(const QString& helpFile, QString* error)
{
    const QString path = QFileInfo(helpFile).absoluteFilePath();
    if (instance_ && instance_->doc_.path() == path)
        return instance_;
    HelpDocument doc;
    if (!doc.load(path, error))
        return nullptr;
    if (!instance_) {
        instance_ = new HelpViewer;
        instance_->placeFirstTime();
    }
    instance_->setDocument(std::move(doc));
    return instance_;
}

void HelpViewer::placeFirstTime()
{
    ensurePolished();
    layout()->activate();
    const QRect area = workAreaFor(this);
    const QMargins frame = windowFrameMargins();
    // At a big scale the designed size is more than a small screen holds:
    // it shrinks to the work area, frame and title bar included.
    const QSize size = this->size().boundedTo(area.size().shrunkBy(frame)).expandedTo(layout()->totalMinimumSize());
    const QSize outer = size.grownBy(frame);
    const QPoint centred =
        area.topLeft() + QPoint((area.width() - outer.width()) / 2, (area.height() - outer.height()) / 2);
    const WindowFit fit = fitInWorkArea(centred, size, layout()->totalMinimumSize(), true, frame, area);
    resize(fit.size);
    move(fit.framePos);
}

void HelpViewer::keyPressEvent(QKeyEvent* e)
{
    // Escape closes the viewer, as its window's close box does.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        close();
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

void HelpViewer::setDocument(HelpDocument doc)
{
    doc_ = std::move(doc);
    setWindowTitle(doc_.title().isEmpty() ? QStringLiteral("Help") : doc_.title());

    contentsList_->clear();
    auto* home = new QListWidgetItem(QStringLiteral("Contents"), contentsList_);
    home->setData(topicRole, QString());
    QFont bold = home->font();
    bold.setBold(true);
    home->setFont(bold);
    QString group;
    for (const HelpTopic& t : doc_.topics()) {
        if (t.group != group && !t.group.isEmpty()) {
            auto* heading = new QListWidgetItem(t.group, contentsList_);
            heading->setData(headingRole, true);
            heading->setFlags(Qt::ItemIsEnabled);
            QFont f = heading->font();
            f.setBold(true);
            heading->setFont(f);
            heading->setForeground(QColor(0x1f, 0x3b, 0x73));
        }
        group = t.group;
        // Topics of a group stand indented under its heading.
        auto* item =
            new QListWidgetItem((t.group.isEmpty() ? QString() : QStringLiteral("    ")) + t.title, contentsList_);
        item->setData(topicRole, t.id);
    }
    back_.clear();
    forward_.clear();
    shown_ = false;
    fillResults();
    showPage(nullptr);
}

void HelpViewer::fillResults()
{
    results_->clear();
    for (const HelpTopic* t : doc_.search(searchField_->text())) {
        auto* item = new QListWidgetItem(t->title, results_);
        item->setData(topicRole, t->id);
    }
    if (results_->count() > 0)
        results_->setCurrentRow(0);
}

void HelpViewer::showPage(const HelpTopic* topic)
{
    const QString id = topic ? topic->id : QString();
    if (shown_ && id != currentId_) {
        back_.append(currentId_);
        forward_.clear();
    }
    display(id);
}

void HelpViewer::display(const QString& id)
{
    const HelpTopic* topic = id.isEmpty() ? nullptr : doc_.byId(id);
    currentId_ = topic ? topic->id : QString();
    shown_ = true;
    const QString body = topic ? topic->html : doc_.contentsHtml();
    browser_->setHtml(
        QStringLiteral("<html><head><style>%1</style></head><body>%2</body></html>").arg(doc_.style(), body));
    browser_->verticalScrollBar()->setValue(0);  // a new page starts at its top
    for (int i = 0; i < contentsList_->count(); ++i) {
        QListWidgetItem* item = contentsList_->item(i);
        if (!item->data(headingRole).toBool() && item->data(topicRole).toString() == currentId_) {
            const QSignalBlocker block(contentsList_);
            contentsList_->setCurrentItem(item);
            contentsList_->scrollToItem(item);
            break;
        }
    }
    updateButtons();
}

void HelpViewer::goBack()
{
    if (back_.isEmpty())
        return;
    forward_.append(currentId_);
    display(back_.takeLast());
}

void HelpViewer::goForward()
{
    if (forward_.isEmpty())
        return;
    back_.append(currentId_);
    display(forward_.takeLast());
}

void HelpViewer::updateButtons()
{
    backButton_->setEnabled(!back_.isEmpty());
    forwardButton_->setEnabled(!forward_.isEmpty());
}

void HelpViewer::openItem(QListWidgetItem* item)
{
    if (!item || item->data(headingRole).toBool())
        return;
    const QString id = item->data(topicRole).toString();
    showPage(id.isEmpty() ? nullptr : doc_.byId(id));
}

void HelpViewer::openLink(const QUrl& url)
{
    if (url.isRelative() && url.path().isEmpty() && url.hasFragment()) {
        const QString anchor = url.fragment();
        if (anchor.compare(QLatin1String("contents"), Qt::CaseInsensitive) == 0) {
            showPage(nullptr);
            return;
        }
        if (const HelpTopic* t = doc_.byId(anchor)) {
            showPage(t);
            return;
        }
        // An anchor inside a topic: show that topic and go to the place.
        const QString marker = QStringLiteral("id=\"%1\"").arg(anchor);
        for (const HelpTopic& t : doc_.topics()) {
            if (t.html.contains(marker)) {
                showPage(&t);
                browser_->scrollToAnchor(anchor);
                return;
            }
        }
        return;
    }
    QDesktopServices::openUrl(url);
}

void HelpViewer::bringForward()
{
    // Help asked for from a modal window (F1 in a dialog) would stand behind
    // that window and take no input. Owned by it, the viewer stands above it
    // and works; it stays open when the dialog goes.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != this) {
        winId();  // makes the window handle
        QWindow* owner = modal->windowHandle();
        if (owner && windowHandle() && windowHandle()->transientParent() != owner) {
            // Shown again, so that it is no longer counted as blocked.
            if (isVisible())
                hide();
            windowHandle()->setTransientParent(owner);
        }
    }
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void HelpViewer::showContents()
{
    tabs_->setCurrentIndex(0);
    showPage(nullptr);
    bringForward();
    contentsList_->setFocus();
}

void HelpViewer::showSearch(const QString& text)
{
    tabs_->setCurrentIndex(1);
    searchField_->setText(text);
    fillResults();
    bringForward();
    searchField_->setFocus();
    searchField_->selectAll();
}

bool HelpViewer::showTopic(const QString& topic)
{
    const HelpTopic* t = doc_.find(topic);
    tabs_->setCurrentIndex(0);
    showPage(t);
    bringForward();
    return t != nullptr;
}

void HelpViewer::run(HelpCommand command, const QString& topic)
{
    switch (command) {
    case HelpCommand::Contents: showContents(); break;
    case HelpCommand::Search: showSearch(topic); break;
    case HelpCommand::Topic: showTopic(topic); break;
    }
}

// ----------------------------------------------------------------- opening

namespace {

// The help file as named, or the HTML document standing in for an old
// ".HLP" name.
QString resolveHelpFile(const QString& helpFile)
{
    if (QFileInfo(helpFile).isFile())
        return helpFile;
    const QFileInfo info(helpFile);
    if (info.suffix().compare(QLatin1String("hlp"), Qt::CaseInsensitive) == 0) {
        for (const char* ending : {".html", ".htm"}) {
            const QString html = info.dir().filePath(info.completeBaseName() + QLatin1String(ending));
            if (QFileInfo(html).isFile())
                return html;
        }
    }
    return QString();
}

}  // namespace

bool showHelpViewer(const QString& helpFile, HelpCommand command, const QString& topic, QString* error)
{
    const QString path = resolveHelpFile(helpFile);
    if (path.isEmpty()) {
        if (error)
            *error = QStringLiteral("Cannot find the help file %1.").arg(QDir::toNativeSeparators(helpFile));
        return false;
    }
    HelpViewer* viewer = HelpViewer::open(path, error);
    if (!viewer)
        return false;
    viewer->run(command, topic);
    return true;
}

}  // namespace ui
