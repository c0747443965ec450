#pragma once

#include <QString>

// Message and input boxes. All but the problem box return only after the user has answered.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // A message with a single OK button.
    virtual void messageBox(const QString &text, const QString &title) = 0;
    // A message that returns at once and leaves its box open: the program often runs unattended,
    // and the line must go on being read and served while the box waits for someone. A box with
    // the same text that is still open is not opened again.
    virtual void problemBox(const QString &text, const QString &title) = 0;
    // An input box; cancelling gives an empty answer.
    virtual QString inputBox(const QString &prompt, const QString &title, const QString &proposed) = 0;
    // A box that asks where to save a file, proposing `proposedPath`; `filter` is of the form
    // "CSV (*.csv)". Cancelling gives an empty path, as does a system without such a box.
    virtual QString saveFileName(const QString &, const QString &, const QString &) { return {}; }
};
