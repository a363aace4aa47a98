// copyloop: the plain copy that a split is measured against, on the same
// platform layer. A worker thread copies SOURCE to DEST in chunks of
// CHUNK_SIZE bytes, one read and one write each and nothing else; with
// --post it also posts one message per chunk to a window of the main thread,
// as a split posts its progress. The benchmark runs both under Wine: their
// difference is what the posts cost, and the plain one is the ceiling for
// any copier that reads and writes chunk by chunk.
//
//   copyloop SOURCE DEST [--post]
//
// Exit status 0 after a whole copy, 1 when a file failed, 2 on a usage
// error.
#include "NotifyWindow.h"
#include "engine/JobState.h"
#include "framework/File.h"
#include "framework/FileException.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const UINT WM_CHUNK_COPIED = WM_USER + 1;
const UINT WM_COPY_ENDED = WM_USER + 2;

struct CopyRequest {
    const char* source = nullptr;
    const char* destination = nullptr;
    bool bPostEachChunk = false;
    HWND hWndNotify = nullptr;
    bool bCopied = false;
};

bool CopyChunks(CopyRequest& request)
{
    CFile source;
    CFile destination;
    if (!source.Open(request.source, CFile::modeRead | CFile::typeBinary) ||
        !destination.Open(request.destination,
                          CFile::modeCreate | CFile::modeWrite | CFile::typeBinary))
        return false;
    std::unique_ptr<char[]> buffer(new char[CHUNK_SIZE]);
    try {
        while (UINT got = source.Read(buffer.get(), CHUNK_SIZE)) {
            destination.Write(buffer.get(), got);
            if (request.bPostEachChunk)
                PostMessageA(request.hWndNotify, WM_CHUNK_COPIED, 0, 0);
        }
        destination.Close();
    } catch (const CFileException&) {
        return false;
    }
    return true;
}

DWORD WINAPI CopyThreadProc(LPVOID param)
{
    CopyRequest& request = *static_cast<CopyRequest*>(param);
    request.bCopied = CopyChunks(request);
    PostMessageA(request.hWndNotify, WM_COPY_ENDED, 0, 0);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    CopyRequest request;
    const bool bPost = argc == 4 && std::strcmp(argv[3], "--post") == 0;
    if (argc != 3 && !bPost) {
        std::fputs("usage: copyloop SOURCE DEST [--post]\n", stderr);
        return 2;
    }
    request.source = argv[1];
    request.destination = argv[2];
    request.bPostEachChunk = bPost;

    CNotifyWindow window;
    request.hWndNotify = window.GetSafeHwnd();
    HANDLE thread = CreateThread(nullptr, 0, CopyThreadProc, &request, 0, nullptr);
    if (thread == nullptr)
        return 1;
    while (window.WaitForMessage() != WM_COPY_ENDED) {
    }
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    if (!request.bCopied)
        std::fprintf(stderr, "copyloop: could not copy %s to %s\n", request.source,
                     request.destination);
    return request.bCopied ? 0 : 1;
}
