#include "ui/shell_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace torvel {

namespace {

const QColor Ink(40, 52, 70);
const QColor Paper(250, 250, 246);
const QColor Accent(30, 120, 210);
const QColor Warm(230, 150, 20);

void Sheet(QPainter& p, QRectF r) {
    p.setPen(QPen(Ink, 2));
    p.setBrush(Paper);
    p.drawRect(r);
}

void Window(QPainter& p, QRectF r) {
    Sheet(p, r);
    p.setPen(Qt::NoPen);
    p.setBrush(Accent);
    p.drawRect(QRectF(r.left() + 1, r.top() + 1, r.width() - 1, 6));
}

void Axes(QPainter& p, QRectF r) {
    p.setPen(QPen(Ink, 3, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(QPointF(r.left(), r.top()), QPointF(r.left(), r.bottom()));
    p.drawLine(QPointF(r.left(), r.bottom()), QPointF(r.right(), r.bottom()));
}

void Paint(QPainter& p, ToolIconKind kind) {
    p.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case ToolIconKind::NewData: {
        Sheet(p, QRectF(8, 4, 32, 40));
        p.setPen(QPen(Ink, 1.5));
        for (int y = 14; y < 44; y += 8)
            p.drawLine(QPointF(8, y), QPointF(40, y));
        p.drawLine(QPointF(20, 4), QPointF(20, 44));
        p.setPen(QPen(Warm, 4));
        p.drawLine(QPointF(34, 30), QPointF(34, 46));
        p.drawLine(QPointF(26, 38), QPointF(42, 38));
        break;
    }
    case ToolIconKind::Open: {
        p.setPen(QPen(Ink, 2));
        p.setBrush(QColor(240, 200, 90));
        QPainterPath back;
        back.moveTo(4, 40);
        back.lineTo(4, 10);
        back.lineTo(18, 10);
        back.lineTo(22, 15);
        back.lineTo(40, 15);
        back.lineTo(40, 40);
        back.closeSubpath();
        p.drawPath(back);
        p.setBrush(QColor(250, 220, 120));
        QPainterPath front;
        front.moveTo(4, 40);
        front.lineTo(12, 22);
        front.lineTo(46, 22);
        front.lineTo(40, 40);
        front.closeSubpath();
        p.drawPath(front);
        break;
    }
    case ToolIconKind::Tile:
        Window(p, QRectF(3, 6, 20, 36));
        Window(p, QRectF(25, 6, 20, 36));
        break;
    case ToolIconKind::Cascade:
        Window(p, QRectF(3, 3, 28, 24));
        Window(p, QRectF(10, 12, 28, 24));
        Window(p, QRectF(17, 21, 28, 24));
        break;
    case ToolIconKind::Graph: {
        p.fillRect(QRectF(2, 2, 44, 44), Qt::black);
        Axes(p, QRectF(8, 6, 34, 34));
        p.setPen(QPen(QColor(255, 255, 0), 3));
        p.drawPolyline(QPolygonF(
            {QPointF(10, 36), QPointF(18, 24), QPointF(26, 28), QPointF(34, 14), QPointF(42, 10)}));
        p.setPen(QPen(Qt::white, 3));
        p.drawRect(QRectF(8, 6, 34, 34));
        break;
    }
    case ToolIconKind::Scale: {
        Axes(p, QRectF(10, 6, 32, 32));
        p.setPen(QPen(Accent, 3));
        for (int i = 0; i < 4; ++i) {
            p.drawLine(QPointF(16 + i * 8, 38), QPointF(16 + i * 8, 44));
            p.drawLine(QPointF(4, 32 - i * 8), QPointF(10, 32 - i * 8));
        }
        break;
    }
    case ToolIconKind::Grid: {
        Axes(p, QRectF(8, 6, 34, 34));
        p.setPen(QPen(Accent, 1.5, Qt::DashLine));
        for (int i = 1; i < 4; ++i) {
            p.drawLine(QPointF(8 + i * 8.5, 6), QPointF(8 + i * 8.5, 40));
            p.drawLine(QPointF(8, 40 - i * 8.5), QPointF(42, 40 - i * 8.5));
        }
        break;
    }
    case ToolIconKind::Save: {
        p.setPen(QPen(Ink, 2));
        p.setBrush(Accent);
        p.drawRoundedRect(QRectF(6, 6, 36, 36), 3, 3);
        p.setBrush(Paper);
        p.drawRect(QRectF(13, 6, 22, 14));
        p.setBrush(QColor(200, 205, 215));
        p.drawRect(QRectF(12, 27, 24, 15));
        break;
    }
    case ToolIconKind::Calculator: {
        p.setPen(QPen(Ink, 2));
        p.setBrush(QColor(90, 100, 115));
        p.drawRoundedRect(QRectF(9, 3, 30, 42), 4, 4);
        p.setBrush(QColor(190, 230, 190));
        p.drawRect(QRectF(13, 7, 22, 9));
        p.setPen(Qt::NoPen);
        p.setBrush(Paper);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                p.drawRect(QRectF(14 + c * 7.5, 20 + r * 8, 5, 5));
        break;
    }
    case ToolIconKind::Copy:
        Sheet(p, QRectF(6, 4, 24, 30));
        Sheet(p, QRectF(18, 14, 24, 30));
        break;
    case ToolIconKind::Paste: {
        p.setPen(QPen(Ink, 2));
        p.setBrush(QColor(190, 140, 80));
        p.drawRoundedRect(QRectF(6, 6, 30, 38), 3, 3);
        p.setBrush(QColor(200, 205, 215));
        p.drawRect(QRectF(14, 2, 14, 8));
        Sheet(p, QRectF(20, 18, 24, 28));
        break;
    }
    }
}

} // namespace

QIcon ToolIcon(ToolIconKind kind) {
    QPixmap pix(48, 48);
    pix.fill(Qt::transparent);
    {
        QPainter p(&pix);
        Paint(p, kind);
    }
    return QIcon(pix);
}

QPixmap ProgramPicture(int size) {
    QPixmap pix(size, size);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.setPen(QPen(QColor(60, 70, 90), 2));
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 8, 8);
    p.setPen(QPen(QColor(90, 90, 90), 1, Qt::DotLine));
    for (int i = 1; i < 4; ++i) {
        p.drawLine(QPointF(12 + i * 11, 10), QPointF(12 + i * 11, 52));
        p.drawLine(QPointF(12, 52 - i * 10.5), QPointF(56, 52 - i * 10.5));
    }
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(12, 10, 44, 42));
    QPainterPath fit;
    fit.moveTo(12, 48);
    fit.cubicTo(26, 44, 38, 30, 56, 14);
    p.setPen(QPen(QColor(255, 255, 0), 2.5));
    p.drawPath(fit);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 255, 255));
    const QPointF pts[] = {{17, 45}, {24, 44}, {31, 37}, {38, 33}, {45, 23}, {51, 19}};
    for (const QPointF& pt : pts)
        p.drawEllipse(pt, 2.6, 2.6);
    return pix;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int s : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(ProgramPicture(s));
    return icon;
}

} // namespace torvel
