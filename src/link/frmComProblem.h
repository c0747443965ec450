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

    // Shows the window without blocking and fills the error lines when it opens.
    void showProblem(const PortError &error);

    Label Label1;
    Label lblError1;
    Label lblError2;
    Label lblError3;
    Button OKButton{QStringLiteral("OK")};

private:
    void Load(const PortError &error);
};
