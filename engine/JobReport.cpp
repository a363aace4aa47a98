#include "JobReport.h"

#include "framework/MessageBox.h"

const char* const kTextInvalidWorkerInput =
    "Worker thread input data invalid!\nRestart the application!";

CString CJobFailure::Describe(const char* jobName) const
{
    static const char* const verbs[] = {"opened", "read", "written"};
    CString text;
    text.Format("%s stopped: the file could not be %s.\n%s\n%s", jobName, verbs[m_operation],
                m_error.m_strFileName.GetString(), m_error.GetErrorMessage().GetString());
    return text;
}

void ReportJobEnd(CJobState& job, const CString& text)
{
    AfxMessageBox(text, MB_OK);
    job.PostJobEnded();
}
