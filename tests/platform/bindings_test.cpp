#include "platform/Button.h"
#include "platform/ComboBox.h"
#include "platform/Form.h"
#include "platform/Grid.h"
#include "platform/Label.h"
#include "platform/TextBox.h"
#include "platform/qt/FormWindow.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

namespace {

class SmallForm : public Form
{
public:
    SmallForm() : Form(QStringLiteral("Small"), 6000, 3000)
    {
        place(QStringLiteral("label"), {150, 150, 1500, 300}, &label);
        place(QStringLiteral("button"), {150, 600, 1500, 450}, &button);
        place(QStringLiteral("text"), {150, 1200, 1500, 300}, &text);
        place(QStringLiteral("combo"), {1800, 150, 1500, 300}, &combo);
        place(QStringLiteral("grid"), {1800, 600, 3000, 2000}, &grid);
    }
    Label label;
    Button button;
    TextBox text;
    ComboBox combo;
    Grid grid{3, 3};
};

template<typename W> W *child(FormWindow &window, const char *name)
{
    return window.findChild<W *>(QString::fromLatin1(name));
}

TEST(FormWindowBindings, ModelsAndWidgetsFollowEachOther)
{
    SmallForm form;
    FormWindow window(form);
    EXPECT_EQ(window.width(), 400);
    EXPECT_EQ(child<QLabel>(window, "label")->geometry(), QRect(10, 10, 100, 20));

    form.label.setCaption(QStringLiteral("Line"));
    EXPECT_EQ(child<QLabel>(window, "label")->text(), u"Line");

    int clicks = 0;
    QObject::connect(&form.button, &Button::clicked, [&clicks] { ++clicks; });
    child<QPushButton>(window, "button")->click();
    form.button.setEnabled(false);
    EXPECT_FALSE(child<QPushButton>(window, "button")->isEnabled());
    EXPECT_EQ(clicks, 1);

    auto *edit = child<QLineEdit>(window, "text");
    edit->setFocus();
    edit->insert(QStringLiteral("05:00"));
    EXPECT_EQ(form.text.text(), u"05:00");

    form.combo.addItem(QStringLiteral("none"));
    form.combo.addItem(QStringLiteral("COM3"), 3);
    int selections = 0;
    QObject::connect(&form.combo, &ComboBox::clicked, [&selections] { ++selections; });
    auto *combo = child<QComboBox>(window, "combo");
    ASSERT_EQ(combo->count(), 2);
    Q_EMIT combo->activated(1);
    EXPECT_EQ(form.combo.currentIndex(), 1);
    Q_EMIT combo->activated(1); // the user choosing the same entry again still counts
    EXPECT_EQ(selections, 2);

    form.grid.setText(0, 1, QStringLiteral("Head"));
    form.grid.setRowHeight(0, 600);
    auto *view = child<QTableView>(window, "grid");
    EXPECT_TRUE(view->isRowHidden(0)) << "the fixed row is drawn as the header";
    EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal).toString(), u"Head");
    EXPECT_EQ(view->horizontalHeader()->height(), 40);
}

TEST(FormWindowBindings, VisibilityAndUserCloseFollowTheForm)
{
    SmallForm form;
    FormWindow window(form);
    EXPECT_FALSE(window.isVisible());
    form.show();
    EXPECT_TRUE(window.isVisible());
    form.setTitle(QStringLiteral("Renamed"));
    EXPECT_EQ(window.windowTitle(), u"Renamed");
    form.hide();
    EXPECT_FALSE(window.isVisible());
}

} // namespace
