#include "platform/qt/FormWindow.h"

#include "platform/Form.h"
#include "platform/qt/ControlBindings.h"

#include <QCloseEvent>

FormWindow::FormWindow(Form &form, QWidget *parent) : QWidget(parent), m_form(form)
{
    for (const Form::Placement &p : form.placements()) {
        QWidget *widget = createControl(p);
        widget->setGeometry(p.rect.left / kTwipsPerPixel, p.rect.top / kTwipsPerPixel,
                            p.rect.width / kTwipsPerPixel, p.rect.height / kTwipsPerPixel);
        widget->setObjectName(p.name);
    }
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
    setFixedSize(m_form.width() / kTwipsPerPixel, m_form.height() / kTwipsPerPixel);
    if (m_form.isVisible() != isVisible())
        setVisible(m_form.isVisible());
}

void FormWindow::closeEvent(QCloseEvent *event)
{
    if (!event->spontaneous() || m_form.userCloseRequest()) {
        event->accept();
        return;
    }
    event->ignore();
}
