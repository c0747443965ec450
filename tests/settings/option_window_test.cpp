#include "fakes/OptionFixture.h"

#include <gtest/gtest.h>

namespace {

TEST(OptionWindowLoad, ControlsStartAsTheWindowDefinesThem)
{
    OptionFixture f;
    frmOption &o = *f.options;
    EXPECT_EQ(o.mshStaff.rows(), 21);
    EXPECT_EQ(o.mshStaff.cols(), 2);
    EXPECT_EQ(o.mshStaff.text(20, 0), u"20");
    EXPECT_EQ(o.mshStaff.text(0, 1), u"T11");
    EXPECT_EQ(o.mshMedicine.rows(), 11);
    EXPECT_EQ(o.mshMedicine.text(0, 1), u"T13");
    EXPECT_EQ(o.mshStatus.text(0, 1), u"Pre.");
    EXPECT_EQ(o.mshStatus.text(0, 2), u"Rec.");
    EXPECT_EQ(o.cmbTemp.count(), 2);
    EXPECT_EQ(o.cmbTemp.itemText(1), u"T36");
    EXPECT_EQ(o.cmbTemp.currentIndex(), 0);
    ASSERT_EQ(o.cmbCom.count(), 21);
    EXPECT_EQ(o.cmbCom.itemText(0), u"none");
    EXPECT_EQ(o.cmbCom.itemText(20), u"COM20");
    EXPECT_EQ(o.cmbCom.currentIndex(), -1);
    EXPECT_EQ(o.txtNoHand.text(), u"txtNoHand");
    EXPECT_FALSE(o.cmdSetup.isEnabled());
    EXPECT_EQ(o.cmdGemLuk.caption(), u"T40");
    EXPECT_EQ(o.lblActivity.caption(), u"T38");
}

struct NameEditCase
{
    const char *name;
    bool staff;
    int row;
    const char *before;
    std::optional<const char *> answer; // nothing: the box is cancelled
    const char *after;
};

class NameEditing : public ::testing::TestWithParam<NameEditCase>
{
};

TEST_P(NameEditing, InputBoxEditsTheCurrentCell)
{
    const NameEditCase &c = GetParam();
    OptionFixture f;
    Grid &grid = c.staff ? f.options->mshStaff : f.options->mshMedicine;
    grid.setText(c.row, 1, QString::fromUtf8(c.before));
    if (c.answer)
        f.dialogs.answers.push_back(QString::fromUtf8(*c.answer));

    grid.userActivate(c.row, 1);

    ASSERT_EQ(f.dialogs.inputs.size(), 1u);
    EXPECT_EQ(f.dialogs.inputs[0].prompt, c.staff ? u"T58" : u"T65");
    EXPECT_EQ(f.dialogs.inputs[0].proposed, QString::fromUtf8(c.before));
    EXPECT_EQ(grid.text(c.row, 1), QString::fromUtf8(c.after));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NameEditing,
    ::testing::Values(NameEditCase{"Plain", true, 3, "", "Anna", "Anna"},
                      NameEditCase{"CutToTen", true, 1, "", "Christoffer J", "Christoffe"},
                      NameEditCase{"CancelEmpties", true, 20, "Bo", std::nullopt, ""},
                      NameEditCase{"Medicine", false, 10, "Pen", "Penicillin G", "Penicillin"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(NameEditing, HeaderRowAndNumberColumnNeverOpenTheBox)
{
    OptionFixture f;
    f.options->mshStaff.userActivate(0, 1);
    f.options->mshStaff.userActivate(4, 0);
    EXPECT_TRUE(f.dialogs.inputs.empty());
}

TEST(OptionWindowClose, UserCloseHidesAndKeepsUnsavedContent)
{
    OptionFixture f;
    f.options->show();
    f.options->txtIntv1.setText(QStringLiteral("03:00"));
    EXPECT_FALSE(f.options->userCloseRequest());
    EXPECT_FALSE(f.options->isVisible());
    f.options->show();
    EXPECT_EQ(f.options->txtIntv1.text(), u"03:00");
}

TEST(OptionWindowSetup, SetupButtonStaysDisabledAndDoesNothing)
{
    OptionFixture f;
    bool clicked = false;
    QObject::connect(&f.options->cmdSetup, &Button::clicked, [&clicked] { clicked = true; });
    f.options->cmdSetup.click();
    EXPECT_FALSE(clicked);
}

} // namespace
