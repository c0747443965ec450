#include "platform/qt/FormWindow.h"

#include "platform/Form.h"
#include "platform/qt/ControlBindings.h"

#include <QCloseEvent>
#include <QSettings>

namespace {
QSize describedSize(const Form &form)
{
    return {form.width() / kTwipsPerPixel, form.height() / kTwipsPerPixel};
}

// A control's place in a window `extra` pixels larger than described.
QRect laidOut(const Form::Placement &p, QSize extra)
{
    QRect r(p.rect.left / kTwipsPerPixel, p.rect.top / kTwipsPerPixel, p.rect.width / kTwipsPerPixel,
            p.rect.height / kTwipsPerPixel);
    switch (p.anchor) {
    case Form::Anchor::TopLeft:
        break;
    case Form::Anchor::Fill:
        r.setSize(r.size() + extra);
        break;
    case Form::Anchor::Bottom:
        r.translate(0, extra.height());
        break;
    case Form::Anchor::BottomWide:
        r.translate(0, extra.height());
        r.setWidth(r.width() + extra.width());
        break;
    }
    return r;
}
} // namespace

FormWindow::FormWindow(Form &form, QWidget *parent) : QWidget(parent), m_form(form)
{
    QWidget *previous = nullptr;
    for (const Form::Placement &p : form.placements()) {
        QWidget *widget = createControl(p);
        widget->setObjectName(p.name);
        m_controls.push_back(widget);
        if (widget->focusPolicy() & Qt::TabFocus) {
            if (previous)
                setTabOrder(previous, widget);
            previous = widget;
        }
    }
    resize(describedSize(form));
    layoutControls();
    connect(&form, &Form::changed, this, &FormWindow::syncWindow);
    connect(&form, &Form::broughtToFront, this, [this] {
        raise();
        activateWindow();
    });
    syncWindow();
}

QWidget *FormWindow::createControl(const Form::Placement &p)
{
    return std::visit(
        [this, &p](auto *control) -> QWidget * { return bindControl(*control, this, p.multiLine); },
        p.control);
}

void FormWindow::syncWindow()
{
    setWindowTitle(m_form.title());
    if (m_form.isResizable()) {
        setMinimumSize(describedSize(m_form));
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        layoutControls();
    } else {
        setFixedSize(describedSize(m_form));
    }
    if (m_form.isVisible() != isVisible())
        setVisible(m_form.isVisible());
}

void FormWindow::layoutControls()
{
    const QSize extra = m_form.isResizable() ? (size() - describedSize(m_form)).expandedTo({0, 0}) : QSize();
    const auto &placements = m_form.placements();
    for (size_t i = 0; i < placements.size(); ++i) {
        QWidget *widget = m_controls[i];
        const QRect r = laidOut(placements[i], extra);
        if (widget->property(kExtraWidth).isValid()) {
            const int extraWidth = placements[i].anchor == Form::Anchor::Fill ? extra.width() : 0;
            widget->setProperty(kExtraWidth, extraWidth);
            if (widget->minimumWidth() > 0)
                widget->setMaximumWidth(widget->minimumWidth() + extraWidth);
        }
        widget->setGeometry(r);
    }
}

void FormWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutControls();
}

void FormWindow::restorePlacement(QSettings &settings, const QString &key)
{
    // restoreGeometry brings a window whose screen is gone back onto one that exists.
    const QByteArray kept = settings.value(key).toByteArray();
    if (kept.isEmpty() || !restoreGeometry(kept))
        resize(describedSize(m_form));
}

void FormWindow::savePlacement(QSettings &settings, const QString &key) const
{
    settings.setValue(key, saveGeometry());
}

void FormWindow::closeEvent(QCloseEvent *event)
{
    // A close event comes accepted: only the user's may be refused by the form.
    if (event->spontaneous() && !m_form.userCloseRequest())
        event->ignore();
}
