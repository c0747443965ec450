#include "records/RecordOutput.h"

#include "platform/Dialogs.h"
#include "platform/ReportPrinter.h"
#include "records/CsvExport.h"
#include "records/RecordChecks.h"
#include "records/RecordReport.h"
#include "settings/TextTable.h"

#include <QDir>
#include <QStandardPaths>

RecordOutput::RecordOutput(const Grid &mshVimo, const RecordView &view, const RecordChecks &checks,
                           const TextTable &texts, Dialogs &dialogs, ReportPrinter *printer,
                           QString programTitle)
    : m_grid(mshVimo), m_view(view), m_checks(checks), m_texts(texts), m_dialogs(dialogs), m_printer(printer),
      m_programTitle(std::move(programTitle))
{ }

void RecordOutput::loaded(const QDateTime &from, const QDateTime &to, const QString &sow)
{
    const QString format = QStringLiteral("yyyy-MM-dd");
    m_from = from.date();
    m_to = to.date();
    m_rangeLine = m_texts.text(Txt::StartHeading) + u' ' + from.toString(format) + u' '
        + m_texts.text(Txt::EndHeading) + u' ' + to.toString(format);
    m_sowLine = m_texts.text(Txt::SowHeading) + QStringLiteral(": ") + sow;
}

Report RecordOutput::report() const
{
    return RecordReport::make(m_grid, m_checks.countedRows(), m_view.loaded(),
                              {m_programTitle, m_rangeLine, m_sowLine}, m_checks.summaryLine(), m_texts);
}

LitterSeries RecordOutput::series() const
{
    return LitterSeries::fromRows(m_grid, m_checks.countedRows(), m_view.loaded());
}

void RecordOutput::exportCsv()
{
    const QString title = m_texts.text(Txt::ExportTitle);
    const QString name = CsvExport::fileName(m_from, m_to);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path
        = m_dialogs.saveFileName(title, QDir(folder).filePath(name), QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty())
        return;
    if (!CsvExport::write(path, CsvExport::bytes(report(), CsvExport::separator())))
        m_dialogs.messageBox(m_texts.text(Txt::WriteFailed) + u' ' + path, title);
}

void RecordOutput::print()
{
    if (m_printer && m_printer->print(report()) == PrintOutcome::Failed)
        m_dialogs.messageBox(m_texts.text(Txt::PrintFailed), m_programTitle);
}
