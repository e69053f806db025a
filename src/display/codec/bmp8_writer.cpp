#include "display/codec/bmp8_writer.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unordered_map>
#include <vector>

namespace pemu::display {
namespace {

constexpr int kMaxColours = 256;

int Bucket(QRgb c) {
    return ((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3);
}

int Distance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

// The palette: exact when the image has few colours; otherwise the most covered 5-bit
// buckets, each represented by its most frequent exact colour.
std::vector<QRgb> ChoosePalette(const std::unordered_map<QRgb, int>& counts) {
    std::vector<std::pair<QRgb, int>> byCount(counts.begin(), counts.end());
    std::sort(byCount.begin(), byCount.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    std::vector<QRgb> palette;
    if (byCount.size() <= kMaxColours) {
        for (const auto& [colour, n] : byCount)
            palette.push_back(colour);
        return palette;
    }
    struct BucketInfo {
        QRgb representative;
        long total;
    };
    std::unordered_map<int, BucketInfo> buckets;
    for (const auto& [colour, n] : byCount) {
        auto [it, fresh] = buckets.try_emplace(Bucket(colour), BucketInfo{colour, 0});
        it->second.total += n;
    }
    std::vector<BucketInfo> ranked;
    for (const auto& [key, info] : buckets)
        ranked.push_back(info);
    std::sort(ranked.begin(), ranked.end(), [](const BucketInfo& a, const BucketInfo& b) {
        return a.total != b.total ? a.total > b.total : a.representative < b.representative;
    });
    for (const BucketInfo& b : ranked) {
        if (palette.size() == kMaxColours) break;
        palette.push_back(b.representative);
    }
    return palette;
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

int RunAt(const uchar* row, int i, int width) {
    int r = 1;
    while (i + r < width && r < 255 && row[i + r] == row[i])
        ++r;
    return r;
}

// One row in BI_RLE8: runs of two or more as (count, index); stretches of three or more
// differing bytes in absolute mode, padded to a 16-bit boundary.
void EncodeRow(const uchar* row, int width, std::vector<uint8_t>& out) {
    int i = 0;
    while (i < width) {
        const int run = RunAt(row, i, width);
        if (run >= 2) {
            out.push_back(static_cast<uint8_t>(run));
            out.push_back(row[i]);
            i += run;
            continue;
        }
        int j = i;
        while (j < width && j - i < 255 && RunAt(row, j, width) < 2)
            ++j;
        const int literal = j - i;
        if (literal < 3) {
            for (int k = i; k < j; ++k) {
                out.push_back(1);
                out.push_back(row[k]);
            }
        } else {
            out.push_back(0);
            out.push_back(static_cast<uint8_t>(literal));
            out.insert(out.end(), row + i, row + j);
            if (literal % 2) out.push_back(0);
        }
        i = j;
    }
}

}  // namespace

QImage ReduceTo256Colours(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::unordered_map<QRgb, int> counts;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            ++counts[line[x] | 0xFF000000u];
    }
    const std::vector<QRgb> palette = ChoosePalette(counts);
    std::unordered_map<QRgb, int> indexOf;
    for (const auto& [colour, n] : counts) {
        int best = 0;
        for (int p = 1; p < static_cast<int>(palette.size()); ++p)
            if (Distance(colour, palette[p]) < Distance(colour, palette[best])) best = p;
        indexOf[colour] = best;
    }
    QImage out(rgb.size(), QImage::Format_Indexed8);
    out.setColorTable(QList<QRgb>(palette.begin(), palette.end()));
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* dst = out.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x)
            dst[x] = static_cast<uchar>(indexOf[line[x] | 0xFF000000u]);
    }
    return out;
}

std::string WriteRle8Bitmap(const QImage& image, const std::string& path) {
    if (image.isNull()) return "no picture to write for " + path;
    const QImage indexed = ReduceTo256Colours(image);
    const QList<QRgb> palette = indexed.colorTable();
    std::vector<uint8_t> pixels;
    for (int y = indexed.height() - 1; y >= 0; --y) {
        EncodeRow(indexed.constScanLine(y), indexed.width(), pixels);
        pixels.push_back(0);
        pixels.push_back(y == 0 ? 1 : 0);  // end of line, end of bitmap after the top row
    }
    const uint32_t headerSize = 14 + 40 + 4 * static_cast<uint32_t>(palette.size());
    std::vector<uint8_t> file;
    file.push_back('B');
    file.push_back('M');
    Put32(file, headerSize + static_cast<uint32_t>(pixels.size()));
    Put32(file, 0);
    Put32(file, headerSize);
    Put32(file, 40);
    Put32(file, static_cast<uint32_t>(indexed.width()));
    Put32(file, static_cast<uint32_t>(indexed.height()));
    Put16(file, 1);
    Put16(file, 8);
    Put32(file, 1);  // BI_RLE8
    Put32(file, static_cast<uint32_t>(pixels.size()));
    Put32(file, 2835);
    Put32(file, 2835);
    Put32(file, static_cast<uint32_t>(palette.size()));
    Put32(file, 0);
    for (QRgb c : palette) {
        file.push_back(static_cast<uint8_t>(qBlue(c)));
        file.push_back(static_cast<uint8_t>(qGreen(c)));
        file.push_back(static_cast<uint8_t>(qRed(c)));
        file.push_back(0);
    }
    file.insert(file.end(), pixels.begin(), pixels.end());

    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.data()),
                  static_cast<std::streamsize>(file.size()));
        if (!out.flush()) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return "cannot write " + path;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        return "cannot write " + path;
    }
    return "";
}

}  // namespace pemu::display
