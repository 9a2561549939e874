#pragma once
// A row of tabs over a frame area, as the calculator windows use it: the
// tabs do not own pages. Code decides which frame shows for a tab (several
// tabs may share one frame, and a tab may show no frame at all), so the
// frame area shows exactly one of the added frames, or nothing.
//
// Tabs are numbered from 1. tabClicked reports the user's choice of a tab;
// a selection made by code (setSelectedIndex) stays silent, so a screen can
// bring the tabs in line with what it shows without re-entering its own
// tab handler.

#include <QString>
#include <QWidget>

class QStackedWidget;
class QTabBar;

namespace ui {

class TabStrip : public QWidget {
    Q_OBJECT
public:
    TabStrip(QWidget* parent, const QString& name);

    // Appends a tab; returns its 1-based index. The first tab becomes the
    // selected one (silently).
    int addTab(const QString& caption, const QString& toolTip = {});
    int tabCount() const;
    // 1-based; 0 when there are no tabs.
    int selectedIndex() const;
    // Selects tab i (1-based) without emitting tabClicked; an index outside
    // 1..tabCount() is ignored.
    void setSelectedIndex(int index);

    // Makes `frame` one of the frames of the area (reparenting it) and
    // returns it. It stays hidden until showFrame.
    QWidget* addFrame(QWidget* frame);
    // Shows `frame` (adding it first when needed) in place of any other.
    void showFrame(QWidget* frame);
    // Shows no frame.
    void hideFrames();
    // The frame shown, nullptr when none.
    QWidget* visibleFrame() const;
    bool isFrameVisible(const QWidget* frame) const;

    QTabBar* tabBar() const { return tabs_; }

signals:
    // The user selected tab `index` (1-based).
    void tabClicked(int index);

private:
    QTabBar* tabs_;
    QStackedWidget* frames_;
    QWidget* emptyPage_;
    bool selectingByCode_ = false;
};

}  // namespace ui
