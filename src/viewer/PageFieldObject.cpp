#include "PageFieldObject.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextDocument>

#include <algorithm>

namespace corvane {

namespace {

/// The field's font as the document lays it out.
QFont fieldFont(const QTextDocument* document, const QTextFormat& format)
{
    const QFont font = format.toCharFormat().font().resolve(document->defaultFont());
    QPaintDevice* device = document->documentLayout()->paintDevice();
    return device ? QFont(font, device) : font;
}

} // namespace

PageFieldObject::PageFieldObject(Digits digits, Value value)
    : m_digits(std::move(digits))
    , m_value(std::move(value))
{
}

QSizeF PageFieldObject::intrinsicSize(QTextDocument* document, int, const QTextFormat& format)
{
    const QFontMetricsF metrics(fieldFont(document, format));
    const int digits = std::clamp(m_digits(document, format.intProperty(kindProperty)), 1, 9);
    return {metrics.horizontalAdvance(QString(digits, QLatin1Char('0'))), metrics.ascent()};
}

void PageFieldObject::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int,
                                 const QTextFormat& format)
{
    const int value = m_value(document, rect.center().y(), format.intProperty(kindProperty));
    if (value <= 0)
        return;
    const QString number = QString::number(value);
    const QFont font = fieldFont(document, format);
    const qreal width = QFontMetricsF(font).horizontalAdvance(number);
    painter->save();
    painter->setFont(font);
    const QBrush foreground = format.foreground();
    painter->setPen(foreground.style() != Qt::NoBrush ? foreground.color() : QColor(Qt::black));
    painter->translate(rect.left(), rect.bottom());
    // A number longer than expected is drawn narrower rather than moving the text after it.
    if (width > rect.width() && width > 0)
        painter->scale(rect.width() / width, 1);
    painter->drawText(QPointF(0, 0), number);
    painter->restore();
}

} // namespace corvane
