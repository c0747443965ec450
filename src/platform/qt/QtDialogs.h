#pragma once

#include "platform/Dialogs.h"

#include <QSet>

#include <memory>

class QtDialogs final : public Dialogs
{
public:
    void messageBox(const QString &text, const QString &title) override;
    void problemBox(const QString &text, const QString &title) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &proposed) override;
    QString saveFileName(const QString &title, const QString &proposedPath, const QString &filter) override;

private:
    // The texts of the problem boxes still open.
    std::shared_ptr<QSet<QString>> m_openProblems = std::make_shared<QSet<QString>>();
};
