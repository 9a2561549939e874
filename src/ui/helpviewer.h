#pragma once
// The program's help viewer: a contents list and a keyword search on the
// left, the chosen topic on the right, over one HTML help document.
//
// The help document marks each topic with an <h2> heading that carries
//   id="..."             the topic's name, also the target of links "#name"
//   data-context="12"    the help context number of the window it explains
//                        (optional; a window's F1 opens its topic)
//   data-keywords="a, b" the search words that lead to the topic (optional)
//   data-group="..."     starts a group of topics under that heading in the
//                        contents list (optional; later topics stay in it)
// A topic runs from its heading to the next <h2>. The part of the body
// before the first topic is the contents page; the document's <title> is the
// viewer's caption and its <style> applies to every page.

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTextBrowser;
class QToolButton;
class QUrl;

namespace ui {

enum class HelpCommand;

struct HelpTopic {
    QString id;
    QString title;
    int context = 0;  // 0: none
    QStringList keywords;
    QString group;  // heading of its group in the contents list, may be empty
    QString html;   // from the heading to the next topic
    QString text;   // its words without markup, for the search
};

// A parsed help document.
class HelpDocument {
public:
    // Reads and parses `path`; false with the reason when it cannot be read
    // or holds no topic.
    bool load(const QString& path, QString* error);
    void parse(const QString& html);

    QString path() const { return path_; }
    QString title() const { return title_; }
    QString style() const { return style_; }
    QString contentsHtml() const { return contents_; }
    const QList<HelpTopic>& topics() const { return topics_; }

    // The topic named by a context number ("12"), a topic id, a title or a
    // keyword (without regard to case); nullptr when none fits.
    const HelpTopic* find(const QString& topic) const;
    const HelpTopic* byId(const QString& id) const;
    const HelpTopic* byContext(int context) const;
    // Topics for a search text: those whose keywords or title start with it
    // first, then those whose keywords, title or text contain it. All topics
    // for an empty text.
    QList<const HelpTopic*> search(const QString& text) const;

private:
    QString path_;
    QString title_;
    QString style_;
    QString contents_;
    QList<HelpTopic> topics_;
};

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    // The open viewer, or nullptr.
    static HelpViewer* current();
    // The open viewer on `helpFile` (made, or reloaded when it shows another
    // file); nullptr with the reason when the file cannot be read.
    static HelpViewer* open(const QString& helpFile, QString* error);

    // Each shows the viewer and brings it forward.
    void showContents();
    // Opens the search with `text` in the search field (focus there).
    void showSearch(const QString& text = QString());
    // A context number or a keyword; false (and the contents shown) when no
    // topic fits.
    bool showTopic(const QString& topic);
    // Runs one help command (topic as for showTopic, or the search text).
    void run(HelpCommand command, const QString& topic);

    const HelpDocument& document() const { return doc_; }
    // The topic shown, empty for the contents page.
    QString currentTopicId() const { return currentId_; }

    QListWidget* contentsList() const { return contentsList_; }
    QLineEdit* searchField() const { return searchField_; }
    QListWidget* searchResults() const { return results_; }
    QTextBrowser* browser() const { return browser_; }
    QTabWidget* tabs() const { return tabs_; }
    // Pages visited, as in a web browser.
    void goBack();
    void goForward();
    bool canGoBack() const { return !back_.isEmpty(); }
    bool canGoForward() const { return !forward_.isEmpty(); }

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    HelpViewer();
    // Its first size and place: centred in the work area, and no bigger.
    void placeFirstTime();
    void setDocument(HelpDocument doc);
    // Shows a topic (nullptr: the contents page), remembered for Back.
    void showPage(const HelpTopic* topic);
    void display(const QString& id);
    void updateButtons();
    void fillResults();
    void openLink(const QUrl& url);
    void openItem(QListWidgetItem* item);
    void bringForward();

    HelpDocument doc_;
    QString currentId_;
    QTabWidget* tabs_ = nullptr;
    QListWidget* contentsList_ = nullptr;
    QLineEdit* searchField_ = nullptr;
    QListWidget* results_ = nullptr;
    QTextBrowser* browser_ = nullptr;
    QToolButton* backButton_ = nullptr;
    QToolButton* forwardButton_ = nullptr;
    QStringList back_, forward_;  // topic ids, "" for the contents page
    bool shown_ = false;          // a page has been shown since the document was set

    static QPointer<HelpViewer> instance_;
};

// Opens the viewer on `helpFile` for one help command; false with the
// reason when the file cannot be found or read. A help file named with the
// old ".HLP" ending is looked for as the HTML document of the same name.
bool showHelpViewer(const QString& helpFile, HelpCommand command, const QString& topic, QString* error);

}  // namespace ui
