// Large texts drawn from kept pictures look exactly as when drawn from their glyphs.
#include "display/TextPixmapCache.h"

#include "display/ClockLabel.h"
#include "platform/DesignFont.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

namespace {

// A backdrop with detail in every channel, so that a blend done differently shows.
class Backdrop : public QWidget
{
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QLinearGradient gradient(0, 0, width(), height());
        gradient.setColorAt(0, QColor(10, 200, 30));
        gradient.setColorAt(0.5, QColor(250, 250, 250));
        gradient.setColorAt(1, QColor(0, 40, 160));
        painter.fillRect(rect(), gradient);
    }
};

struct Drawn
{
    QImage image;
    int cached = 0;
};

Drawn draw(const QString& text, double points, const QColor& colour, TextPixmapCache* cache,
           Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    // The clock's own font, as the program has it.
    DesignFont::ensureTahoma();
    Backdrop backdrop;
    backdrop.resize(900, 700);
    auto* label = new ClockLabel(&backdrop);
    label->setTextCache(cache);
    label->setTextFormat(Qt::PlainText);
    label->setFont(DesignFont::tahoma(points, true));
    label->setAlignment(align);
    label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(colour.name()));
    label->setText(text);
    label->setGeometry(13, 7, 870, 680);
    const qreal ratio = backdrop.devicePixelRatioF();
    QImage image(backdrop.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    backdrop.render(&image);
    return {image, cache != nullptr ? cache->count() : 0};
}

int differingPixels(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        }
    }
    return count;
}

TEST(TextPixmapCacheTest, KeptPicturesDrawTheSamePixelsAsTheGlyphs)
{
    struct Case
    {
        QString text;
        double points;
        QColor colour;
        Qt::Alignment align;
    };
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const std::vector<Case> cases{
        {"0", 300, Qt::white, left},
        {"7", 300, QColor(200, 30, 30), left},
        {":", 250, QColor(128, 128, 128), left},
        {"1", 120, QColor(20, 20, 20), Qt::AlignRight | Qt::AlignVCenter},
        {"PAUSED", 90, QColor(255, 255, 255), Qt::AlignHCenter | Qt::AlignVCenter},
        {"1st\n2nd\n10th", 60, QColor(0, 0, 0), Qt::AlignRight | Qt::AlignTop},
    };
    for (const Case& c : cases) {
        TextPixmapCache cache(64 * 1024 * 1024);
        const Drawn glyphs = draw(c.text, c.points, c.colour, nullptr, c.align);
        const Drawn first = draw(c.text, c.points, c.colour, &cache, c.align);
        const Drawn again = draw(c.text, c.points, c.colour, &cache, c.align);
        const int lines = int(c.text.count(u'\n')) + 1;
        EXPECT_EQ(first.cached, lines) << c.text.toStdString() << ": one picture a line";
        EXPECT_EQ(again.cached, lines) << c.text.toStdString() << ": drawn again from the kept pictures";
        EXPECT_EQ(differingPixels(glyphs.image, first.image), 0) << c.text.toStdString();
        EXPECT_EQ(differingPixels(glyphs.image, again.image), 0) << c.text.toStdString();
    }
}

TEST(TextPixmapCacheTest, EverythingThatChangesThePixelsMakesAnotherPicture)
{
    TextPixmapCache cache(64 * 1024 * 1024);
    draw("5", 200, Qt::white, &cache);
    struct Case
    {
        const char* what;
        QString text;
        double points;
        QColor colour;
    };
    const std::vector<Case> cases{{"the text", "6", 200, Qt::white},
                                  {"the size", "5", 201, Qt::white},
                                  {"the colour", "5", 200, Qt::red}};
    for (const Case& c : cases) {
        const Drawn glyphs = draw(c.text, c.points, c.colour, nullptr);
        const Drawn kept = draw(c.text, c.points, c.colour, &cache);
        EXPECT_EQ(differingPixels(glyphs.image, kept.image), 0) << c.what;
    }
    EXPECT_EQ(cache.count(), 4);
}

TEST(TextPixmapCacheTest, LinesOfARotatedListAreDrawnFromTheirPictures)
{
    TextPixmapCache cache(64 * 1024 * 1024);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignTop;
    draw("$1,230\n$700\n$500", 70, Qt::black, &cache, right);
    const QString rotated = "$700\n$500\n$1,230";
    const Drawn kept = draw(rotated, 70, Qt::black, &cache, right);
    EXPECT_EQ(kept.cached, 3) << "the same three lines";
    EXPECT_EQ(differingPixels(draw(rotated, 70, Qt::black, nullptr, right).image, kept.image), 0);
}

TEST(TextPixmapCacheTest, SmallTextsAreDrawnFromTheGlyphsAndTheCacheStaysWithinItsBytes)
{
    TextPixmapCache cache(1024 * 1024);
    draw("12,345", 14.25, Qt::black, &cache);
    EXPECT_EQ(cache.count(), 0) << "Qt keeps glyphs this small rasterised itself";
    for (const char* digit : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}) {
        draw(digit, 300, Qt::white, &cache);
        EXPECT_LE(cache.bytes(), 1024 * 1024);
    }
    EXPECT_GT(cache.count(), 0);
    EXPECT_LT(cache.count(), 10) << "the oldest pictures made room";
}

} // namespace
