#include "evaluation/PageText.h"

void PageText::add(QPainter &painter, const QPointF &origin, const QString &text)
{
    const QVector<quint32> glyphs = m_raw.glyphIndexesForString(text);
    // A character the font lacks (glyph 0) is left to drawText, which falls back on another font.
    if (!m_raw.isValid() || glyphs.contains(0)) {
        painter.drawText(origin, text);
        return;
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
