#include "platform/Button.h"
#include "platform/Chart.h"
#include "platform/ComboBox.h"
#include "platform/DatePicker.h"
#include "platform/Label.h"
#include "platform/TextBox.h"
#include "platform/Timer.h"

void Label::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    Q_EMIT changed();
}

void Chart::setData(ChartData data)
{
    if (data == m_data)
        return;
    m_data = std::move(data);
    Q_EMIT changed();
}

void Button::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    Q_EMIT changed();
}

void Button::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    Q_EMIT changed();
}

void Button::setShortcut(const QString &keys)
{
    m_shortcut = keys;
    Q_EMIT changed();
}

void Button::click()
{
    if (m_enabled)
        Q_EMIT clicked();
}

void TextBox::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    Q_EMIT changed();
}

void ComboBox::clear()
{
    m_texts.clear();
    m_data.clear();
    m_current = -1;
    Q_EMIT changed();
}

void ComboBox::addItem(const QString &text, int itemData)
{
    m_texts.append(text);
    m_data.append(itemData);
    Q_EMIT changed();
}

void ComboBox::addItems(const QStringList &texts)
{
    if (texts.isEmpty())
        return;
    m_texts.append(texts);
    m_data.append(QList<int>(texts.size(), 0));
    Q_EMIT changed();
}

QString ComboBox::itemText(int index) const
{
    return index >= 0 && index < m_texts.size() ? m_texts.at(index) : QString();
}

int ComboBox::itemData(int index) const
{
    return index >= 0 && index < m_data.size() ? m_data.at(index) : 0;
}

void ComboBox::setCurrentIndex(int index)
{
    if (index < -1 || index >= count() || index == m_current)
        return;
    m_current = index;
    Q_EMIT changed();
    if (index >= 0)
        Q_EMIT clicked();
}

void ComboBox::userSelect(int index)
{
    if (index < 0 || index >= count())
        return;
    if (index != m_current) {
        m_current = index;
        Q_EMIT changed();
    }
    Q_EMIT clicked();
}

void DatePicker::setValue(const QDateTime &value)
{
    if (value == m_value)
        return;
    m_value = value;
    Q_EMIT changed();
}

void DatePicker::userSetValue(const QDateTime &value)
{
    setValue(value);
    Q_EMIT changedByUser();
}

void Timer::setInterval(int intervalMs)
{
    if (intervalMs == m_interval)
        return;
    m_interval = intervalMs;
    Q_EMIT changed();
}

void Timer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    Q_EMIT changed();
}

void Timer::tick()
{
    if (m_enabled)
        Q_EMIT ticked();
}
