#pragma once

#include <QObject>
#include <QString>

// A push button; clicked is emitted only while it is enabled.
class Button : public QObject
{
    Q_OBJECT
public:
    explicit Button(QString caption = {}) : m_caption(std::move(caption)) { }

    const QString &caption() const { return m_caption; }
    void setCaption(const QString &caption);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    // The key that clicks it while its window is active, in Qt's portable form ("F5", "Ctrl+E").
    const QString &shortcut() const { return m_shortcut; }
    void setShortcut(const QString &keys);

    // What a user's click does; tests call it too.
    void click();

Q_SIGNALS:
    void changed();
    void clicked();

private:
    QString m_caption;
    QString m_shortcut;
    bool m_enabled = true;
};
