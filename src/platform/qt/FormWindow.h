#pragma once

#include "platform/Form.h"

#include <QWidget>

// Renders any Form: one bound widget per control at its twip layout (twips / 15 = pixels).
// Changes in a model show in its widget; a user's action in a widget reaches the model.
class FormWindow : public QWidget
{
    Q_OBJECT
public:
    explicit FormWindow(Form &form, QWidget *parent = nullptr);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void syncWindow();
    QWidget *createControl(const Form::Placement &placement);

    Form &m_form;
};
