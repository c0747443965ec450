#pragma once

#include "fakes/QtPrinters.h"

#include "platform/Dialogs.h"

#include <QString>
#include <QStringList>

#include <deque>

// Records every box shown; input boxes answer from a script (cancel when it runs out).
class FakeDialogs final : public Dialogs
{
public:
    struct Message
    {
        QString text;
        QString title;
    };
    struct Input
    {
        QString prompt;
        QString title;
        QString proposed;
    };

    void messageBox(const QString &text, const QString &title) override { messages.push_back({text, title}); }
    QString inputBox(const QString &prompt, const QString &title, const QString &proposed) override
    {
        inputs.push_back({prompt, title, proposed});
        if (answers.empty())
            return {};
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<Message> messages;
    std::vector<Input> inputs;
    std::deque<QString> answers;
};
