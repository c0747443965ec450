#include "settings/frmFileProblem.h"

frmFileProblem::frmFileProblem() : Form(QStringLiteral("HM PC Log: File Problem"), 6000, 3600)
{
    place(QStringLiteral("txtFileProblem"), {120, 120, 5760, 2700}, &txtFileProblem, true);
    place(QStringLiteral("cmdOK"), {4680, 2940, 1200, 495}, &cmdOK);
    connect(&cmdOK, &Button::clicked, this, &Form::hide);
}
