#pragma once

#include <QObject>
#include <QTextFormat>
#include <QTextObjectInterface>

#include <functional>

namespace corvane {

/// A page number, page count or section page count in the body of a document. The body is laid out before its
/// pages are known, so the field keeps the width of the number of digits it is expected to need and the number is
/// drawn when its page is painted: no second layout once the pages are known.
class PageFieldObject final : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    static constexpr int objectType = QTextFormat::UserObject + 17;
    /// The character property holding the field's kind (an RtfRunKind).
    static constexpr int kindProperty = QTextFormat::UserProperty + 17;

    /// The digits to make room for, and the number to draw at a height of a document.
    using Digits = std::function<int(const QTextDocument* document, int kind)>;
    using Value = std::function<int(const QTextDocument* document, qreal y, int kind)>;

    PageFieldObject(Digits digits, Value value);

    QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                    const QTextFormat& format) override;

private:
    Digits m_digits;
    Value m_value;
};

} // namespace corvane
