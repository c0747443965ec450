#include "platform/qt/QtDialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

void QtDialogs::messageBox(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    box.exec();
}

QString QtDialogs::inputBox(const QString &prompt, const QString &title, const QString &proposed)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(nullptr, title, prompt, QLineEdit::Normal, proposed, &ok);
    return ok ? answer : QString();
}

QString QtDialogs::saveFileName(const QString &title, const QString &proposedPath, const QString &filter)
{
    return QFileDialog::getSaveFileName(nullptr, title, proposedPath, filter);
}
