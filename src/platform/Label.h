#pragma once

#include <QObject>
#include <QString>

// A caption that the program sets and the user only reads.
class Label : public QObject
{
    Q_OBJECT
public:
    explicit Label(QString caption = {}) : m_caption(std::move(caption)) { }

    const QString &caption() const { return m_caption; }
    void setCaption(const QString &caption);

Q_SIGNALS:
    void changed();

private:
    QString m_caption;
};
