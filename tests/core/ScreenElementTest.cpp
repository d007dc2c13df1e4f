// Element names in one table, typed ids everywhere else, and a slip in an id loud rather than skipped.
#include "ClockFixture.h"
#include "core/ClockError.h"
#include "core/Guarded.h"
#include "core/ProgrammingError.h"
#include "core/ScreenElementId.h"

#include <QSet>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

TEST(ScreenElementId, EveryElementHasOneNameThatLeadsBackToIt)
{
    QSet<QString> seen;
    for (int i = 0; i < ScreenElementCount; ++i) {
        const auto id = ScreenElementId(i);
        const QString name = screenElementName(id);
        EXPECT_FALSE(name.isEmpty()) << i;
        EXPECT_FALSE(seen.contains(name)) << name.toStdString();
        seen.insert(name);
        EXPECT_EQ(screenElementByName(name), id) << name.toStdString();
    }
    EXPECT_EQ(screenElementName(ScreenElementId::lblBlinds), QString("lblBlinds"));
    EXPECT_EQ(screenElementName(ScreenElementId::Shape1), QString("Shape1"));
    EXPECT_EQ(screenElementByName(u"lblBlind"), std::nullopt);
    EXPECT_EQ(screenElementByName(u"lblblinds"), std::nullopt) << "case counts";
}

TEST(ScreenElementId, DigitsAreOneControlArray)
{
    for (int i = 0; i < TimerDigitCount; ++i) {
        EXPECT_EQ(screenElementName(timerId(i)), QString("lblTimer%1").arg(i));
        EXPECT_EQ(timerIndex(timerId(i)), i);
    }
    EXPECT_EQ(timerIndex(ScreenElementId::lblTitle), std::nullopt);
    EXPECT_EQ(timerIndex(ScreenElementId::lblPaused), std::nullopt);
    EXPECT_EQ(timerArrayName(), QString("lblTimer"));
}

TEST(Guarded, RunTimeFailuresAreSkippedAndTheNextStepRuns)
{
    QStringList ran;
    guarded([&] {
        ran << "clock error";
        throw ClockError("Level 9 is not in the blind structure.");
    });
    guarded([&] {
        ran << "bad number";
        throw std::overflow_error("players out of range");
    });
    guarded(std::function<void()>());
    std::function<void(int)> hook = [&](int level) { ran << QString("hook %1").arg(level); };
    guarded(hook, 4);
    EXPECT_EQ(ran, QStringList({"clock error", "bad number", "hook 4"}));
}

namespace {

QStringList g_warnings;

void collectWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg) {
        g_warnings << QString::fromLatin1(context.category) + u' ' + message;
    }
}

} // namespace

TEST(Guarded, WhatWasSkippedIsLoggedWithItsReason)
{
    g_warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
    guarded([] { throw ClockError("Level 9 is not in the blind structure."); });
    guarded([] { throw std::overflow_error("players out of range"); });
    guarded([] {});
    qInstallMessageHandler(previous);
    EXPECT_EQ(g_warnings,
              QStringList({"kavro.guarded A step was skipped: Level 9 is not in the blind structure.",
                           "kavro.guarded A step was skipped: players out of range"}));
}

TEST(Guarded, ProgrammingErrorsAreNotSwallowed)
{
    EXPECT_THROW(guarded([] { throw ProgrammingError("slip"); }), ProgrammingError);
    std::function<void()> hook = [] { throw ProgrammingError("slip in a hook"); };
    EXPECT_THROW(guarded(hook), ProgrammingError);
}

class ScreenElementModelTest : public ClockFixture
{
};

TEST_F(ScreenElementModelTest, TheModelHoldsEveryElementInTheEnumerationsOrder)
{
    create();
    ASSERT_EQ(screen().elements().size(), size_t(ScreenElementCount));
    for (int i = 0; i < ScreenElementCount; ++i) {
        const ScreenElement& e = screen().elements()[size_t(i)];
        EXPECT_EQ(e.id, ScreenElementId(i));
        EXPECT_EQ(e.name, screenElementName(e.id));
        EXPECT_EQ(&screen().element(e.id), &e);
    }
}

TEST_F(ScreenElementModelTest, AnUnknownElementOrDigitIsLoudEvenInsideAGuardedStep)
{
    create();
    const auto unknown = ScreenElementId(ScreenElementCount);
    EXPECT_THROW(screen().element(unknown), ProgrammingError);
    EXPECT_THROW(screen().setCaption(unknown, "x"), ProgrammingError);
    EXPECT_THROW(screen().timer(ClockScreenModel::DigitCount), ProgrammingError);
    EXPECT_THROW(screen().timer(-1), ProgrammingError);
    EXPECT_THROW(guarded([&] { screen().setVisible(unknown, true); }), ProgrammingError);
    EXPECT_THROW(guarded([&] { screen().setCaption(timerId(5), "0"); }), ProgrammingError);
    EXPECT_THROW(screenElementName(unknown), ProgrammingError);

    // A step that fails at run time beside it is still skipped.
    EXPECT_NO_THROW(guarded([&] {
        screen().setCaption(ScreenElementId::lblBlinds, "25/50");
        throw ClockError("Level 9 is not in the blind structure.");
    }));
    EXPECT_EQ(caption(ScreenElementId::lblBlinds), QString("25/50"));
}

// A new text grows an auto-size element from its alignment. The fixed measurer makes a character ten
// twips wide per point: "9" in lblLevel (48 pt) is 480 wide, "10" 960.
TEST_F(ScreenElementModelTest, ANewTextKeepsTheElementsAlignmentEdge)
{
    create();
    using Id = ScreenElementId;
    struct Case
    {
        Id id;
        const char* before;
        const char* after;
        // Where the text is anchored: the left edge, the centre or the right edge.
        ScreenElement::Align anchor;
    };
    const Case cases[] = {
        {Id::lblLevel, "9", "10", ScreenElement::Align::Right},
        {Id::lblLevel, "10", "9", ScreenElement::Align::Right},
        {Id::lblTitle, "Friday Deepstack", "Saturday Night Main Event", ScreenElement::Align::Centre},
        {Id::lblTitle, "Saturday Night Main Event", "Cup", ScreenElement::Align::Centre},
        {Id::lblBlinds, "25/50", "1,000/2,000", ScreenElement::Align::Left},
        {Id::lblNextLevel, "1,000/2,000", "25/50", ScreenElement::Align::Left},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(screenElementName(c.id).toStdString() + " " + c.before + " -> " + c.after);
        screen().setCaption(c.id, QString::fromLatin1(c.before));
        screen().setLeft(c.id, 5000);
        const ScreenElement& e = screen().element(c.id);
        const int leftBefore = e.left;
        const int centreBefore = e.left + e.width / 2;
        const int rightBefore = e.left + e.width;

        screen().setCaption(c.id, QString::fromLatin1(c.after));
        EXPECT_EQ(e.width, int(qstrlen(c.after) * e.fontSize * 10));
        switch (c.anchor) {
        case ScreenElement::Align::Left:
            EXPECT_EQ(e.left, leftBefore);
            break;
        case ScreenElement::Align::Centre:
            EXPECT_EQ(e.left + e.width / 2, centreBefore);
            break;
        case ScreenElement::Align::Right:
            EXPECT_EQ(e.left + e.width, rightBefore);
            break;
        }
    }
}

TEST_F(ScreenElementModelTest, ATitleCentredOnTheScreenStaysCentredForItsNewText)
{
    create();
    const ScreenElementId title = ScreenElementId::lblTitle;
    const auto centredLeft = [&] { return screen().screenWidth() / 2 - screen().element(title).width / 2; };
    screen().setCaption(title, "Cup");
    screen().setLeft(title, centredLeft());
    for (const char* name : {"Saturday Night Main Event", "A", "Monthly High Roller Freezeout", ""}) {
        screen().setCaption(title, QString::fromLatin1(name));
        EXPECT_EQ(screen().element(title).left, centredLeft()) << name;
    }
}

} // namespace
