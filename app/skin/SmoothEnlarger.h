// The enlargement the skinned windows show their faces at. It gives the very pixels that
// QImage::scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation) gives for a picture in
// Format_RGB32 that is enlarged (or kept) in both directions, but it computes any part of the
// result on its own, so that a repaint enlarges only what changed.
//
// Each result pixel blends the 2 × 2 source pixels around the point its centre maps to, with
// weights in steps of 1/256, down both columns first and then across, each blend rounded down.
// The points advance in 16.16 fixed point by source / result per pixel, starting half a source
// pixel before the first; at the edges the nearest pixel stands.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <array>
#include <cstdint>
#include <vector>

namespace skin {

class SmoothEnlarger {
public:
    SmoothEnlarger() = default;
    // Both sizes at least 1 × 1; every side of `result` at least that of `source`.
    SmoothEnlarger(QSize source, QSize result);

    QSize sourceSize() const { return source_; }
    QSize resultSize() const { return result_; }

    // Computes the pixels of `area` (result coordinates) of `result`, a Format_RGB32 image of
    // the result size, from `source`, a Format_RGB32 image of the source size.
    void enlarge(const QImage& source, QImage& result, const QRect& area) const;
    // The whole result.
    QImage enlarged(const QImage& source) const;

    // The source pixels that the result pixels of `area` are made of.
    QRect sourceArea(const QRect& area) const;

private:
    // Where a result column (or row) takes its pixels: the source column (or row) and the
    // weight, 0..255, of the one after it.
    struct Tap {
        int index;
        int weight;
    };
    static std::vector<Tap> Taps(int source, int result);

    QSize source_;
    QSize result_;
    std::vector<Tap> columns_;
    std::vector<Tap> rows_;
    // Per result column, the weights of its pair of pixels for each channel: four times
    // 256 − weight, four times weight (where the blend runs on SIMD lanes).
    std::vector<std::array<std::int16_t, 8>> columnWeights_;
};

}  // namespace skin
