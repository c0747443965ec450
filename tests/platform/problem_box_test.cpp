#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace {

QList<QMessageBox *> openBoxes()
{
    QList<QMessageBox *> found;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
            found << box;
    return found;
}

void closeBoxes()
{
    for (QMessageBox *box : openBoxes())
        box->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A problem box leaves the program running (the line is served while it is open) and is not
// opened again while one with the same text is open; once closed it may come again.
TEST(QtDialogs, ProblemBoxBlocksNothingAndIsOpenOnce)
{
    QtDialogs dialogs;
    dialogs.problemBox(QStringLiteral("Disk full"), QStringLiteral("Problem"));
    dialogs.problemBox(QStringLiteral("Disk full"), QStringLiteral("Problem"));
    ASSERT_EQ(openBoxes().size(), 1);
    EXPECT_FALSE(openBoxes()[0]->isModal());
    EXPECT_EQ(openBoxes()[0]->text(), u"Disk full");
    closeBoxes();
    dialogs.problemBox(QStringLiteral("Disk full"), QStringLiteral("Problem"));
    EXPECT_EQ(openBoxes().size(), 1);
    closeBoxes();
}

} // namespace
