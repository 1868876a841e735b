#include "forms/pictures.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace dravn {

QPixmap DrawMakerLogo(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    // The flame: two curved tongues in orange and red.
    const qreal h = height * 0.8;
    const qreal top = (height - h) / 2;
    const qreal w = h * 0.6;
    QPainterPath outer;
    outer.moveTo(w * 0.5, top);
    outer.cubicTo(w * 1.1, top + h * 0.35, w * 1.0, top + h * 0.8, w * 0.5, top + h);
    outer.cubicTo(0, top + h * 0.8, -w * 0.1, top + h * 0.45, w * 0.3, top + h * 0.25);
    outer.cubicTo(w * 0.3, top + h * 0.45, w * 0.45, top + h * 0.5, w * 0.5, top);
    p.fillPath(outer, QColor(0xE6, 0x51, 0x00));
    QPainterPath inner;
    inner.moveTo(w * 0.55, top + h * 0.4);
    inner.cubicTo(w * 0.85, top + h * 0.6, w * 0.8, top + h * 0.9, w * 0.5, top + h * 0.95);
    inner.cubicTo(w * 0.25, top + h * 0.9, w * 0.25, top + h * 0.65, w * 0.55, top + h * 0.4);
    p.fillPath(inner, QColor(0xFF, 0xB3, 0x00));

    // The name as large as the height allows, but never wider than the room beside the flame.
    QFont f;
    f.setWeight(QFont::DemiBold);
    const qreal room = width - w * 1.15;
    for (int size = int(height * 0.42); size > 6; --size) {
        f.setPixelSize(size);
        if (QFontMetricsF(f).horizontalAdvance("Brenmoto") <= room)
            break;
    }
    p.setFont(f);
    p.setPen(QColor(0x3E, 0x3E, 0x30));
    p.drawText(QRectF(w * 1.15, 0, width - w * 1.15, height), Qt::AlignLeft | Qt::AlignVCenter, "Brenmoto");
    return pixmap;
}

QPixmap DrawPencilPicture(int size, const QColor& color) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.translate(s / 2, s / 2);
    p.rotate(45);
    p.setPen(QPen(color, std::max(1.0, s / 16)));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(-s * 0.1, -s * 0.38, s * 0.2, s * 0.56));
    QPainterPath tip;
    tip.moveTo(-s * 0.1, s * 0.18);
    tip.lineTo(0, s * 0.36);
    tip.lineTo(s * 0.1, s * 0.18);
    p.drawPath(tip);
    return pixmap;
}

QPixmap DrawBasketPicture(int size, const QColor& color) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.setPen(QPen(color, std::max(1.0, s / 16), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(s * 0.2, s * 0.28), QPointF(s * 0.8, s * 0.28));
    p.drawLine(QPointF(s * 0.4, s * 0.28), QPointF(s * 0.42, s * 0.18));
    p.drawLine(QPointF(s * 0.42, s * 0.18), QPointF(s * 0.58, s * 0.18));
    p.drawLine(QPointF(s * 0.58, s * 0.18), QPointF(s * 0.6, s * 0.28));
    QPainterPath body;
    body.moveTo(s * 0.27, s * 0.34);
    body.lineTo(s * 0.32, s * 0.84);
    body.lineTo(s * 0.68, s * 0.84);
    body.lineTo(s * 0.73, s * 0.34);
    p.drawPath(body);
    for (qreal x : {0.42, 0.5, 0.58})
        p.drawLine(QPointF(s * x, s * 0.42), QPointF(s * x, s * 0.76));
    return pixmap;
}

QPixmap DrawDatabasePicture(int size, const QColor& color, const QString& mark) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QRectF body(s * 0.18, s * 0.14, s * 0.64, s * 0.72);
    const qreal lid = s * 0.16;
    QPainterPath drum;
    drum.moveTo(body.left(), body.top() + lid / 2);
    drum.lineTo(body.left(), body.bottom() - lid / 2);
    drum.arcTo(QRectF(body.left(), body.bottom() - lid, body.width(), lid), 180, 180);
    drum.lineTo(body.right(), body.top() + lid / 2);
    drum.arcTo(QRectF(body.left(), body.top(), body.width(), lid), 0, 180);
    p.fillPath(drum, color);
    p.setPen(QPen(color.lighter(150), std::max(1.0, s / 40)));
    p.setBrush(color.darker(115));
    p.drawEllipse(QRectF(body.left(), body.top(), body.width(), lid));
    QFont f;
    f.setPixelSize(int(s * 0.22));
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(body.adjusted(0, lid, 0, 0), Qt::AlignCenter, mark);
    return pixmap;
}

}  // namespace dravn
