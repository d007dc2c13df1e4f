#include "core/AutoSizer.h"

#include "platform/WidgetSizerHost.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

using Property = AutoSizerHost::Property;

struct Control
{
    QString name;
    std::optional<int> index;
    std::map<Property, double> properties;
    std::set<Property> refused;
    int writes = 0;
};

Control box(const char* name, double top, double left, double width, double height,
            std::optional<double> fontSize = std::nullopt, std::optional<int> index = std::nullopt)
{
    Control c{
        QString::fromLatin1(name),
        index,
        {{Property::Top, top}, {Property::Left, left}, {Property::Width, width}, {Property::Height, height}},
        {},
        0};
    if (fontSize) {
        c.properties[Property::FontSize] = *fontSize;
    }
    return c;
}

Control line(const char* name, double x1, double y1, double x2, double y2)
{
    return Control{QString::fromLatin1(name),
                   std::nullopt,
                   {{Property::X1, x1}, {Property::Y1, y1}, {Property::X2, x2}, {Property::Y2, y2}},
                   {},
                   0};
}

class FakeHost : public AutoSizerHost
{
public:
    std::vector<Control> controls;
    double width = 1000;
    double height = 500;
    std::vector<QString> visibility;

    int controlCount() const override { return int(controls.size()); }
    QString controlName(int i) const override { return controls[size_t(i)].name; }
    std::optional<int> controlIndex(int i) const override { return controls[size_t(i)].index; }
    std::optional<double> property(int i, Property p) const override
    {
        const auto& properties = controls[size_t(i)].properties;
        const auto it = properties.find(p);
        return it == properties.end() ? std::nullopt : std::optional<double>(it->second);
    }
    bool setProperty(int i, Property p, double value) override
    {
        Control& c = controls[size_t(i)];
        if (!c.properties.contains(p) || c.refused.contains(p)) {
            return false;
        }
        c.properties[p] = value;
        ++c.writes;
        return true;
    }
    double innerWidth() const override { return width; }
    double innerHeight() const override { return height; }
    void hideHost() override { visibility.push_back(QStringLiteral("hide")); }
    void showHost() override { visibility.push_back(QStringLiteral("show")); }

    double at(const char* name, Property p) const
    {
        for (const Control& c : controls) {
            if (c.name == QLatin1String(name)) {
                return c.properties.at(p);
            }
        }
        throw std::out_of_range(name);
    }
};

class AutoSizerTest : public testing::Test
{
protected:
    FakeHost host;
    QObject window;

    AutoSizer& recorded()
    {
        sizer = std::make_unique<AutoSizer>(host, &window);
        sizer->GetProps();
        return *sizer;
    }
    void resize(double width, double height)
    {
        host.width = width;
        host.height = height;
        QEvent event(QEvent::Resize);
        QCoreApplication::sendEvent(&window, &event);
    }

    std::unique_ptr<AutoSizer> sizer;
};

TEST_F(AutoSizerTest, ScalesPositionsSizesAndFontsWithTheWindow)
{
    struct Case
    {
        double width, height;
        double top, left, w, h, font;
    };
    host.controls = {box("lblTitle", 100, 200, 300, 50, 36)};
    recorded();
    for (const Case& c : {Case{1000, 1000, 200, 200, 300, 100, 72}, // height only: fonts follow
                          Case{2000, 500, 100, 400, 600, 50, 36},   // width only: fonts stay
                          Case{500, 250, 50, 100, 150, 25, 18}, Case{1000, 500, 100, 200, 300, 50, 36}}) {
        resize(c.width, c.height);
        EXPECT_DOUBLE_EQ(host.at("lblTitle", Property::Top), c.top) << c.width << "x" << c.height;
        EXPECT_DOUBLE_EQ(host.at("lblTitle", Property::Left), c.left);
        EXPECT_DOUBLE_EQ(host.at("lblTitle", Property::Width), c.w);
        EXPECT_DOUBLE_EQ(host.at("lblTitle", Property::Height), c.h);
        EXPECT_DOUBLE_EQ(host.at("lblTitle", Property::FontSize), c.font);
    }
    EXPECT_EQ(host.visibility,
              (std::vector<QString>{"hide", "show", "hide", "show", "hide", "show", "hide", "show"}));
}

// A control the window moves on its own after the record (a title re-centred for a new text) is
// followed: later resizes scale its new place, not the recorded one. Before the record there is nothing
// to follow.
TEST_F(AutoSizerTest, FollowsOnePropertyAControlWasMovedTo)
{
    host.controls = {box("lblTitle", 100, 200, 300, 50, 36), box("lblLevel", 10, 900, 50, 40, 48)};
    sizer = std::make_unique<AutoSizer>(host, &window);
    sizer->follow(0, Property::Left);
    EXPECT_TRUE(sizer->LayoutRatios().isEmpty());
    sizer->GetProps();
    resize(2000, 1000);
    host.controls[0].properties[Property::Left] = 700; // centred for a shorter text at 2000 wide
    sizer->follow(0, Property::Left);
    EXPECT_DOUBLE_EQ(sizer->LayoutRatios().value("lblTitle.left"), 0.35);
    EXPECT_DOUBLE_EQ(sizer->LayoutRatios().value("lblTitle.top"), 0.2) << "the other entries stay";
    resize(1000, 500);
    EXPECT_DOUBLE_EQ(host.at("lblTitle", Property::Left), 350);
    EXPECT_DOUBLE_EQ(host.at("lblLevel", Property::Left), 900);
}

TEST_F(AutoSizerTest, KeysNameControlArrayElementsAndLinesByTheirEndPoints)
{
    host.controls = {box("optRounding", 10, 20, 30, 40, 8, 2), line("Line1", 100, 50, 900, 450),
                     Control{QStringLiteral("tmrClock"), std::nullopt, {}, {}, 0}};
    const QHash<QString, double>& ratios = recorded().LayoutRatios();

    EXPECT_DOUBLE_EQ(ratios.value("optRounding(2).top"), 10.0 / 500);
    EXPECT_DOUBLE_EQ(ratios.value("optRounding(2).fsz"), 8.0 / 500);
    EXPECT_FALSE(ratios.contains("optRounding.top"));
    for (const char* key : {"Line1.x1", "Line1.y1", "Line1.x2", "Line1.y2"}) {
        EXPECT_TRUE(ratios.contains(key)) << key;
    }
    EXPECT_FALSE(ratios.contains("Line1.top"));
    EXPECT_EQ(ratios.size(), 5 + 4) << "the timer gets no entries";

    resize(2000, 1000);
    EXPECT_DOUBLE_EQ(host.at("Line1", Property::X2), 1800);
    EXPECT_DOUBLE_EQ(host.at("Line1", Property::Y2), 900);
    EXPECT_EQ(host.controls[2].writes, 0);
}

TEST_F(AutoSizerTest, LineAtMinusOneIsNeitherRecordedNorScaled)
{
    host.controls = {line("Line1", -1, 50, 900, 450)};
    EXPECT_TRUE(recorded().LayoutRatios().isEmpty());
    resize(2000, 1000);
    EXPECT_EQ(host.controls[0].writes, 0);
}

TEST_F(AutoSizerTest, RecordingAtZeroHeightSkipsOnlyTheHeightEntries)
{
    host.height = 0;
    host.controls = {box("cmdOk", 100, 200, 300, 50, 9)};
    const QHash<QString, double>& ratios = recorded().LayoutRatios();
    EXPECT_EQ(QStringList(ratios.keys()).size(), 2);
    EXPECT_TRUE(ratios.contains("cmdOk.left"));
    EXPECT_TRUE(ratios.contains("cmdOk.width"));

    resize(2000, 800);
    EXPECT_DOUBLE_EQ(host.at("cmdOk", Property::Left), 400);
    EXPECT_DOUBLE_EQ(host.at("cmdOk", Property::Top), 100);
    EXPECT_DOUBLE_EQ(host.at("cmdOk", Property::FontSize), 9);
}

TEST_F(AutoSizerTest, EachFailingPropertyIsSkippedOnItsOwn)
{
    host.controls = {box("lblA", 100, 200, 300, 50), box("lblA", 10, 20, 30, 5),
                     box("lblB", 100, 200, 300, 50, 12)};
    host.controls[2].refused = {Property::Left, Property::Width};
    recorded();
    EXPECT_DOUBLE_EQ(sizer->LayoutRatios().value("lblA.top"), 100.0 / 500)
        << "the first control of a name wins";

    resize(2000, 1000);
    EXPECT_DOUBLE_EQ(host.at("lblB", Property::Top), 200);
    EXPECT_DOUBLE_EQ(host.at("lblB", Property::Left), 200) << "refused";
    EXPECT_DOUBLE_EQ(host.at("lblB", Property::Height), 100);
    EXPECT_DOUBLE_EQ(host.at("lblB", Property::FontSize), 24);
    EXPECT_DOUBLE_EQ(host.controls[1].properties.at(Property::Top), 200) << "shares the first one's ratios";
}

TEST_F(AutoSizerTest, RecordsAtTheFirstTimerTickAndIgnoresEarlierResizes)
{
    host.controls = {box("lblTitle", 100, 200, 300, 50, 36)};
    AutoSizer localSizer(host, &window);
    resize(2000, 1000);
    EXPECT_DOUBLE_EQ(host.at("lblTitle", Property::Top), 100) << "not recording yet";
    EXPECT_FALSE(localSizer.isRecording());

    QElapsedTimer waited;
    waited.start();
    while (!localSizer.isRecording() && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    ASSERT_TRUE(localSizer.isRecording());
    EXPECT_FALSE(localSizer.tmrint().isActive());
    EXPECT_DOUBLE_EQ(localSizer.LayoutRatios().value("lblTitle.top"), 100.0 / 1000) << "the size at the tick";

    host.controls[0].properties[Property::Top] = 7;
    localSizer.GetProps();
    EXPECT_DOUBLE_EQ(localSizer.LayoutRatios().value("lblTitle.top"), 100.0 / 1000) << "recorded once";
    resize(1000, 500);
    EXPECT_DOUBLE_EQ(host.at("lblTitle", Property::Top), 50);
}

TEST(WidgetSizerHostTest, ScalesChildWidgetsAndPaintedItemsOfARealWindow)
{
    QWidget window;
    window.resize(400, 200);
    auto* title = new QLabel(QStringLiteral("Title"), &window);
    title->setObjectName(QStringLiteral("lblTitle"));
    title->setGeometry(40, 20, 100, 30);
    QFont font = title->font();
    font.setPointSizeF(10);
    title->setFont(font);
    auto* option = new QLabel(&window);
    option->setObjectName(QStringLiteral("optRounding"));
    option->setProperty("index", 2);
    option->setGeometry(0, 100, 50, 20);
    double x1 = 10, y1 = 10, x2 = 390, y2 = 190;
    WidgetSizerHost host(window);
    host.addItem(
        QStringLiteral("Line1"), std::nullopt,
        [&](Property p) -> std::optional<double> {
            switch (p) {
            case Property::X1:
                return x1;
            case Property::Y1:
                return y1;
            case Property::X2:
                return x2;
            case Property::Y2:
                return y2;
            default:
                return std::nullopt;
            }
        },
        [&](Property p, double v) {
            (p == Property::X1 ? x1 : p == Property::Y1 ? y1 : p == Property::X2 ? x2 : y2) = v;
            return true;
        });
    window.show();
    QApplication::processEvents();

    AutoSizer localSizer(host, &window);
    localSizer.GetProps();
    EXPECT_TRUE(localSizer.LayoutRatios().contains("optRounding(2).top"));
    EXPECT_FALSE(localSizer.LayoutRatios().contains("Line1.top"));

    window.resize(800, 400);
    QApplication::processEvents();
    ASSERT_EQ(window.size(), QSize(800, 400));
    EXPECT_EQ(title->geometry(), QRect(80, 40, 200, 60));
    EXPECT_DOUBLE_EQ(title->font().pointSizeF(), 20);
    EXPECT_EQ(option->geometry(), QRect(0, 200, 100, 40));
    EXPECT_DOUBLE_EQ(x2, 780);
    EXPECT_DOUBLE_EQ(y2, 380);
    EXPECT_TRUE(window.updatesEnabled());
}

} // namespace
