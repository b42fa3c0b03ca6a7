#include "DatePickerPopup.h"

#include <QCalendarWidget>
#include <QVBoxLayout>

namespace corvane::reference {

DatePickerPopup::DatePickerPopup(QWidget* parent)
    : QDialog(parent, Qt::Popup)
    , m_calendar(new QCalendarWidget(this))
{
    setObjectName(QStringLiteral("DatePickerPopup"));
    m_calendar->setObjectName(QStringLiteral("calendar"));
    m_calendar->setGridVisible(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_calendar);
    connect(m_calendar, &QCalendarWidget::activated, this, &QDialog::accept);
    connect(m_calendar, &QCalendarWidget::clicked, this, &QDialog::accept);
}

void DatePickerPopup::setDate(const QDate& date)
{
    m_calendar->setSelectedDate(date);
}

QDate DatePickerPopup::date() const
{
    return m_calendar->selectedDate();
}

void DatePickerPopup::placeBelow(QWidget* anchor)
{
    if (anchor)
        move(anchor->mapToGlobal(QPoint(0, anchor->height())));
}

} // namespace corvane::reference
