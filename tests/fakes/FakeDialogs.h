#pragma once

#include "fakes/QtPrinters.h"

#include "platform/Dialogs.h"

#include <QString>
#include <QStringList>

#include <vector>

// Records every box shown; input boxes answer from a script (cancel when it runs out).
class FakeDialogs final : public Dialogs
{
public:
    struct Message
    {
        QString text, title;
    };
    struct Input
    {
        QString prompt, proposed;
    };

    void messageBox(const QString &text, const QString &title) override { messages.push_back({text, title}); }
    void problemBox(const QString &text, const QString &title) override { messages.push_back({text, title}); }
    QString inputBox(const QString &prompt, const QString &, const QString &proposed) override
    {
        inputs.push_back({prompt, proposed});
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QString saveFileName(const QString &, const QString &proposedPath, const QString &) override
    {
        proposedPaths.push_back(proposedPath);
        return savePath;
    }

    std::vector<Message> messages;
    std::vector<Input> inputs;
    QStringList answers;
    QStringList proposedPaths;
    QString savePath; // the answer of every save-file box; empty cancels
};
