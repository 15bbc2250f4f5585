#pragma once
// The Excel 2.x worksheet records (BIFF2) of the spreadsheet export: a 2-byte type and a 2-byte
// body length, then the body, all little-endian; rows and columns count from 0.
// Each writer throws Exception "Stream write error" when the stream takes fewer bytes than given.
#include <QByteArray>
#include <QIODevice>

// Rows and columns are 16-bit words, and DIMENSIONS holds the row count itself.
constexpr int MaxSheetRows = 65535;
constexpr int MaxSheetColumns = 65535;
// The label's length is one byte.
constexpr int MaxLabelLength = 255;

void WriteBofRecord(QIODevice &stream, int version);   // a worksheet; the version byte is the word's low byte
void WriteDimensionsRecord(QIODevice &stream, int rows, int columns);
// text: the cell's bytes as they go into the file, cut to MaxLabelLength.
void WriteLabelCell(QIODevice &stream, int column, int row, const QByteArray &text);
void WriteNumberCell(QIODevice &stream, int column, int row, double value);
void WriteEofRecord(QIODevice &stream);
