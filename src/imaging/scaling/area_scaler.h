#pragma once

#include <QImage>
#include <QSize>
#include <cstdint>
#include <vector>

namespace ruvo {

// Makes a picture smaller by averaging the area of it that each new pixel covers, in whole
// numbers, so that the result does not depend on how the rows were handed over: a picture
// scaled as its rows are decoded, a few at a time, comes out as the whole picture scaled.
//
// Each new row is first summed down the picture (the source rows it covers, weighted by how
// much of each it covers) and then across it. Down, the weights of a new row add up to
// 2^15, and the sums are whole numbers; across, to one, and the rounding is done once, at
// the end.
class AreaScaler
{
public:
    // Whether a picture of this kind and size is scaled to size here: 32-bit RGB (with or
    // without premultiplied alpha) or grey, made no larger either way.
    static bool handles(const QImage& picture, QSize size);
    // The format of the scaled image: grey pictures are scaled to RGB, as Qt scales them.
    static QImage::Format targetFormat(QImage::Format source);

    AreaScaler(QSize from, QSize to, QImage::Format source);

    QSize from() const { return m_from; }
    QSize to() const { return m_to; }
    // The values a row of sums holds: one per channel per source column.
    int sumsPerRow() const { return m_from.width() * m_channels; }
    // The new row the source row starts in.
    int targetRowOf(int sourceRow) const { return m_targetRow[size_t(sourceRow)]; }
    // Whether the source row reaches the end of the new row it starts in.
    bool endsTargetRow(int sourceRow) const;

    // Adds a source row into the sums of its new row and, where it is shared, of the next.
    void addRow(const uchar* sourceRow, int row, uint32_t* sums, uint32_t* nextSums) const;
    // Writes a new row from its sums down the picture.
    void writeRow(const uint32_t* sums, uchar* targetRow) const;

private:
    template <int FixedTaps> void writeColumns(const uint32_t* sums, uchar* targetRow) const;
    void layOutFourColumnWeights();

    QSize m_from;
    QSize m_to;
    int m_channels = 4;
    bool m_opaque = true;
    // Down: for each source row, its new row and its weights there and in the next.
    std::vector<int> m_targetRow;
    std::vector<uint16_t> m_weightHere;
    std::vector<uint16_t> m_weightIntoNext;
    // Across: for each new column, the first of the source columns it covers and the
    // weights of m_taps columns from there.
    int m_taps = 1;
    std::vector<int> m_firstColumn;
    std::vector<float> m_columnWeights;
    // For grey: the same weights, four new columns side by side for each tap.
    std::vector<float> m_fourColumnWeights;
};

} // namespace ruvo
