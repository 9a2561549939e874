#include "support/fakeplatform.h"
#include "ui/desktopplatform.h"
#include "ui/helpviewer.h"
#include "ui/screenfit.h"
#include "ui/platform.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QWindow>

using ui::HelpCommand;
using ui::HelpViewer;

namespace {

// A small help document with the markings the viewer reads.
const char* const sampleHtml = R"html(<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Sample Help</title>
<style>h2 { color: #123456; }</style></head>
<body>
<h1 id="contents">Sample contents</h1>
<p>Welcome page text.</p>
<ul><li><a href="#main">Main</a></li><li><a href="#estimates">Estimates</a></li></ul>
<h2 id="main" data-context="1" data-keywords="main window, menu">The main window</h2>
<p>Main window text.</p>
<h2 id="estimates" data-context="12" data-keywords="estimate, bid, proposal">Estimates &amp; bids</h2>
<p>Estimate screen text. See <a href="#tile-part">tiles</a>.</p>
<h2 data-keywords="ceramic">Calculators</h2>
<p>Calculator text about carpets.</p>
<h3 id="tile-part">Tiles</h3>
<p>Tile text.</p>
</body></html>
)html";

QString writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(bytes);
    return path;
}

QString shownText(const HelpViewer* v) { return v->browser()->toPlainText(); }

}  // namespace

class TestHelpViewer : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    QString sample;

    HelpViewer* openSample(HelpCommand command, const QString& topic = QString())
    {
        QString error;
        if (!ui::showHelpViewer(sample, command, topic, &error)) {
            qWarning("%s", qPrintable(error));
            return nullptr;
        }
        return HelpViewer::current();
    }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        sample = writeFile(dir->filePath(QStringLiteral("SAMPLE.html")), sampleHtml);
        QVERIFY(!sample.isEmpty());
    }
    void cleanup()
    {
        if (HelpViewer* v = HelpViewer::current())
            delete v;
        dir.reset();
    }

    // The viewer opens whole on the screen, title bar and frame included,
    // whatever the screen's size and scale (also run on a 1280x800 screen
    // at scale 1.5, whose work area is 853x533 in the program's pixels).
    void opensWithinTheScreen()
    {
        HelpViewer* v = openSample(HelpCommand::Contents);
        QVERIFY(v);
        const QRect area = v->screen()->availableGeometry();
        // From the frame's corner: the window manager's frame and title bar
        // must fit too (the offscreen platform draws none).
        const QRect outer(v->pos(), v->size().grownBy(ui::windowFrameMargins()));
        QVERIFY2(area.contains(outer), qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6")
                                                      .arg(outer.x())
                                                      .arg(outer.y())
                                                      .arg(outer.width())
                                                      .arg(outer.height())
                                                      .arg(area.width())
                                                      .arg(area.height())));
        // Centred, and no smaller than it need be.
        // (within the frame's guess made before anything showed)
        QVERIFY(qAbs(outer.center().x() - area.center().x()) <= 10);
        QVERIFY(v->width() >= std::min(920, area.width() - 40));
    }

    // Escape closes the viewer wherever the focus is.
    void escapeCloses_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("contents") << "helpContents";
        QTest::newRow("search field") << "helpSearch";
        QTest::newRow("page") << "helpBrowser";
    }
    void escapeCloses()
    {
        QFETCH(QString, focus);
        HelpViewer* v = openSample(focus == QLatin1String("helpSearch") ? HelpCommand::Search : HelpCommand::Contents);
        QVERIFY(v);
        QPointer<HelpViewer> open = v;
        auto* target = v->findChild<QWidget*>(focus);
        QVERIFY2(target, qPrintable(focus));
        QTest::keyClick(target, Qt::Key_Escape);
        QVERIFY(!v->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!open);
        QVERIFY(!HelpViewer::current());
    }

    void parsesTopicsAndContents()
    {
        ui::HelpDocument doc;
        QString error;
        QVERIFY2(doc.load(sample, &error), qPrintable(error));
        QCOMPARE(doc.title(), QStringLiteral("Sample Help"));
        QVERIFY(doc.style().contains(QStringLiteral("#123456")));
        QVERIFY(doc.contentsHtml().contains(QStringLiteral("Welcome page text.")));
        QVERIFY(!doc.contentsHtml().contains(QStringLiteral("<h2")));

        QCOMPARE(doc.topics().size(), 3);
        const ui::HelpTopic& est = doc.topics()[1];
        QCOMPARE(est.id, QStringLiteral("estimates"));
        QCOMPARE(est.title, QStringLiteral("Estimates & bids"));
        QCOMPARE(est.context, 12);
        QCOMPARE(est.keywords, (QStringList{"estimate", "bid", "proposal"}));
        QVERIFY(est.html.contains(QStringLiteral("Estimate screen text.")));
        QVERIFY(!est.html.contains(QStringLiteral("Calculator text")));
        // A heading without an id still becomes a topic, and runs to the end
        // of the body with its sub-headings.
        const ui::HelpTopic& calc = doc.topics()[2];
        QVERIFY(!calc.id.isEmpty());
        QCOMPARE(calc.context, 0);
        QVERIFY(calc.html.contains(QStringLiteral("Tile text.")));
        QVERIFY(!calc.html.contains(QStringLiteral("</body")));
    }

    void findsTopic_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QString>("id");
        // clang-format off
        QTest::newRow("context of the main window") << "1" << "main";
        QTest::newRow("context of the estimate screen") << "12" << "estimates";
        QTest::newRow("context with blanks") << " 12 " << "estimates";
        QTest::newRow("unknown context") << "99" << "";
        QTest::newRow("context 0") << "0" << "";
        QTest::newRow("keyword, other case") << "BID" << "estimates";
        QTest::newRow("topic id") << "main" << "main";
        QTest::newRow("title") << "estimates & bids" << "estimates";
        QTest::newRow("unknown word") << "gutter" << "";
        QTest::newRow("empty") << "" << "";
        // clang-format on
    }
    void findsTopic()
    {
        QFETCH(QString, topic);
        QFETCH(QString, id);
        ui::HelpDocument doc;
        QVERIFY(doc.load(sample, nullptr));
        const ui::HelpTopic* t = doc.find(topic);
        QCOMPARE(t ? t->id : QString(), id);
    }

    void searchPutsKeywordMatchesFirst()
    {
        ui::HelpDocument doc;
        QVERIFY(doc.load(sample, nullptr));
        auto ids = [&](const QString& text) {
            QStringList out;
            for (const ui::HelpTopic* t : doc.search(text))
                out << t->title;
            return out;
        };
        // "carpets" only in the calculators' text; "window" in a keyword.
        QCOMPARE(ids(QStringLiteral("carp")), QStringList{QStringLiteral("Calculators")});
        QCOMPARE(ids(QStringLiteral("win")), QStringList{QStringLiteral("The main window")});
        // "est": a keyword of the estimates; the main window's text does not hold it.
        QCOMPARE(ids(QStringLiteral("est")).value(0), QStringLiteral("Estimates & bids"));
        QCOMPARE(ids(QString()).size(), 3);
        QVERIFY(ids(QStringLiteral("zebra")).isEmpty());
    }

    void opensAtContents()
    {
        HelpViewer* v = openSample(HelpCommand::Contents);
        QVERIFY(v);
        QVERIFY(v->isVisible());
        QCOMPARE(v->windowTitle(), QStringLiteral("Sample Help"));
        QCOMPARE(v->tabs()->currentIndex(), 0);
        QCOMPARE(v->currentTopicId(), QString());
        QVERIFY(shownText(v).contains(QStringLiteral("Welcome page text.")));
        // The contents list: the contents page, then every topic in order.
        QCOMPARE(v->contentsList()->count(), 4);
        QCOMPARE(v->contentsList()->item(2)->text(), QStringLiteral("Estimates & bids"));
    }

    void opensAtSearchWithFocusInTheField()
    {
        HelpViewer* v = openSample(HelpCommand::Search);
        QVERIFY(v);
        QVERIFY(QTest::qWaitForWindowActive(v));
        QCOMPARE(v->tabs()->currentIndex(), 1);
        QCOMPARE(QApplication::focusWidget(), v->searchField());
        QCOMPARE(v->searchResults()->count(), 3);

        // Typing narrows the results; Enter opens the first one.
        QTest::keyClicks(v->searchField(), QStringLiteral("bid"));
        QCOMPARE(v->searchResults()->count(), 1);
        QTest::keyClick(v->searchField(), Qt::Key_Return);
        QCOMPARE(v->currentTopicId(), QStringLiteral("estimates"));
        QVERIFY(shownText(v).contains(QStringLiteral("Estimate screen text.")));
    }

    void opensAtContext()
    {
        HelpViewer* v = openSample(HelpCommand::Topic, QStringLiteral("12"));
        QVERIFY(v);
        QCOMPARE(v->currentTopicId(), QStringLiteral("estimates"));
        const QString text = shownText(v);
        QVERIFY(text.contains(QStringLiteral("Estimate screen text.")));
        QVERIFY(!text.contains(QStringLiteral("Main window text.")));
        QCOMPARE(v->contentsList()->currentItem()->text(), QStringLiteral("Estimates & bids"));

        // Another context brings the same viewer to that topic.
        QCOMPARE(openSample(HelpCommand::Topic, QStringLiteral("1")), v);
        QCOMPARE(v->currentTopicId(), QStringLiteral("main"));
    }

    void unknownTopicFallsBackToContents_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::newRow("context without a topic") << "77";
        QTest::newRow("unknown keyword") << "nothing like it";
        QTest::newRow("no topic") << "";
    }
    void unknownTopicFallsBackToContents()
    {
        QFETCH(QString, topic);
        HelpViewer* v = openSample(HelpCommand::Topic, QStringLiteral("12"));
        QVERIFY(v);
        QVERIFY(!v->showTopic(topic));
        QCOMPARE(v->currentTopicId(), QString());
        QVERIFY(shownText(v).contains(QStringLiteral("Welcome page text.")));
        QVERIFY(v->isVisible());
    }

    void linksLeadToTopicsAndPlacesInThem()
    {
        HelpViewer* v = openSample(HelpCommand::Contents);
        QVERIFY(v);
        emit v->browser()->anchorClicked(QUrl(QStringLiteral("#estimates")));
        QCOMPARE(v->currentTopicId(), QStringLiteral("estimates"));
        // An anchor inside a topic opens the topic that holds it.
        emit v->browser()->anchorClicked(QUrl(QStringLiteral("#tile-part")));
        QCOMPARE(v->currentTopicId(), v->document().topics()[2].id);
        emit v->browser()->anchorClicked(QUrl(QStringLiteral("#contents")));
        QCOMPARE(v->currentTopicId(), QString());
    }

    void backAndForwardRetraceThePagesSeen()
    {
        HelpViewer* v = openSample(HelpCommand::Contents);
        QVERIFY(v);
        QVERIFY(!v->canGoBack());
        v->showTopic(QStringLiteral("1"));
        v->showTopic(QStringLiteral("12"));
        v->showTopic(QStringLiteral("12"));  // the same page again is no new step
        v->goBack();
        QCOMPARE(v->currentTopicId(), QStringLiteral("main"));
        v->goBack();
        QCOMPARE(v->currentTopicId(), QString());
        QVERIFY(!v->canGoBack());
        v->goForward();
        QCOMPARE(v->currentTopicId(), QStringLiteral("main"));
        // A new page drops the pages ahead.
        emit v->browser()->anchorClicked(QUrl(QStringLiteral("#estimates")));
        QVERIFY(!v->canGoForward());
        v->goBack();
        QCOMPARE(v->currentTopicId(), QStringLiteral("main"));
    }

    void groupsHeadTheContentsList()
    {
        const QString grouped = writeFile(dir->filePath(QStringLiteral("GROUPED.html")),
                                          "<html><body><p>Start</p>"
                                          "<h2 id=\"a\" data-group=\"Shell\">A</h2><p>a</p>"
                                          "<h2 id=\"b\">B</h2><p>b</p>"
                                          "<h2 id=\"c\" data-group=\"Sums\">C</h2><p>c</p></body></html>");
        ui::HelpDocument doc;
        QVERIFY(doc.load(grouped, nullptr));
        QCOMPARE(doc.topics()[1].group, QStringLiteral("Shell"));  // stays in the group begun before it
        QCOMPARE(doc.topics()[2].group, QStringLiteral("Sums"));

        QString error;
        QVERIFY2(ui::showHelpViewer(grouped, HelpCommand::Contents, QString(), &error), qPrintable(error));
        HelpViewer* v = HelpViewer::current();
        QListWidget* list = v->contentsList();
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->item(i)->text().trimmed();
        QCOMPARE(shown, (QStringList{"Contents", "Shell", "A", "B", "Sums", "C"}));
        // A heading is no page: clicking it leaves the page shown.
        QVERIFY(!(list->item(1)->flags() & Qt::ItemIsSelectable));
        emit list->itemClicked(list->item(1));
        QCOMPARE(v->currentTopicId(), QString());
        emit list->itemClicked(list->item(3));
        QCOMPARE(v->currentTopicId(), QStringLiteral("b"));
    }

    void oneViewerAtATime()
    {
        HelpViewer* first = openSample(HelpCommand::Contents);
        QVERIFY(first);
        QCOMPARE(openSample(HelpCommand::Search), first);
        QPointer<HelpViewer> gone = first;
        first->close();  // closing deletes it
        QTRY_VERIFY(gone.isNull());
        QVERIFY(!HelpViewer::current());
        HelpViewer* second = openSample(HelpCommand::Contents);
        QVERIFY(second);
        QVERIFY(second->isVisible());
    }

    // Help asked for while a modal dialog is up takes typing (it is not
    // blocked by the dialog) and stands above it; so does a viewer that was
    // already open before the dialog came.
    void usableFromAModalDialog_data()
    {
        QTest::addColumn<bool>("openBefore");
        QTest::newRow("opened from the dialog") << false;
        QTest::newRow("open already") << true;
    }
    void usableFromAModalDialog()
    {
        QFETCH(bool, openBefore);
        if (openBefore)
            QVERIFY(openSample(HelpCommand::Contents));
        QWidget dialog;
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.resize(300, 200);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(QApplication::activeModalWidget(), &dialog);

        HelpViewer* v = openSample(HelpCommand::Search);
        QVERIFY(v);
        QVERIFY(v->isVisible());
        QCOMPARE(v->windowHandle()->transientParent(), dialog.windowHandle());
        QVERIFY(QTest::qWaitForWindowExposed(v));
        // Typed as the window system delivers keys, which a blocked window
        // does not get.
        v->activateWindow();
        v->searchField()->setFocus();
        for (char c : {'b', 'i', 'd'})
            QTest::keyClick(v->windowHandle(), c);
        QCOMPARE(v->searchField()->text(), QStringLiteral("bid"));

        // The dialog gone, the viewer stays.
        dialog.close();
        QVERIFY(v->isVisible());
    }

    void missingOrUnreadableFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");  // empty: no file at all
        QTest::addColumn<QString>("errorStart");
        // clang-format off
        QTest::newRow("no such file") << "NOWHERE.HLP" << QByteArray() << "Cannot find the help file";
        QTest::newRow("no topic in it") << "EMPTY.html" << QByteArray("<html><body><p>x</p></body></html>") << "The help file";
        // clang-format on
    }
    void missingOrUnreadableFile()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, errorStart);
        const QString path = dir->filePath(name);
        if (!content.isEmpty())
            QVERIFY(!writeFile(path, content).isEmpty());
        // Through the desktop platform, as the menus call it.
        ui::DesktopPlatform desktop;
        QString error;
        QVERIFY(!desktop.showHelp(path, HelpCommand::Contents, QString(), &error));
        QVERIFY2(error.startsWith(errorStart), qPrintable(error));
        QVERIFY2(error.contains(name), qPrintable(error));
        QVERIFY(!HelpViewer::current());
    }

    void oldHelpFileNameFindsTheHtmlDocument()
    {
        QString error;
        QVERIFY2(ui::showHelpViewer(dir->filePath(QStringLiteral("SAMPLE.HLP")), HelpCommand::Topic,
                                    QStringLiteral("1"), &error),
                 qPrintable(error));
        QCOMPARE(HelpViewer::current()->currentTopicId(), QStringLiteral("main"));
    }

    // The help document shipped beside the program.
    void shippedDocumentIsWhole()
    {
        const QString path = QStringLiteral(HELP_DOCUMENT);
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        const QString html = QString::fromUtf8(file.readAll());
        ui::HelpDocument doc;
        doc.parse(html);

        QSet<QString> ids;
        QSet<int> contexts;
        for (const ui::HelpTopic& t : doc.topics()) {
            QVERIFY2(!t.title.isEmpty(), qPrintable(t.id));
            QVERIFY2(!ids.contains(t.id), qPrintable(t.id));
            ids.insert(t.id);
            if (t.context) {
                QVERIFY2(!contexts.contains(t.context), qPrintable(t.id));
                contexts.insert(t.context);
            }
            QVERIFY2(!t.keywords.isEmpty(), qPrintable(t.id));
        }
        QCOMPARE(doc.byContext(1) ? doc.byContext(1)->id : QString(), QStringLiteral("main-window"));
        QCOMPARE(doc.byContext(12) ? doc.byContext(12)->id : QString(), QStringLiteral("estimate-screen"));
        for (int context : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 16, 19, 20, 21, 22, 23, 24})
            QVERIFY2(doc.byContext(context), qPrintable(QString::number(context)));

        // Every link leads somewhere, and the contents page links every topic.
        QSet<QString> anchors = ids;
        auto idIt = QRegularExpression(QStringLiteral("\\bid=\"([^\"]+)\"")).globalMatch(html);
        while (idIt.hasNext())
            anchors.insert(idIt.next().captured(1));
        auto linkIt = QRegularExpression(QStringLiteral("href=\"#([^\"]+)\"")).globalMatch(html);
        while (linkIt.hasNext()) {
            const QString target = linkIt.next().captured(1);
            QVERIFY2(anchors.contains(target), qPrintable(target));
        }
        for (const QString& id : ids)
            QVERIFY2(doc.contentsHtml().contains(QStringLiteral("href=\"#%1\"").arg(id)), qPrintable(id));
    }
};

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
