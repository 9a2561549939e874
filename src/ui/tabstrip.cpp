#include "tabstrip.h"

#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace ui {

TabStrip::TabStrip(QWidget* parent, const QString& name)
    : QWidget(parent), tabs_(new QTabBar(this)), frames_(new QStackedWidget(this)), emptyPage_(new QWidget)
{
    setObjectName(name);
    tabs_->setObjectName(name + QStringLiteral("_tabs"));
    tabs_->setExpanding(false);
    tabs_->setDrawBase(true);
    tabs_->setUsesScrollButtons(true);
    frames_->setObjectName(name + QStringLiteral("_frames"));
    frames_->setFrameShape(QFrame::StyledPanel);
    frames_->addWidget(emptyPage_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tabs_);
    layout->addWidget(frames_, 1);

    // currentChanged rather than tabBarClicked: keyboard selection counts
    // as a choice too, and a click on the tab already selected is none.
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        if (!selectingByCode_ && index >= 0)
            emit tabClicked(index + 1);
    });
}

int TabStrip::addTab(const QString& caption, const QString& toolTip)
{
    selectingByCode_ = true;
    const int index = tabs_->addTab(caption);
    selectingByCode_ = false;
    if (!toolTip.isEmpty())
        tabs_->setTabToolTip(index, toolTip);
    return index + 1;
}

int TabStrip::tabCount() const { return tabs_->count(); }

int TabStrip::selectedIndex() const { return tabs_->currentIndex() + 1; }

void TabStrip::setSelectedIndex(int index)
{
    if (index < 1 || index > tabs_->count())
        return;
    selectingByCode_ = true;
    tabs_->setCurrentIndex(index - 1);
    selectingByCode_ = false;
}

QWidget* TabStrip::addFrame(QWidget* frame)
{
    if (frame && frames_->indexOf(frame) < 0)
        frames_->addWidget(frame);
    return frame;
}

void TabStrip::showFrame(QWidget* frame)
{
    if (!frame)
        return hideFrames();
    addFrame(frame);
    frames_->setCurrentWidget(frame);
}

void TabStrip::hideFrames() { frames_->setCurrentWidget(emptyPage_); }

QWidget* TabStrip::visibleFrame() const
{
    QWidget* current = frames_->currentWidget();
    return current == emptyPage_ ? nullptr : current;
}

bool TabStrip::isFrameVisible(const QWidget* frame) const { return frame && frame == visibleFrame(); }

}  // namespace ui
