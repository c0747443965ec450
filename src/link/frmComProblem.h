#pragma once

#include "platform/Button.h"
#include "platform/Form.h"
#include "platform/Label.h"

struct PortError;

// Tells the user that the serial port could not be opened, and why.
class frmComProblem : public Form
{
    Q_OBJECT
public:
    frmComProblem();

    // Shows the window without blocking. The error lines are filled when the window opens;
    // while it stays open a further error leaves them as they are.
    void showProblem(const PortError &error);

    Label Label1;
    Label lblError1;
    Label lblError2;
    Label lblError3;
    Button OKButton{QStringLiteral("OK")};

private:
    void Load(const PortError &error);
};
