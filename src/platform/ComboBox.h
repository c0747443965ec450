#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

// A drop-down list whose entries each carry a whole number (item data).
// `clicked` is the selection notification: it follows a user's choice every time, and a
// selection made by the program only when it changes the selected entry.
class ComboBox : public QObject
{
    Q_OBJECT
public:
    void clear();
    void addItem(const QString &text, int itemData = 0);
    // Many entries (item data 0) with one notification: a list of a thousand sows is shown once,
    // not once an entry.
    void addItems(const QStringList &texts);
    int count() const { return int(m_texts.size()); }
    const QStringList &items() const { return m_texts; }
    QString itemText(int index) const;
    int itemData(int index) const;

    int currentIndex() const { return m_current; }
    QString currentText() const { return itemText(m_current); }
    // Selection by the program; -1 selects nothing. An index outside the list changes nothing.
    void setCurrentIndex(int index);
    // Selection by the user.
    void userSelect(int index);

Q_SIGNALS:
    void changed();
    void clicked();

private:
    QStringList m_texts;
    QList<int> m_data;
    int m_current = -1;
};
