#include "support/filesizelimit.h"
#include "support/screentest.h"

#include "data/appfolder.h"
#include "data/recordset.h"
#include "shell/notespad.h"
#include "ui/forms.h"
#include "ui/richtextbox.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QToolButton>

using shell::FrmBlank;

class TestNotesPad : public ScreenTest {
    Q_OBJECT

    // The Notes of every row of BlankNotes.
    QList<data::DbValue> stored()
    {
        QList<data::DbValue> out;
        data::Recordset rs = db.query(QStringLiteral("SELECT Notes FROM BlankNotes"));
        for (; !rs.eof(); rs.moveNext())
            out << rs.value(0);
        return out;
    }
    void store(const data::DbValue& notes) { db.execute(QStringLiteral("UPDATE BlankNotes SET Notes = ?"), {notes}); }
    FrmBlank& openPad()
    {
        FrmBlank& pad = shell::frmBlank();
        pad.show();
        return pad;
    }

private slots:

    void roundTripsTheText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("apostrophes") << QStringLiteral("O'Brien's kitchen: it's 'urgent''");
        QTest::newRow("line breaks") << QStringLiteral("first line\nsecond line\n\nfourth line\n");
        QTest::newRow("quotes and breaks") << QStringLiteral("He said \"don't\"\n'both' ; drop table x; --");
        QTest::newRow("looks like markup") << QStringLiteral("<b>not bold</b> & &amp; <br>");
        QTest::newRow("beyond ASCII") << QStringLiteral("Straße – ½\" plywood");
    }
    void roundTripsTheText()
    {
        QFETCH(QString, text);
        FrmBlank& pad = openPad();
        pad.rtfNotes->setText(text);
        pad.cmdOk->click();
        QVERIFY(!pad.isLoaded());
        QCOMPARE(stored(), QList<data::DbValue>{text});

        openPad();
        QCOMPARE(pad.rtfNotes->text(), text);
        QVERIFY(fake->messages.isEmpty());
    }

    void formattingIsNotKept()
    {
        FrmBlank& pad = openPad();
        pad.rtfNotes->insertHtml(QStringLiteral("<b>bold</b> and <i>slanted</i> words"));
        pad.cmdOk->click();
        QCOMPARE(stored(), QList<data::DbValue>{QStringLiteral("bold and slanted words")});
    }

    void closingWithoutOkKeepsTheStoredText_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel") << "cancel";
        QTest::newRow("Escape in the text: as Cancel") << "escape";
        QTest::newRow("close box") << "close box";
    }
    void closingWithoutOkKeepsTheStoredText()
    {
        QFETCH(QString, how);
        store(QStringLiteral("kept as it was"));
        FrmBlank& pad = openPad();
        QCOMPARE(pad.rtfNotes->text(), QStringLiteral("kept as it was"));
        pad.rtfNotes->setText(QStringLiteral("changed and dropped"));
        if (how == QLatin1String("close box"))
            pad.window()->close();
        else if (how == QLatin1String("escape"))
            QTest::keyClick(pad.rtfNotes, Qt::Key_Escape);
        else
            pad.CmdCancel->click();
        QVERIFY(!pad.isLoaded());
        QCOMPARE(stored(), QList<data::DbValue>{QStringLiteral("kept as it was")});
    }

    void oldLineEndsShowAsLineBreaks()
    {
        store(QStringLiteral("one\r\ntwo\rthree\nfour"));
        QCOMPARE(openPad().rtfNotes->text(), QStringLiteral("one\ntwo\nthree\nfour"));
    }

    void missingRowOrNullIsAnEmptyPadAndOkStoresTheText_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::newRow("no row") << "DELETE FROM BlankNotes";
        QTest::newRow("Null text") << "UPDATE BlankNotes SET Notes = NULL";
    }
    void missingRowOrNullIsAnEmptyPadAndOkStoresTheText()
    {
        QFETCH(QString, setup);
        db.execute(setup);
        FrmBlank& pad = openPad();
        QCOMPARE(pad.rtfNotes->text(), QString());
        pad.rtfNotes->setText(QStringLiteral("not lost"));
        pad.cmdOk->click();
        QVERIFY(!pad.isLoaded());
        QCOMPARE(stored(), QList<data::DbValue>{QStringLiteral("not lost")});
        QVERIFY(fake->messages.isEmpty());
    }

    void emptyTextIsStoredAsEmptyText()
    {
        store(QStringLiteral("something"));
        FrmBlank& pad = openPad();
        pad.rtfNotes->clear();
        pad.cmdOk->click();
        const QList<data::DbValue> rows = stored();
        QCOMPARE(rows.size(), 1);
        QVERIFY(rows[0].isText());
        QCOMPARE(rows[0].toText(), QString());
        QCOMPARE(openPad().rtfNotes->text(), QString());
    }

    void failedWriteKeepsThePadOpenWithTheText()
    {
        store(QStringLiteral("old"));
        for (const char* event : {"UPDATE", "INSERT"})
            db.execute(QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE %1 ON BlankNotes "
                                      "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END")
                           .arg(QLatin1String(event)));
        FrmBlank& pad = openPad();
        pad.rtfNotes->setText(QStringLiteral("precious words"));
        pad.cmdOk->click();

        QVERIFY(pad.isLoaded());
        QVERIFY(pad.isVisible());
        QCOMPARE(pad.rtfNotes->text(), QStringLiteral("precious words"));
        QCOMPARE(fake->messages.size(), 1);
        QVERIFY2(fake->messages[0].text.contains(QStringLiteral("disk is full")), qPrintable(fake->messages[0].text));
        QCOMPARE(stored(), QList<data::DbValue>{QStringLiteral("old")});

        // Once the cause is gone, the same Ok saves and closes.
        db.execute(QStringLiteral("DROP TRIGGER refuse_UPDATE"));
        pad.cmdOk->click();
        QVERIFY(!pad.isLoaded());
        QCOMPARE(stored(), QList<data::DbValue>{QStringLiteral("precious words")});
    }

    void okOnAFullDiskKeepsThePadOpenAndSaysNothingWasSaved()
    {
        store(QStringLiteral("old"));
        FrmBlank& pad = openPad();
        const QString words = QStringLiteral("precious words");
        pad.rtfNotes->setText(words);
        {
            FileSizeLimit full(1024);
            pad.cmdOk->click();
        }
        QVERIFY(pad.isVisible());
        QCOMPARE(pad.rtfNotes->text(), words);
        QCOMPARE(fake->messageTexts(),
                 QStringList{QStringLiteral("There is no room left on the disk that holds the database \"%1\", so "
                                            "nothing was saved. Make room on the disk and try again.")
                                 .arg(QDir::toNativeSeparators(QFileInfo(data::databasePath()).canonicalFilePath()))});
        QCOMPARE(stored(), QList<data::DbValue>{QStringLiteral("old")});
        pad.cmdOk->click();
        QVERIFY(!pad.isLoaded());
        QCOMPARE(stored(), QList<data::DbValue>{words});
    }

    void openingAgainBringsItForwardWithoutReloading()
    {
        store(QStringLiteral("stored"));
        FrmBlank& pad = openPad();
        ui::RichTextBox* box = pad.rtfNotes;
        pad.rtfNotes->setText(QStringLiteral("typed, not yet saved"));
        store(QStringLiteral("changed elsewhere"));
        openPad();
        QCOMPARE(pad.rtfNotes.data(), box);
        QCOMPARE(pad.rtfNotes->text(), QStringLiteral("typed, not yet saved"));
    }

    void pictureButtonsCanBeFoundWithoutTheirPictures()
    {
        FrmBlank& pad = openPad();
        QCOMPARE(pad.caption(), QStringLiteral("Blank Area for Customer Notes"));
        QCOMPARE(pad.cmdOk->accessibleName(), QStringLiteral("OK"));
        QCOMPARE(pad.CmdCancel->accessibleName(), QStringLiteral("Cancel"));
        for (QToolButton* b : {pad.cmdOk.data(), pad.CmdCancel.data()}) {
            QVERIFY(!b->toolTip().isEmpty());
            QVERIFY(!b->icon().isNull());
            QVERIFY(b->text().isEmpty() || b->toolButtonStyle() == Qt::ToolButtonIconOnly);
        }
    }
};

QTEST_MAIN(TestNotesPad)
#include "tst_notespad.moc"
