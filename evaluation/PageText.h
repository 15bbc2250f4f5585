#pragma once
// The texts of one printed page, collected and drawn as one run of glyphs. Drawing each text on
// its own shaped it and made the PDF engine start a text object for it, which took most of the
// time of a long printout. Like the printer's own text output, the glyphs stand at the font's
// advances, without kerning.
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QVector>
#include <limits>

class PageText
{
public:
    explicit PageText(const QFont &font) : m_font(font), m_raw(QRawFont::fromFont(font)) {}

    // origin: the left end of the text's baseline. A text wider than maxWidth is cut to it, ending
    // in "…".
    void add(QPainter &painter, const QPointF &origin, const QString &text,
             double maxWidth = std::numeric_limits<double>::infinity());
    // Draws what was collected; call before every new page and at the end.
    void flush(QPainter &painter);

private:
    double width(const QVector<quint32> &glyphs) const;
    QFont m_font;
    QRawFont m_raw;
    QVector<quint32> m_glyphs;
    QVector<QPointF> m_positions;
};
