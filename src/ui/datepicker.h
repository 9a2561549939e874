#pragma once
// A date box with a drop-down calendar, showing its date in a fixed custom
// format ("MM/dd/yyyy" unless changed). The format is all digits, so the
// shown text does not depend on the locale. Tab leaves it for the next
// control, as it leaves every other box; the arrow keys move between month,
// day and year.

#include <QDate>
#include <QDateEdit>
#include <QString>

namespace ui {

class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    DatePicker(QWidget* parent, const QString& name);

    QDate value() const { return date(); }
    // An invalid date is ignored.
    void setValue(const QDate& date);

    QString customFormat() const { return displayFormat(); }
    void setCustomFormat(const QString& format) { setDisplayFormat(format); }

protected:
    bool focusNextPrevChild(bool next) override;
};

}  // namespace ui
