#include "platform/qt/QtDialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

void QtDialogs::messageBox(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    box.exec();
}

void QtDialogs::problemBox(const QString &text, const QString &title)
{
    if (m_openProblems->contains(text))
        return;
    m_openProblems->insert(text);
    auto *box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    // The set is shared with the box: a box may outlive these dialogs at the end of the program.
    QObject::connect(box, &QObject::destroyed, [open = m_openProblems, text] { open->remove(text); });
    box->show();
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
