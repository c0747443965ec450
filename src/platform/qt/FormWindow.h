#pragma once

#include "platform/Form.h"

#include <QWidget>

#include <vector>

class QSettings;

// Renders any Form: one bound widget per control at its twip layout (twips / 15 = pixels).
// Changes in a model show in its widget; a user's action in a widget reaches the model.
// A resizable form's window may grow from its described size; its controls follow their anchors.
// Tab goes through the controls in the order they are placed, which is their order on screen.
class FormWindow : public QWidget
{
    Q_OBJECT
public:
    explicit FormWindow(Form &form, QWidget *parent = nullptr);

    // The size and place the user left the window in (kept per user under `key`), on a
    // screen that still exists; the described size when none is kept.
    void restorePlacement(QSettings &settings, const QString &key);
    void savePlacement(QSettings &settings, const QString &key) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void syncWindow();
    void layoutControls();
    QWidget *createControl(const Form::Placement &placement);

    Form &m_form;
    std::vector<QWidget *> m_controls; // by placement
};
