#pragma once

#include "platform/Dialogs.h"

class QtDialogs final : public Dialogs
{
public:
    void messageBox(const QString &text, const QString &title) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &proposed) override;
    QString saveFileName(const QString &title, const QString &proposedPath, const QString &filter) override;
};
