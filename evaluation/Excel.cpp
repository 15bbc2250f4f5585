#include "evaluation/Excel.h"

#include "core/Bytes.h"
#include "core/Exception.h"

#include <QtEndian>
#include <algorithm>
#include <cstdint>

namespace {
constexpr std::uint16_t BofType = 0x0009, DimensionsType = 0x0000, LabelType = 0x0004, NumberType = 0x0003,
                        EofType = 0x000A;
constexpr std::uint16_t WorksheetType = 0x0010;

// One record collected whole, so it reaches the stream in one write.
class Record
{
public:
    explicit Record(std::uint16_t type) { word(type).word(0); }
    Record &word(int value)
    {
        char b[2];
        qToLittleEndian<std::uint16_t>(std::uint16_t(value), b);
        m_bytes.append(b, 2);
        return *this;
    }
    Record &byte(int value)
    {
        m_bytes.append(char(value));
        return *this;
    }
    Record &bytes(const QByteArray &b)
    {
        m_bytes.append(b);
        return *this;
    }
    Record &number(double value)
    {
        char b[8];
        PutDouble(b, value);
        m_bytes.append(b, 8);
        return *this;
    }
    void writeTo(QIODevice &stream)
    {
        qToLittleEndian<std::uint16_t>(std::uint16_t(m_bytes.size() - 4), m_bytes.data() + 2);
        if (stream.write(m_bytes) != m_bytes.size()) throw Exception(QStringLiteral("Stream write error"));
    }

private:
    QByteArray m_bytes;
};

int checkedWord(int value, int max, const char *what)
{
    if (value < 0 || value > max)
        throw Exception(QStringLiteral("%1 %2 liegt außerhalb der Tabelle (0 bis %3)")
                            .arg(QLatin1String(what))
                            .arg(value)
                            .arg(max));
    return value;
}

Record cell(std::uint16_t type, int column, int row)
{
    Record r(type);
    r.word(checkedWord(row, MaxSheetRows - 1, "Zeile")).word(checkedWord(column, MaxSheetColumns - 1, "Spalte"));
    r.byte(0).byte(0).byte(0);   // attributes: none
    return r;
}
}

void WriteBofRecord(QIODevice &stream, int version)
{
    Record(BofType).word(version & 0xFF).word(WorksheetType).writeTo(stream);
}

void WriteDimensionsRecord(QIODevice &stream, int rows, int columns)
{
    Record(DimensionsType)
        .word(0)
        .word(checkedWord(rows, MaxSheetRows, "row count"))
        .word(0)
        .word(checkedWord(columns, MaxSheetColumns, "column count"))
        .writeTo(stream);
}

void WriteLabelCell(QIODevice &stream, int column, int row, const QByteArray &text)
{
    const QByteArray kept = text.left(MaxLabelLength);
    cell(LabelType, column, row).byte(int(kept.size())).bytes(kept).writeTo(stream);
}

void WriteNumberCell(QIODevice &stream, int column, int row, double value)
{
    cell(NumberType, column, row).number(value).writeTo(stream);
}

void WriteEofRecord(QIODevice &stream) { Record(EofType).writeTo(stream); }
