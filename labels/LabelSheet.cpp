#include "labels/LabelSheet.h"

#include "form/ModeCodes.h"
#include "generation/GenerateTexts.h"
#include "generation/IdentifierCode.h"
#include "generation/RunCard.h"
#include "parameterfile/Identifier.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace {
// The sheet: A4, 3 x 8 labels of 70 x 37 mm, which fill its width and leave half a millimetre above and below.
constexpr double sheetWidth = 210.0;
constexpr double sheetHeight = 297.0;
constexpr int across = 3;
constexpr int down = 8;
constexpr double labelWidth = 70.0;
constexpr double labelHeight = 37.0;
constexpr double sheetTop = (sheetHeight - down * labelHeight) / 2;
static_assert(across * labelWidth <= sheetWidth && down * labelHeight <= sheetHeight, "the labels fit the sheet");
// The strip: 62 mm wide, a label 32 mm high.
constexpr double stripWidth = 62.0;
constexpr double stripHeight = 32.0;
// What a label holds keeps this far from its edges: printers leave a margin, and a sheet may sit a little askew.
constexpr double padding = 3.0;
constexpr int resolution = 600; // dots per inch of the PDF's coordinates

double dots(double millimetres)
{
    return millimetres * resolution / 25.4;
}

QRectF dotsRect(double left, double top, double width, double height)
{
    return {dots(left), dots(top), dots(width), dots(height)};
}

// The code as one filled path: modules side by side leave no seam when the page is rendered.
void drawCode(QPainter& painter, const IdentifierCode& code, const QRectF& square)
{
    painter.fillRect(square, Qt::white);
    const double module = square.width() / (code.size() + 2 * IdentifierCode::quietZone);
    QPainterPath dark;
    dark.setFillRule(Qt::WindingFill);
    for (int y = 0; y < code.size(); ++y) {
        for (int x = 0; x < code.size(); ++x) {
            if (code.dark(x, y))
                dark.addRect(square.left() + (x + IdentifierCode::quietZone) * module,
                             square.top() + (y + IdentifierCode::quietZone) * module, module, module);
        }
    }
    painter.fillPath(dark, Qt::black);
}

// The largest of the font's sizes, up to points, at which text fits width.
QFont fitted(QFont font, double points, const QString& text, double width, QPaintDevice* device)
{
    for (; points > 4; points -= 0.5) {
        font.setPointSizeF(points);
        if (QFontMetricsF(font, device).horizontalAdvance(text) <= width)
            break;
    }
    return font;
}

// One label in its place: the code on the left, as high as the label allows; on the right the identifier grouped
// in two lines, the mode and the name, the date and a line for the installer's own note.
void drawLabel(QPainter& painter, const Label& label, const QRectF& place)
{
    const QRectF inner = place.adjusted(dots(padding), dots(padding), -dots(padding), -dots(padding));
    const QRectF square(inner.topLeft(), QSizeF(inner.height(), inner.height()));
    drawCode(painter, IdentifierCode(label.identifier), square);

    const QRectF text(square.right() + dots(1.5), inner.top(), inner.right() - square.right() - dots(1.5),
                      inner.height());
    const QString grouped = groupedIdentifier(label.identifier);
    const QString firstHalf = grouped.left(19);
    QFont digits(QStringLiteral("monospace"));
    digits.setStyleHint(QFont::Monospace);
    digits.setBold(true);
    digits = fitted(digits, 9, firstHalf, text.width(), painter.device());
    QFont plain(QStringLiteral("sans-serif"));
    plain.setStyleHint(QFont::SansSerif);
    plain.setPointSizeF(std::min(digits.pointSizeF(), 7.5));

    painter.setPen(Qt::black);
    double y = text.top();
    const auto line = [&](const QFont& font, const QString& shown) {
        painter.setFont(font);
        const QFontMetricsF metrics(font, painter.device());
        painter.drawText(QPointF(text.left(), y + metrics.ascent()),
                         metrics.elidedText(shown, Qt::ElideRight, text.width()));
        y += metrics.lineSpacing();
    };
    line(digits, firstHalf);
    line(digits, grouped.mid(20));
    y += dots(1);
    QString mode = GenerateTexts::modeText(label.modeCode);
    line(plain, label.name.isEmpty() ? mode : mode + QStringLiteral(" \u00b7 ") + label.name);
    line(plain, label.date.toString(Qt::ISODate));
    // The note's line, at the foot of the label.
    QPen pen(Qt::black);
    pen.setWidthF(dots(0.2));
    painter.setPen(pen);
    painter.drawLine(QPointF(text.left(), inner.bottom() - dots(1)), QPointF(text.right(), inner.bottom() - dots(1)));
}
} // namespace

Label labelOf(const RunCard& card)
{
    return {card.identifier, card.modeCode, card.siteOrPreset(), card.time.date()};
}

QVector<Label> labelsOf(const QVector<RunCard>& cards)
{
    QVector<Label> labels;
    for (const RunCard& card : cards) {
        if (card.result == RunCard::Result::Prepared && ModeCode::handsOffIdentifier(card.modeCode))
            labels << labelOf(card);
    }
    return labels;
}

std::optional<QString> writeLabels(const QString& path, const QVector<Label>& labels, LabelLayout layout)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(resolution);
        pdf.setCreator(QStringLiteral("ORVA Configurator"));
        pdf.setTitle(QStringLiteral("ORVA labels"));
        const bool sheet = layout == LabelLayout::Sheet;
        const QPageSize size = sheet ? QPageSize(QPageSize::A4)
                                     : QPageSize(QSizeF(stripWidth, stripHeight), QPageSize::Millimeter,
                                                 QStringLiteral("62 mm label"), QPageSize::ExactMatch);
        pdf.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF()));
        QPainter painter;
        if (!painter.begin(&pdf))
            return QStringLiteral("the PDF could not be started");
        const int perPage = sheet ? across * down : 1;
        for (int i = 0; i < labels.size(); ++i) {
            if (i > 0 && i % perPage == 0)
                pdf.newPage();
            const int at = i % perPage;
            const int column = at % across;
            const int row = at / across;
            const QRectF place =
                sheet ? dotsRect(column * labelWidth, sheetTop + row * labelHeight, labelWidth, labelHeight)
                      : dotsRect(0, 0, stripWidth, stripHeight);
            drawLabel(painter, labels.at(i), place);
        }
        painter.end();
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}
