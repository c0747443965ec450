#pragma once

#include "platform/TwipRect.h"

#include <QObject>
#include <QString>

#include <variant>
#include <vector>

class Button;
class Chart;
class ComboBox;
class DatePicker;
class Grid;
class Label;
class TextBox;

// A window of the program as a plain object: title, size, visibility and its controls with
// their layout. The Qt layer renders any Form generically; the logic never sees a widget.
class Form : public QObject
{
    Q_OBJECT
public:
    using ControlRef = std::variant<Label *, Button *, TextBox *, ComboBox *, Grid *, DatePicker *, Chart *>;
    // What a control does with the room a resizable window has beyond its described size.
    enum class Anchor {
        TopLeft, // keeps its place and size
        Fill, // grows with the window, both ways
        Bottom, // moves down with the window's bottom edge
        BottomWide, // moves down and grows in width
    };
    struct Placement
    {
        QString name;
        TwipRect rect;
        ControlRef control;
        bool multiLine = false; // a TextBox that shows several lines
        Anchor anchor = Anchor::TopLeft;
    };

    Form(QString title, int widthTwips, int heightTwips);

    const QString &title() const { return m_title; }
    void setTitle(const QString &title);
    int width() const { return m_width; }
    int height() const { return m_height; }
    void setWidth(int twips);
    // Whether the user may resize and maximise the window; its described size is its smallest.
    bool isResizable() const { return m_resizable; }
    bool isVisible() const { return m_visible; }
    void show();
    void hide();

    // A close request by the user (the window's close button). Returns whether the window
    // may close; the default hides it and lets it close.
    virtual bool userCloseRequest();

    const std::vector<Placement> &placements() const { return m_placements; }
    const Placement *placement(const QString &name) const;

Q_SIGNALS:
    void changed();
    // show() was called: the window comes to the front, also when it was open already.
    void broughtToFront();

protected:
    void place(QString name, TwipRect rect, ControlRef control, bool multiLine = false);
    void setResizable(bool resizable) { m_resizable = resizable; }
    void anchor(const QString &name, Anchor anchor);

private:
    QString m_title;
    int m_width;
    int m_height;
    bool m_visible = false;
    bool m_resizable = false;
    std::vector<Placement> m_placements;
};
