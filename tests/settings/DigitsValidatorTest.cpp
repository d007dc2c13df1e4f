#include "settings/DigitsValidator.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(DigitsValidator, OnlyTheDigitsZeroToNineAreAcceptable)
{
    const DigitsValidator validator;
    struct Case
    {
        QString text;
        QValidator::State state;
    };
    for (const Case& c : {Case{"", QValidator::Acceptable}, Case{"0", QValidator::Acceptable},
                          Case{"0123456789", QValidator::Acceptable}, Case{"12a", QValidator::Invalid},
                          Case{"1.5", QValidator::Invalid}, Case{"-5", QValidator::Invalid},
                          Case{" 1", QValidator::Invalid}, Case{"1,000", QValidator::Invalid},
                          Case{QString::fromUtf8("\u0661\u0662"), QValidator::Invalid}, // Arabic-Indic digits
                          Case{QString::fromUtf8("\uff11"), QValidator::Invalid}}) {    // a full-width one
        QString text = c.text;
        int pos = int(text.size());
        EXPECT_EQ(validator.validate(text, pos), c.state) << text.toStdString();
        EXPECT_EQ(text, c.text); // judged, never rewritten
    }
}

TEST(DigitsValidator, AFieldRefusesTypedAndInsertedNonDigitsButKeepsWhatTheDialogSet)
{
    QLineEdit field;
    field.setValidator(new DigitsValidator(&field));
    QTest::keyClicks(&field, "1a2.5 ");
    EXPECT_EQ(field.text(), "125");
    field.insert("9 players");
    EXPECT_EQ(field.text(), "125");
    field.insert("07");
    EXPECT_EQ(field.text(), "12507");
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(field.text(), "1250");

    field.setText("1500.5"); // a stored value is shown as it is, not silently changed
    EXPECT_EQ(field.text(), "1500.5");
}

} // namespace
