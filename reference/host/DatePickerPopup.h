#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;

namespace corvane::reference {

/// A calendar that drops down below a field's button; Enter or a click picks the date, Esc cancels.
class DatePickerPopup final : public QDialog {
    Q_OBJECT
public:
    explicit DatePickerPopup(QWidget* parent = nullptr);

    void setDate(const QDate& date);
    QDate date() const;
    void placeBelow(QWidget* anchor);

private:
    QCalendarWidget* m_calendar;
};

} // namespace corvane::reference
