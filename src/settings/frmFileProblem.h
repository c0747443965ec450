#pragma once

#include "platform/Button.h"
#include "platform/Form.h"
#include "platform/TextBox.h"

// The small window that shows start-up progress (and otherwise file problems).
class frmFileProblem : public Form
{
    Q_OBJECT
public:
    frmFileProblem();

    // Appends one line ended by CR LF.
    void appendLine(const QString &line) { txtFileProblem.append(line + QStringLiteral("\r\n")); }

    TextBox txtFileProblem;
    Button cmdOK{QStringLiteral("OK")};
};
