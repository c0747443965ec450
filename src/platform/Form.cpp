#include "platform/Form.h"

Form::Form(QString title, int widthTwips, int heightTwips)
    : m_title(std::move(title)), m_width(widthTwips), m_height(heightTwips)
{ }

void Form::setTitle(const QString &title)
{
    m_title = title;
    Q_EMIT changed();
}

void Form::setWidth(int twips)
{
    m_width = twips;
    Q_EMIT changed();
}

void Form::show()
{
    m_visible = true;
    Q_EMIT changed();
    // Shown again while open (behind another window, say): it comes to the front.
    Q_EMIT broughtToFront();
}

void Form::hide()
{
    m_visible = false;
    Q_EMIT changed();
}

bool Form::userCloseRequest()
{
    hide();
    return true;
}

const Form::Placement *Form::placement(const QString &name) const
{
    for (const Placement &p : m_placements)
        if (p.name == name)
            return &p;
    return nullptr;
}

void Form::place(QString name, TwipRect rect, ControlRef control, bool multiLine)
{
    m_placements.push_back(Placement{std::move(name), rect, control, multiLine});
}

void Form::anchor(const QString &name, Anchor anchor)
{
    for (Placement &p : m_placements)
        if (p.name == name)
            p.anchor = anchor;
}
