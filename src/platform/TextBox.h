#pragma once

#include <QObject>
#include <QString>

// A one-line text box. The program reads and writes its text; the user may edit it.
class TextBox : public QObject
{
    Q_OBJECT
public:
    explicit TextBox(QString text = {}) : m_text(std::move(text)) { }

    const QString &text() const { return m_text; }
    void setText(const QString &text);
    // A multi-line box (the trace window) gets lines appended.
    void append(const QString &text) { setText(m_text + text); }

Q_SIGNALS:
    void changed();

private:
    QString m_text;
};
