#include "fakes/OptionFixture.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// A name cell the user picks opens an input box (prompt, the cell's text); the answer, cut to ten
// characters, replaces the text and a cancel empties it. Header row and number column ask nothing.
TEST(NameEditing, CellPickedAnswerIn)
{
    const std::tuple<const char *, bool, int, int, const char *, const char *, const char *> cases[] = {
        {"a long name cut to ten", false, 1, 1, "Christoffer J", "Christoffe", "T58 Bo"},
        {"the last staff row, cancelled", false, 20, 1, nullptr, "", "T58 Bo"},
        {"the last medicine row", true, 10, 1, "Penicillin G", "Penicillin", "T65 Bo"},
        {"the heading row", false, 0, 1, "x", "Bo", ""},
        {"the number column", false, 4, 0, "x", "Bo", ""},
    };
    for (const auto &[name, medicine, row, col, answer, after, asked] : cases) {
        OptionFixture f;
        Grid &grid = medicine ? f.options->mshMedicine : f.options->mshStaff;
        grid.setText(row, col, u"Bo"_s);
        if (answer)
            f.dialogs.answers << QString::fromLatin1(answer);
        grid.userActivate(row, col);
        EXPECT_EQ(grid.text(row, col), QString::fromLatin1(after)) << name;
        QStringList inputs;
        for (const auto &input : f.dialogs.inputs)
            inputs << input.prompt + u' ' + input.proposed;
        EXPECT_EQ(inputs.join(u'|'), QString::fromLatin1(asked)) << name;
    }
    const OptionFixture f;
    EXPECT_EQ(std::pair(f.options->mshStaff.rows(), f.options->mshMedicine.rows()), std::pair(21, 11))
        << "a heading and a row for each name the terminals are sent";
    EXPECT_FALSE(f.options->cmdSetup.isEnabled()) << "the set-up button is shown disabled";
}
