#include "ui/artwork.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <array>
#include <utility>

namespace {

const QColor kInk(0x0b, 0x3d, 0x5c);
const QColor kSea(0x16, 0x78, 0x8f);
const QColor kMint(0x2a, 0xa8, 0x96);
const QColor kAmber(0xff, 0xc4, 0x3d);
const QColor kPaper(0xfb, 0xfa, 0xf6);
const QColor kOldPaper(0xd9, 0xe1, 0xe6);

QImage transparentCanvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The dark outline of cards and tags; width 0 draws none.
QPen outlinePen(qreal width) {
    return width > 0 ? QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                     : QPen(Qt::NoPen);
}

void smooth(QPainter& painter) {
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
}

QFont boldFont(qreal pixelSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Bold);
    font.setPixelSize(qRound(pixelSize));
    return font;
}

// The largest pixel size up to maxPixelSize at which text fits into width.
QFont fittingBoldFont(const QString& text, qreal maxPixelSize, qreal width) {
    QFont font = boldFont(maxPixelSize);
    const qreal natural = QFontMetricsF(font).horizontalAdvance(text);
    if (natural > width) {
        font.setPixelSize(qFloor(maxPixelSize * width / natural));
    }
    return font;
}

void fillGradient(QPainter& painter, const QRectF& area, QPointF from, QPointF to) {
    QLinearGradient gradient(from, to);
    gradient.setColorAt(0.0, kInk);
    gradient.setColorAt(0.65, kSea);
    gradient.setColorAt(1.0, kMint);
    painter.fillRect(area, gradient);
}

// A sheet of paper whose upper right corner is folded down by fold.
QPainterPath cardOutline(const QRectF& r, qreal fold) {
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    return path;
}

void drawCardShadow(QPainter& painter, const QRectF& r, qreal fold, qreal offset, int alpha) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, alpha));
    painter.drawPath(cardOutline(r.translated(offset, offset * 1.3), fold));
}

void drawCard(QPainter& painter, const QRectF& r, qreal fold, const QColor& paper, qreal pen) {
    const QPainterPath outline = cardOutline(r, fold);
    painter.setPen(outlinePen(pen));
    painter.setBrush(paper);
    painter.drawPath(outline);

    QPainterPath dogEar;
    dogEar.moveTo(r.right() - fold, r.top());
    dogEar.lineTo(r.right() - fold, r.top() + fold);
    dogEar.lineTo(r.right(), r.top() + fold);
    dogEar.closeSubpath();
    painter.setBrush(paper.darker(125));
    painter.drawPath(dogEar);
}

// A name tag pointing left, its tip at the origin, body extending to the right.
QPainterPath tagOutline(qreal length, qreal height) {
    const qreal half = height / 2;
    QPainterPath path;
    path.moveTo(0, 0);
    path.lineTo(half, -half);
    path.lineTo(length, -half);
    path.lineTo(length, half);
    path.lineTo(half, half);
    path.closeSubpath();
    return path;
}

void drawTag(QPainter& painter, QPointF tip, qreal angle, qreal length, qreal height, qreal pen,
             bool withHole) {
    painter.save();
    painter.translate(tip);
    painter.rotate(angle);
    painter.setPen(outlinePen(pen));
    painter.setBrush(kAmber);
    painter.drawPath(tagOutline(length, height));
    if (withHole) {
        const qreal radius = height * 0.14;
        painter.setBrush(kPaper);
        painter.drawEllipse(QPointF(height * 0.62, 0), radius, radius);
    }
    painter.restore();
}

void drawTextLines(QPainter& painter, const QRectF& area, int count, const QColor& colour,
                   qreal width) {
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    const qreal gap = count > 1 ? area.height() / (count - 1) : 0;
    for (int i = 0; i < count; ++i) {
        const qreal y = area.top() + i * gap;
        const qreal shorten = area.width() * 0.18 * (i % 3);
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right() - shorten, y));
    }
}

// A small net of nodes and links; node positions are relative to the area drawn into (0 to 1).
const QPointF kNetNodes[] = {{0.08, 0.30}, {0.26, 0.12}, {0.30, 0.58}, {0.48, 0.34}, {0.55, 0.82},
                             {0.70, 0.16}, {0.78, 0.55}, {0.93, 0.30}, {0.90, 0.88}};
const std::pair<int, int> kNetLinks[] = {{0, 1}, {0, 2}, {1, 3}, {2, 3}, {2, 4}, {3, 5},
                                         {3, 6}, {4, 6}, {5, 7}, {6, 7}, {6, 8}, {4, 8}};

void drawNet(QPainter& painter, const QRectF& area, const QColor& colour, qreal line,
             qreal radius) {
    const auto at = [&](QPointF node) {
        return QPointF(area.left() + node.x() * area.width(),
                       area.top() + node.y() * area.height());
    };
    painter.setPen(QPen(colour, line, Qt::SolidLine, Qt::RoundCap));
    for (const auto& [from, to] : kNetLinks) {
        painter.drawLine(at(kNetNodes[from]), at(kNetNodes[to]));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    for (const QPointF& node : kNetNodes) {
        painter.drawEllipse(at(node), radius, radius);
    }
}

// A magazine page: headline, picture and columns of text.
void drawBannerEmblem(QPainter& painter, const QRectF& r) {
    const qreal fold = r.width() * 0.26;
    drawCardShadow(painter, r, fold, 6, 60);
    drawCard(painter, r, fold, kPaper, 0);
    const qreal margin = r.width() * 0.15;
    const QRectF page = r.adjusted(margin, fold + 4, -margin, -margin);
    painter.setPen(QPen(kInk, 16, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(page.left(), r.top() + margin + 8),
                     QPointF(r.right() - fold - 12, r.top() + margin + 8));
    const QRectF picture(page.left(), page.top() + 8, page.width() * 0.45, page.height() * 0.42);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kAmber);
    painter.drawRoundedRect(picture, 4, 4);
    drawTextLines(painter,
                  QRectF(picture.right() + 12, picture.top() + 6,
                         page.right() - picture.right() - 12, picture.height() - 12),
                  3, kSea, 8);
    drawTextLines(painter,
                  QRectF(page.left(), picture.bottom() + 20, page.width(),
                         page.bottom() - picture.bottom() - 24),
                  3, kSea, 8);
}

void drawBannerWordmark(QPainter& painter, const QRectF& area) {
    const QString head = QStringLiteral("Netz");
    const QString tail = QStringLiteral("blatt");
    const QFont font = fittingBoldFont(head + tail, 150, area.width());
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const QPointF baseline(area.left(), area.top() + metrics.ascent());
    painter.setPen(Qt::white);
    painter.drawText(baseline, head);
    painter.setPen(kAmber);
    painter.drawText(baseline + QPointF(metrics.horizontalAdvance(head), 0), tail);
}

void drawBannerTagline(QPainter& painter, const QPointF& topLeft) {
    QFont font = boldFont(44);
    font.setWeight(QFont::DemiBold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 255, 225));
    painter.drawText(topLeft + QPointF(0, QFontMetricsF(font).ascent()),
                     QStringLiteral("Das Magazin fürs Netz"));
}

// An old or a new file name on a card, rotated by angle degrees around its centre.
void drawNamedCard(QPainter& painter, const QRectF& r, qreal angle, const QString& name,
                   bool renamed) {
    painter.save();
    painter.translate(r.center());
    painter.rotate(angle);
    const QRectF card(-r.width() / 2, -r.height() / 2, r.width(), r.height());
    drawCardShadow(painter, card, 14, 3, 55);
    drawCard(painter, card, 14, renamed ? kPaper : kOldPaper, 0);
    painter.setFont(boldFont(11));
    painter.setPen(renamed ? kInk : QColor(0x5d, 0x6b, 0x75));
    painter.drawText(QRectF(card.left() + 9, card.top() + 14, card.width() - 14, 16),
                     Qt::AlignLeft | Qt::AlignVCenter, name);
    drawTextLines(painter, QRectF(card.left() + 10, card.top() + 38, card.width() * 0.6, 12), 2,
                  renamed ? kSea.lighter(170) : QColor(0x9a, 0xa8, 0xb2), 3.5);
    if (renamed) {
        drawTag(painter, QPointF(card.right() - 40, card.bottom() - 16), 0, 40, 18, 0, true);
    }
    painter.restore();
}

void drawDownArrow(QPainter& painter, QPointF top, qreal height) {
    painter.setPen(QPen(QColor(255, 255, 255, 150), 3, Qt::DotLine, Qt::RoundCap));
    painter.drawLine(top, top + QPointF(0, height - 14));
    painter.setPen(QPen(kAmber, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF tip = top + QPointF(0, height);
    painter.drawPolyline(std::array{tip + QPointF(-14, -14), tip, tip + QPointF(14, -14)}.data(),
                         3);
}

void drawStripTitle(QPainter& painter, const QRectF& area) {
    painter.setFont(fittingBoldFont(QStringLiteral("Taufix"), 30, area.width()));
    painter.setPen(Qt::white);
    painter.drawText(area, Qt::AlignCenter, QStringLiteral("Taufix"));
}

// The icon drawn on a 256 x 256 grid; small sizes leave out the shadow, a text line and the
// tag's hole, and keep every outline at least one pixel wide.
QImage drawIconImage(int size) {
    QImage image = transparentCanvas(size, size);
    QPainter painter(&image);
    smooth(painter);
    painter.scale(size / 256.0, size / 256.0);
    const qreal onePixel = 256.0 / size;
    const qreal pen = qMax(10.0, onePixel);
    const QRectF card(30, 10, 156, 212);
    if (size >= 48) {
        drawCardShadow(painter, card, 50, 8, 45);
    }
    drawCard(painter, card, 50, kPaper, pen);
    drawTextLines(painter, size >= 32 ? QRectF(62, 84, 96, 64) : QRectF(64, 92, 88, 48),
                  size >= 32 ? 3 : 2, kSea, qMax(14.0, 1.6 * onePixel));
    drawTag(painter, QPointF(104, 204), -32, 136, 76, pen, size >= 32);
    return image;
}

}  // namespace

QPixmap drawBanner() {
    QImage image = transparentCanvas(1170, 268);
    QPainter painter(&image);
    smooth(painter);
    fillGradient(painter, image.rect(), QPointF(0, 0), QPointF(1170, 268));
    drawNet(painter, QRectF(640, -20, 560, 300), QColor(255, 255, 255, 38), 3, 9);
    drawBannerEmblem(painter, QRectF(46, 40, 150, 188));
    drawBannerWordmark(painter, QRectF(236, 22, 900, 160));
    drawBannerTagline(painter, QPointF(244, 178));
    painter.fillRect(QRectF(0, 256, 1170, 12), kAmber);
    painter.end();
    return QPixmap::fromImage(image);
}

QPixmap drawArtworkStrip() {
    QImage image = transparentCanvas(157, 552);
    QPainter painter(&image);
    smooth(painter);
    fillGradient(painter, image.rect(), QPointF(0, 0), QPointF(40, 552));
    drawNet(painter, QRectF(-10, 430, 180, 130), QColor(255, 255, 255, 30), 2, 4);

    const QSizeF cardSize(124, 62);
    const auto cardAt = [&](qreal x, qreal y) { return QRectF(QPointF(x, y), cardSize); };
    drawNamedCard(painter, cardAt(12, 20), -6, QStringLiteral("IMG_4711.JPG"), false);
    drawNamedCard(painter, cardAt(22, 72), 4, QStringLiteral("dsc00815.jpg"), false);
    drawNamedCard(painter, cardAt(14, 124), -3, QStringLiteral("Scan (3).jpeg"), false);
    drawDownArrow(painter, QPointF(78.5, 204), 58);
    for (int i = 0; i < 3; ++i) {
        drawNamedCard(painter, cardAt(16.5, 280 + 74 * i), 0,
                      QStringLiteral("Urlaub_00%1.jpg").arg(i + 1), true);
    }
    drawStripTitle(painter, QRectF(10, 508, 137, 36));
    painter.end();
    return QPixmap::fromImage(image);
}

QIcon drawAppIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        icon.addPixmap(QPixmap::fromImage(drawIconImage(size)));
    }
    return icon;
}
