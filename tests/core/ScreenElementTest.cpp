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

} // namespace
