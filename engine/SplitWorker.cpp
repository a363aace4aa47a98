#include "SplitWorker.h"

#include "JobReport.h"
#include "JobState.h"
#include "PiecePath.h"
#include "framework/File.h"
#include "framework/MessageBox.h"

#include <memory>

namespace {

const DWORD kExitFailed = 0xFFFFFFFF;

class CSplitJob {
public:
    explicit CSplitJob(CJobState& job) : m_job(job), m_buffer(new char[CHUNK_SIZE]) {}

    DWORD Run();

private:
    bool CopyPieces();
    void CopyPiece(CFile& piece, const CString& piecePath);

    CJobState& m_job;
    CFile m_source;
    std::unique_ptr<char[]> m_buffer;
    UINT m_lastRead = 0; // bytes returned by the most recent read
};

DWORD CSplitJob::Run()
{
    m_job.SetAction("Started to split : " + m_job.GetSourcePath());
    m_job.SetProgress("");

    if (!m_source.Open(m_job.GetSourcePath(), CFile::modeRead | CFile::typeBinary)) {
        ReportJobEnd(m_job, "Source file could not be opened!");
        return 0;
    }
    try {
        if (!CopyPieces()) {
            // This ending alone shows its box while the source is still open.
            AfxMessageBox("Destination file could not be opened!", MB_OK);
            m_source.Abort();
            m_job.PostJobEnded();
            return kExitFailed;
        }
        m_source.Close();
    } catch (const CJobFailure& failure) {
        m_source.Abort();
        ReportJobEnd(m_job, failure.Describe("Split"));
        return kExitFailed;
    }
    ReportJobEnd(m_job, "Split finished!");
    return 0;
}

// Writes piece after piece until the source ends or a stop is seen. Returns
// false when a piece could not be created.
bool CSplitJob::CopyPieces()
{
    for (int pieceNumber = 1; m_job.IsRunning(); ++pieceNumber) {
        const CString piecePath = MakePiecePath(m_job.GetSourcePath(), pieceNumber);
        CFile piece;
        if (!piece.Open(piecePath, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary))
            return false;
        CopyPiece(piece, piecePath);
        // Closing a piece is its last write: a full disk may show only here.
        RunFileOperation(CJobFailure::writing, [&piece] { piece.Close(); });
        // A whole last chunk says nothing of what is left, so the next piece is
        // made in any case: a source of k pieces exactly ends in an empty one.
        if (m_lastRead < CHUNK_SIZE)
            break;
    }
    return true;
}

void CSplitJob::CopyPiece(CFile& piece, const CString& piecePath)
{
    const CString progressPrefix = "Writing : " + piecePath + "    Mb : ";
    CString progress;
    UINT chunks = 0;
    UINT chunkLimit = 2u * static_cast<UINT>(m_job.GetPieceSizeMB());
    while (chunks < chunkLimit) {
        m_lastRead = RunFileOperation(CJobFailure::reading, [this] {
            return m_source.Read(m_buffer.get(), CHUNK_SIZE);
        });
        if (m_lastRead == 0)
            break;
        if (!m_job.IsRunning()) {
            // The chunk just read is dropped.
            m_job.SetAction("Split stopped by user!");
            break;
        }
        RunFileOperation(CJobFailure::writing,
                         [this, &piece] { piece.Write(m_buffer.get(), m_lastRead); });
        ++chunks;
        progress.Format("%s%d", progressPrefix.GetString(), static_cast<int>(chunks / 2));
        m_job.SetProgress(progress);
        chunkLimit = 2u * static_cast<UINT>(m_job.GetPieceSizeMB());
    }
}

} // namespace

DWORD WINAPI SplitThreadProc(LPVOID param)
{
    if (param == nullptr) {
        AfxMessageBox(kTextInvalidWorkerInput, MB_OK);
        return kExitFailed;
    }
    CJobStateRef job(static_cast<CJobState*>(param));
    CSplitJob split(*job);
    return split.Run();
}
