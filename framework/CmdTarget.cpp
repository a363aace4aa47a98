#include "CmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const MessageMap* CCmdTarget::GetThisMessageMap()
{
    static const MessageMapEntry entries[] = {{0, 0, 0, nullptr}};
    static const MessageMap map = {nullptr, entries};
    return &map;
}

const MessageMap* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

namespace {

const MessageMap* BaseOf(const MessageMap* map)
{
    return map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr;
}

} // namespace

BOOL CCmdTarget::HandlesCommand(UINT nID) const
{
    for (const MessageMap* map = GetMessageMap(); map != nullptr; map = BaseOf(map)) {
        for (const MessageMapEntry* entry = map->lpEntries; entry->pfnThunk != nullptr; ++entry) {
            if (entry->nMessage == WM_COMMAND && entry->nCode == 0 && entry->nID == nID)
                return TRUE;
        }
    }
    return FALSE;
}

bool CCmdTarget::DispatchToMap(UINT entryMessage, UINT code, UINT id, UINT message, WPARAM wParam,
                               LPARAM lParam, LRESULT* result)
{
    for (const MessageMap* map = GetMessageMap(); map != nullptr; map = BaseOf(map)) {
        for (const MessageMapEntry* entry = map->lpEntries; entry->pfnThunk != nullptr; ++entry) {
            if (entry->nMessage != entryMessage || entry->nCode != code || entry->nID != id)
                continue;
            if (entry->pfnThunk(this, message, wParam, lParam, result))
                return true;
        }
    }
    return false;
}
