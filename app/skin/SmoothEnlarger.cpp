#include "SmoothEnlarger.h"

#include <algorithm>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace skin {
namespace {

constexpr int kFraction = 16;                         // bits after the point of a position
constexpr std::int64_t kHalf = 1 << (kFraction - 1);  // half a source pixel
constexpr int kWeightShift = kFraction - 8;           // a weight is the fraction's top 8 bits
constexpr std::uint32_t kWeightMask = 0xFF;
constexpr int kWhole = 256;  // the weights of the two pixels of a blend add up to this

#if defined(__SSE2__)

// Two pixels' channels as eight 16-bit lanes.
inline __m128i Widen(const std::uint32_t* pixels) {
    return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(pixels)),
                             _mm_setzero_si128());
}

void BlendDown(const std::uint32_t* top, const std::uint32_t* bottom, int weight,
               std::uint32_t* out, std::size_t count) {
    const __m128i keep = _mm_set1_epi16(static_cast<std::int16_t>(kWhole - weight));
    const __m128i take = _mm_set1_epi16(static_cast<std::int16_t>(weight));
    std::size_t i = 0;
    for (; i + 2 <= count; i += 2) {
        const __m128i sum = _mm_add_epi16(_mm_mullo_epi16(Widen(top + i), keep),
                                          _mm_mullo_epi16(Widen(bottom + i), take));
        const __m128i blended = _mm_srli_epi16(sum, 8);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(blended, blended));
    }
    for (; i < count; ++i) {
        const __m128i zero = _mm_setzero_si128();
        const __m128i t = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(top[i])), zero);
        const __m128i b = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(bottom[i])), zero);
        const __m128i blended =
            _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(t, keep), _mm_mullo_epi16(b, take)), 8);
        out[i] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(blended, blended)));
    }
}

// One pixel across: its pair of line pixels weighed by its (keep × 4, take × 4) lanes, the two
// halves added; the result in the low four lanes.
inline __m128i Across(const std::uint32_t* pair, const std::int16_t* weights) {
    const __m128i weighed =
        _mm_mullo_epi16(Widen(pair), _mm_loadu_si128(reinterpret_cast<const __m128i*>(weights)));
    return _mm_add_epi16(weighed, _mm_srli_si128(weighed, 8));
}

#else

// (a × (256 − w) + b × w) / 256 for each of the four 8-bit channels, two channels at a time.
inline std::uint32_t Blend(std::uint32_t a, std::uint32_t b, std::uint32_t weight) {
    const std::uint32_t keep = kWhole - weight;
    const std::uint32_t redBlue =
        (((a & 0x00FF00FFU) * keep + (b & 0x00FF00FFU) * weight) >> 8) & 0x00FF00FFU;
    const std::uint32_t alphaGreen =
        (((a >> 8) & 0x00FF00FFU) * keep + ((b >> 8) & 0x00FF00FFU) * weight) & 0xFF00FF00U;
    return alphaGreen | redBlue;
}

void BlendDown(const std::uint32_t* top, const std::uint32_t* bottom, int weight,
               std::uint32_t* out, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = Blend(top[i], bottom[i], static_cast<std::uint32_t>(weight));
    }
}

#endif

}  // namespace

SmoothEnlarger::SmoothEnlarger(QSize source, QSize result)
    : source_(source),
      result_(result),
      columns_(Taps(source.width(), result.width())),
      rows_(Taps(source.height(), result.height())) {
    columnWeights_.reserve(columns_.size());
    for (const Tap& column : columns_) {
        const auto keep = static_cast<std::int16_t>(kWhole - column.weight);
        const auto take = static_cast<std::int16_t>(column.weight);
        columnWeights_.push_back({keep, keep, keep, keep, take, take, take, take});
    }
}

std::vector<SmoothEnlarger::Tap> SmoothEnlarger::Taps(int source, int result) {
    std::vector<Tap> taps(static_cast<std::size_t>(std::max(result, 0)));
    if (source <= 0 || result <= 0) {
        return taps;
    }
    const std::int64_t step = (std::int64_t{source} << kFraction) / result;
    std::int64_t position = kHalf * source / result - kHalf;
    for (Tap& tap : taps) {
        if (position < 0) {
            tap = {0, 0};  // before the first pixel's centre: the first pixel alone
        } else {
            const int index = static_cast<int>(position >> kFraction);
            // At or past the last pixel's centre: the last pixel alone.
            const int weight =
                index >= source - 1
                    ? 0
                    : static_cast<int>(static_cast<std::uint32_t>(position >> kWeightShift) &
                                       kWeightMask);
            tap = {std::min(index, source - 1), weight};
        }
        position += step;
    }
    return taps;
}

void SmoothEnlarger::enlarge(const QImage& source, QImage& result, const QRect& area) const {
    const QRect target = area & QRect(QPoint(0, 0), result_);
    if (target.isEmpty()) {
        return;
    }
    const auto left = static_cast<std::size_t>(target.left());
    const auto width = static_cast<std::size_t>(target.width());
    // The source columns this area reads: from its first column's to the one after its last.
    const int firstColumn = columns_[left].index;
    const int lastColumn = std::min(columns_[left + width - 1].index + 1, source_.width() - 1);
    const auto count = static_cast<std::size_t>(lastColumn - firstColumn + 1);
    // One row blended down, and a copy of its last pixel: every column reads a pair of pixels.
    std::vector<std::uint32_t> line(count + 1);
    const auto pixelsPerLine =
        static_cast<std::size_t>(source.bytesPerLine()) / sizeof(std::uint32_t);

    for (int y = target.top(); y <= target.bottom(); ++y) {
        // Down first: the row between the two source rows, once per source column.
        const Tap row = rows_[static_cast<std::size_t>(y)];
        const auto* top =
            reinterpret_cast<const std::uint32_t*>(source.constScanLine(row.index)) + firstColumn;
        if (row.weight > 0) {
            BlendDown(top, top + pixelsPerLine, row.weight, line.data(), count);
        } else {
            std::copy(top, top + count, line.begin());
        }
        line[count] = line[count - 1];

        // Then across.
        auto* out = reinterpret_cast<std::uint32_t*>(result.scanLine(y)) + left;
        for (std::size_t k = 0; k < width; ++k) {
            const std::size_t column = left + k;
            const auto pair = static_cast<std::size_t>(columns_[column].index - firstColumn);
#if defined(__SSE2__)
            // Two pixels at a time where there are two.
            if (k + 1 < width) {
                const auto next =
                    static_cast<std::size_t>(columns_[column + 1].index - firstColumn);
                const __m128i both = _mm_srli_epi16(
                    _mm_unpacklo_epi64(Across(&line[pair], columnWeights_[column].data()),
                                       Across(&line[next], columnWeights_[column + 1].data())),
                    8);
                _mm_storel_epi64(reinterpret_cast<__m128i*>(out + k), _mm_packus_epi16(both, both));
                ++k;
                continue;
            }
            const __m128i one =
                _mm_srli_epi16(Across(&line[pair], columnWeights_[column].data()), 8);
            out[k] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(one, one)));
#else
            const auto weight = static_cast<std::uint32_t>(columns_[column].weight);
            out[k] = weight > 0 ? Blend(line[pair], line[pair + 1], weight) : line[pair];
#endif
        }
    }
}

QImage SmoothEnlarger::enlarged(const QImage& source) const {
    QImage result(result_, QImage::Format_RGB32);
    enlarge(source, result, result.rect());
    return result;
}

QRect SmoothEnlarger::sourceArea(const QRect& area) const {
    const QRect target = area & QRect(QPoint(0, 0), result_);
    if (target.isEmpty()) {
        return QRect();
    }
    const Tap first = columns_[static_cast<std::size_t>(target.left())];
    const Tap last = columns_[static_cast<std::size_t>(target.right())];
    const Tap firstRow = rows_[static_cast<std::size_t>(target.top())];
    const Tap lastRow = rows_[static_cast<std::size_t>(target.bottom())];
    // A tap reads its pixel and the one after it.
    return QRect(QPoint(first.index, firstRow.index),
                 QPoint(std::min(last.index + 1, source_.width() - 1),
                        std::min(lastRow.index + 1, source_.height() - 1)));
}

}  // namespace skin
