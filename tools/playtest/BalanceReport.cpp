#include "tools/playtest/BalanceReport.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "engine/platform/image/Image.h"
#include "engine/platform/text/FontFace.h"
#include "game/settings/GameSetting.h"

namespace ml::playtest {

double BalanceReport::Summary::worstShare() const {
    if (hits == 0)
        return 0;
    int worst = bossHits;
    for (int b : bins)
        worst = std::max(worst, b);
    return static_cast<double>(worst) / hits;
}

void BalanceReport::add(const RunResult& run) {
    runs[run.level].push_back(run);
    Summary& s = byLevel[run.level];
    const double n = s.runs;
    s.runs += 1;
    s.clears += run.cleared ? 1 : 0;
    s.clearsNoContinue += run.cleared && run.continues == 0 ? 1 : 0;
    s.stuck += run.finished ? 0 : 1;
    // Running means.
    s.continues = (s.continues * n + run.continues) / s.runs;
    s.livesLost = (s.livesLost * n + run.livesLost) / s.runs;
    s.bombs = (s.bombs * n + run.bombs) / s.runs;
    s.score = (s.score * n + run.score) / s.runs;
    for (const Hit& h : run.hits) {
        ++s.hits;
        if (h.boss) {
            ++s.bossHits;
            continue;
        }
        const int bin = std::max(0, h.position) / kBinWidth;
        if (static_cast<int>(s.bins.size()) <= bin)
            s.bins.resize(static_cast<std::size_t>(bin) + 1, 0);
        ++s.bins[static_cast<std::size_t>(bin)];
    }
}

BalanceReport::Summary BalanceReport::summary(int level) const {
    const auto it = byLevel.find(level);
    return it == byLevel.end() ? Summary{} : it->second;
}

std::string BalanceReport::table() const {
    std::ostringstream out;
    out << "| difficulty | runs | cleared without continue | cleared | continues | lives lost "
           "| bombs | score | hits | most hits in one part |\n"
        << "|---|---|---|---|---|---|---|---|---|---|\n";
    char line[512];
    for (const auto& [level, s] : byLevel) {
        // Where the most hits are: "boss" or the bin's first position.
        std::string where = "-";
        int worst = 0;
        for (std::size_t b = 0; b < s.bins.size(); ++b) {
            if (s.bins[b] > worst) {
                worst = s.bins[b];
                where = std::to_string(b * kBinWidth) + "-" + std::to_string((b + 1) * kBinWidth);
            }
        }
        if (s.bossHits > worst)
            where = "boss";
        std::snprintf(line, sizeof line,
                      "| %s | %d | %d%% | %d%% | %.2f | %.2f | %.2f | %.0f | %d | %s (%.0f%%) |\n",
                      levelName(level), s.runs, s.runs ? 100 * s.clearsNoContinue / s.runs : 0,
                      s.runs ? 100 * s.clears / s.runs : 0, s.continues, s.livesLost, s.bombs,
                      s.score, s.hits, where.c_str(), 100 * s.worstShare());
        out << line;
    }
    return out.str();
}

std::string BalanceReport::hitsTable(int partWidth) const {
    const int per = std::max(1, partWidth / kBinWidth);
    std::size_t parts = 0;
    for (const auto& [level, s] : byLevel)
        parts = std::max(parts, (s.bins.size() + per - 1) / per);
    std::ostringstream out;
    out << "| hits at |";
    for (std::size_t p = 0; p < parts; ++p)
        out << " " << p * per * kBinWidth << "–" << (p + 1) * per * kBinWidth << " |";
    out << " boss |\n|---|";
    for (std::size_t p = 0; p <= parts; ++p)
        out << "---|";
    out << "\n";
    for (const auto& [level, s] : byLevel) {
        out << "| " << levelName(level) << " |";
        for (std::size_t p = 0; p < parts; ++p) {
            int n = 0;
            for (std::size_t b = p * per; b < (p + 1) * per && b < s.bins.size(); ++b)
                n += s.bins[b];
            out << " " << n << " |";
        }
        out << " " << s.bossHits << " |\n";
    }
    return out.str();
}

namespace {

// A picture being drawn: filled boxes and one line of text at a time.
class Canvas {
  public:
    Canvas(int width, int height, std::uint32_t background) {
        image.width = width;
        image.height = height;
        image.pixels.assign(static_cast<std::size_t>(width) * height, background);
        std::string error;
        font = veru::platform::FontFace::open(u"default", 13, false, false, error);
    }

    void fill(int x0, int y0, int x1, int y1, std::uint32_t argb) {
        for (int y = std::max(0, y0); y < std::min(image.height, y1); ++y)
            for (int x = std::max(0, x0); x < std::min(image.width, x1); ++x)
                image.pixels[static_cast<std::size_t>(y) * image.width + x] = argb;
    }

    // ASCII text from x with its line's top at `top`. Without a font the
    // picture is drawn without its words.
    void text(int x, int top, const std::string& words, std::uint32_t argb) {
        if (!font)
            return;
        const int baseline = top + font->ascent();
        veru::platform::GlyphImage glyph;
        for (char c : words) {
            if (!font->glyph(static_cast<char32_t>(c), glyph))
                continue;
            veru::platform::forEachGlyphPixel(glyph, x, baseline, [&](int px, int py, int level) {
                if (px < 0 || py < 0 || px >= image.width || py >= image.height)
                    return;
                std::uint32_t& dst = image.pixels[static_cast<std::size_t>(py) * image.width + px];
                dst = blend(dst, argb, level);
            });
            x += glyph.advance;
        }
    }

    veru::platform::Image image;

  private:
    // `over` on `under` at level 0..16 of coverage.
    static std::uint32_t blend(std::uint32_t under, std::uint32_t over, int level) {
        std::uint32_t out = 0xFF000000u;
        for (int shift = 0; shift < 24; shift += 8) {
            const int a = static_cast<int>((under >> shift) & 0xFF);
            const int b = static_cast<int>((over >> shift) & 0xFF);
            out |= static_cast<std::uint32_t>(a + (b - a) * level / 16) << shift;
        }
        return out;
    }

    std::unique_ptr<veru::platform::FontFace> font;
};

}  // namespace

bool BalanceReport::writePng(const std::string& path) const {
    std::size_t binCount = 1;
    int most = 1;
    for (const auto& [level, s] : byLevel) {
        binCount = std::max(binCount, s.bins.size());
        most = std::max(most, s.bossHits);
        for (int b : s.bins)
            most = std::max(most, b);
    }
    const int strips = std::max<int>(1, static_cast<int>(byLevel.size()));
    Canvas canvas(kPngWidth, strips * (kPngLabel + kPngStrip + kPngGap) + kPngGap + kPngLabel,
                  0xFF1A1A24u);
    const int plotWidth = kPngWidth - 2 * kPngGap - kPngBossWidth - kPngGap;
    const double binWidth = static_cast<double>(plotWidth) / static_cast<double>(binCount);
    const int bossX = kPngWidth - kPngGap - kPngBossWidth;
    int row = 0;
    for (const auto& [level, s] : byLevel) {
        const std::uint32_t colour = level == GameSetting::kLevelEasy     ? 0xFF58C878u
                                     : level == GameSetting::kLevelNormal ? 0xFFE8B040u
                                                                          : 0xFFE05050u;
        const int top = stripTop(row);
        const int bottom = top + kPngStrip;
        // Above the strip: what it is and how the plays ended.
        char caption[160];
        std::snprintf(
            caption, sizeof caption,
            "%s: %d runs, cleared without continue %d%% (the white bar), cleared %d%%, %d hits",
            levelName(level), s.runs, s.runs ? 100 * s.clearsNoContinue / s.runs : 0,
            s.runs ? 100 * s.clears / s.runs : 0, s.hits);
        canvas.text(kPngGap, top - kPngLabel + 3, caption, colour);
        canvas.fill(kPngGap, top, kPngWidth - kPngGap, bottom, 0xFF2A2A38u);
        // A tick every 1000 positions.
        for (std::size_t b = 0; b < binCount; b += 1000 / kBinWidth)
            canvas.fill(kPngGap + static_cast<int>(b * binWidth), bottom - 6,
                        kPngGap + static_cast<int>(b * binWidth) + 1, bottom, 0xFF808090u);
        for (std::size_t b = 0; b < s.bins.size(); ++b) {
            const int h = s.bins[b] * (kPngStrip - 8) / most;
            const int x0 = kPngGap + static_cast<int>(b * binWidth) + 1;
            const int x1 = kPngGap + static_cast<int>((b + 1) * binWidth) - 1;
            canvas.fill(x0, bottom - h, x1, bottom, colour);
        }
        canvas.fill(bossX, top, kPngWidth - kPngGap, bottom, 0xFF34344Au);
        canvas.fill(bossX + 4, bottom - s.bossHits * (kPngStrip - 8) / most,
                    kPngWidth - kPngGap - 4, bottom, colour);
        // The clear rate without continue as a bar along the strip's top.
        if (s.runs > 0)
            canvas.fill(kPngGap, top,
                        kPngGap + (kPngWidth - 2 * kPngGap) * s.clearsNoContinue / s.runs, top + 4,
                        0xFFF0F0F0u);
        ++row;
    }
    // Below the last strip: the stage positions of the ticks, and the boss.
    const int axis = stripTop(strips) - kPngLabel + 2;
    for (std::size_t b = 0; b < binCount; b += 2000 / kBinWidth)
        canvas.text(kPngGap + static_cast<int>(b * binWidth), axis, std::to_string(b * kBinWidth),
                    0xFFA0A0B0u);
    canvas.text(bossX + 6, axis, "boss", 0xFFA0A0B0u);
    std::vector<std::uint8_t> png;
    if (!veru::platform::encodePng(canvas.image, png, false))
        return false;
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(file);
}

}  // namespace ml::playtest
