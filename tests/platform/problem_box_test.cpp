#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QMessageBox>

#include <gtest/gtest.h>

// A problem box leaves the program running (the line is served while it is open) and is not
// opened again while one with the same text is open; once closed it may come again.
TEST(QtDialogs, ProblemBoxBlocksNothingAndIsOpenOnce)
{
    QtDialogs dialogs;
    const auto openBoxes = [] {
        QList<QMessageBox *> found;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
                found << box;
        return found;
    };
    for (const int round : {1, 2}) {
        for (int twice = 0; twice < 2; ++twice)
            dialogs.problemBox(QStringLiteral("Disk full"), QStringLiteral("Problem"));
        ASSERT_EQ(openBoxes().size(), 1) << round;
        EXPECT_TRUE(!openBoxes()[0]->isModal() && openBoxes()[0]->text() == u"Disk full");
        openBoxes()[0]->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
