#include "link/frmComProblem.h"

#include "platform/SerialPort.h"

frmComProblem::frmComProblem() : Form(QStringLiteral("Problem with the port"), 6180, 3030)
{
    Label1.setCaption(
        QStringLiteral("There seems to be a problem with your PC. Further information may be found below"));
    place(QStringLiteral("Label1"), {240, 240, 5640, 495}, &Label1);
    place(QStringLiteral("lblError1"), {240, 855, 5640, 285}, &lblError1);
    place(QStringLiteral("lblError2"), {240, 1215, 5640, 495}, &lblError2);
    place(QStringLiteral("lblError3"), {240, 1785, 5640, 285}, &lblError3);
    place(QStringLiteral("OKButton"), {2400, 2220, 1215, 375}, &OKButton);
    connect(&OKButton, &Button::clicked, this, &Form::hide);
}

void frmComProblem::showProblem(const PortError &error)
{
    // Kept: while the window is open a further error leaves the lines as they are, because the
    // first error is the one that tells the cause.
    if (!isVisible())
        Load(error);
    show();
}

void frmComProblem::Load(const PortError &error)
{
    lblError1.setCaption(QStringLiteral("Error number = ") + QString::number(error.number));
    lblError2.setCaption(QStringLiteral("Error description = ") + error.description);
    lblError3.setCaption(QStringLiteral("Error source = ") + error.source);
}
