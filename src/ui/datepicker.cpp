#include "datepicker.h"

namespace ui {

DatePicker::DatePicker(QWidget* parent, const QString& name) : QDateEdit(parent)
{
    setObjectName(name);
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    setDate(QDate::currentDate());
}

void DatePicker::setValue(const QDate& date)
{
    if (date.isValid())
        setDate(date);
}

bool DatePicker::focusNextPrevChild(bool next)
{
    // Not QDateTimeEdit's, which takes Tab to step through the date's parts.
    return QWidget::focusNextPrevChild(next);
}

}  // namespace ui
