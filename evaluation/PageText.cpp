#include "evaluation/PageText.h"

#include <QFontMetricsF>

double PageText::width(const QVector<quint32> &glyphs) const
{
    double w = 0;
    for (const QPointF &advance : m_raw.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics)) w += advance.x();
    return w;
}

void PageText::add(QPainter &painter, const QPointF &origin, const QString &text, double maxWidth)
{
    QVector<quint32> glyphs = m_raw.glyphIndexesForString(text);
    // A character the font lacks (glyph 0) is left to drawText, which falls back on another font.
    if (!m_raw.isValid() || glyphs.contains(0)) {
        const bool cut = QFontMetricsF(m_font).horizontalAdvance(text) > maxWidth;
        painter.drawText(origin, cut ? QFontMetricsF(m_font).elidedText(text, Qt::ElideRight, maxWidth) : text);
        return;
    }
    if (width(glyphs) > maxWidth) {
        // The longest beginning that fits with the ellipsis, measured as it is drawn: at the advances.
        QVector<quint32> ellipsis = m_raw.glyphIndexesForString(QString(QChar(0x2026)));
        if (ellipsis.contains(0)) ellipsis = m_raw.glyphIndexesForString(QStringLiteral("..."));
        const QVector<QPointF> advances = m_raw.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
        double used = width(ellipsis);
        qsizetype keep = 0;
        while (keep < advances.size() && used + advances[keep].x() <= maxWidth) used += advances[keep++].x();
        glyphs = glyphs.first(keep) + ellipsis;
    }
    const QVector<QPointF> advances = m_raw.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
    QPointF at = origin;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        m_glyphs.append(glyphs[i]);
        m_positions.append(at);
        at.rx() += advances[i].x();
    }
}

void PageText::flush(QPainter &painter)
{
    if (m_glyphs.isEmpty()) return;
    QGlyphRun run;
    run.setRawFont(m_raw);
    run.setGlyphIndexes(m_glyphs);
    run.setPositions(m_positions);
    painter.drawGlyphRun(QPointF(0, 0), run);
    m_glyphs.clear();
    m_positions.clear();
}
