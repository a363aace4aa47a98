#include "MergeWorker.h"

#include "JobReport.h"
#include "JobState.h"
#include "PiecePath.h"
#include "framework/File.h"
#include "framework/MessageBox.h"

#include <memory>

namespace {

class CMergeJob {
public:
    explicit CMergeJob(CJobState& job) : m_job(job), m_buffer(new char[CHUNK_SIZE]) {}

    DWORD Run();

private:
    bool CopyPieces(const CString& basePath);
    void CopyPiece(CFile& piece);
    static bool OpenPiece(CFile& piece, const CString& piecePath);

    CJobState& m_job;
    CFile m_destination;
    std::unique_ptr<char[]> m_buffer;
};

DWORD CMergeJob::Run()
{
    const CString basePath = DeriveBasePath(m_job.GetSourcePath());
    m_job.SetAction("Started to merge : " + basePath);
    m_job.SetProgress("");

    // The running flag is not asked before this: a merge always creates (or
    // empties) its file, even when Stop came first.
    if (!m_destination.Open(basePath, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary)) {
        ReportJobEnd(m_job, "Source file could not be opened!");
        return 0;
    }
    bool anyPieceStarted = false;
    try {
        anyPieceStarted = CopyPieces(basePath);
        RunFileOperation(CJobFailure::writing, [this] { m_destination.Close(); });
    } catch (const CJobFailure& failure) {
        m_destination.Abort();
        ReportJobEnd(m_job, failure.Describe("Merge"));
        return 0;
    }
    ReportJobEnd(m_job, anyPieceStarted ? "Merge finished!"
                                        : "Could not open any of the pieces(filename.n files)!");
    return 0;
}

// Appends piece after piece. Returns whether the copy of any piece began.
bool CMergeJob::CopyPieces(const CString& basePath)
{
    bool anyPieceStarted = false;
    CFile piece;
    for (int pieceNumber = 1;; ++pieceNumber) {
        const CString piecePath = MakePiecePath(basePath, pieceNumber);
        if (!OpenPiece(piece, piecePath) || !m_job.IsRunning())
            break;
        m_job.SetProgress("Reading : " + piecePath);
        anyPieceStarted = true;
        CopyPiece(piece);
        piece.Abort(); // read-only: nothing is lost if its close fails
    }
    return anyPieceStarted;
}

void CMergeJob::CopyPiece(CFile& piece)
{
    for (;;) {
        const UINT count = RunFileOperation(CJobFailure::reading, [this, &piece] {
            return piece.Read(m_buffer.get(), CHUNK_SIZE);
        });
        if (count == 0)
            return;
        if (!m_job.IsRunning()) {
            // The chunk just read is dropped.
            m_job.SetAction("Merge stopped by user!");
            return;
        }
        RunFileOperation(CJobFailure::writing,
                         [this, count] { m_destination.Write(m_buffer.get(), count); });
    }
}

// A missing piece number ends the sequence. A piece that is there but cannot
// be opened (held by another program, no access) is a failure, not the end:
// joining only the pieces before it would pass off a short file as whole.
bool CMergeJob::OpenPiece(CFile& piece, const CString& piecePath)
{
    CFileException error;
    if (piece.Open(piecePath, CFile::modeRead | CFile::typeBinary, &error))
        return true;
    if (error.IsMissingFile())
        return false;
    throw CJobFailure(CJobFailure::opening, error);
}

} // namespace

DWORD WINAPI MergeThreadProc(LPVOID param)
{
    if (param == nullptr) {
        AfxMessageBox(kTextInvalidWorkerInput, MB_OK);
        return 0xFFFFFFFF;
    }
    CJobStateRef job(static_cast<CJobState*>(param));
    CMergeJob merge(*job);
    return merge.Run();
}
