#pragma once

class QWidget;
class Button;
class Chart;
class ComboBox;
class DatePicker;
class Grid;
class Label;
class TextBox;

// A widget of a width of its own (the grid's view) takes at most this many more pixels, which the
// window sets when it is made wider than described.
inline constexpr char kExtraWidth[] = "pcvimoExtraWidth";

// Each creates the widget for one control model, as a child of `parent`, bound both ways.
QWidget *bindControl(Label &label, QWidget *parent, bool multiLine = false);
QWidget *bindControl(Button &button, QWidget *parent, bool multiLine = false);
QWidget *bindControl(TextBox &textBox, QWidget *parent, bool multiLine = false);
QWidget *bindControl(ComboBox &comboBox, QWidget *parent, bool multiLine = false);
QWidget *bindControl(Grid &grid, QWidget *parent, bool multiLine = false);
QWidget *bindControl(DatePicker &picker, QWidget *parent, bool multiLine = false);
QWidget *bindControl(Chart &chart, QWidget *parent, bool multiLine = false);
