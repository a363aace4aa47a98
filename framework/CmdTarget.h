// CCmdTarget: an object with a message map. A message map is a static table
// of entries beside the class; each entry binds one window message, one
// command (notification code and control id of WM_COMMAND), or one reflected
// notification to a member handler. A class's table chains to its base
// class's table, and the most derived entry that matches wins.
//
//   BEGIN_MESSAGE_MAP(CMainDlg, CDialog)
//       ON_WM_PAINT()
//       ON_COMMAND(IDC_MERGE, &CMainDlg::OnMerge)
//       ON_MESSAGE(WM_JOB_ENDED, &CMainDlg::OnJobEnded)
//   END_MESSAGE_MAP()
//
// Each entry calls its handler through a thunk made for that handler's exact
// signature, so a handler of the wrong type does not compile. The window
// messages with fixed handler names (ON_WM_PAINT, ...) are in Wnd.h.
#pragma once

#include "Object.h"

// Marks message handlers in class declarations; it expands to nothing.
#define afx_msg

class CCmdTarget;

// Calls one entry's handler with the message's arguments unpacked. Returns
// false when the handler declined the message (a null brush for a colour
// request), so that it goes on to the next handling.
typedef bool (*MessageThunk)(CCmdTarget* target, UINT message, WPARAM wParam, LPARAM lParam,
                             LRESULT* result);

struct MessageMapEntry {
    UINT nMessage; // a window message; WM_COMMAND; or a reflected one (AFX_REFLECTED)
    UINT nCode;    // for commands and reflected commands: the notification code
    UINT nID;      // for commands: the command or control id
    MessageThunk pfnThunk;
};

struct MessageMap {
    const MessageMap* (*pfnGetBaseMap)();
    const MessageMapEntry* lpEntries; // ends with an entry whose thunk is null
};

// A reflected entry answers a message that the object's parent received from
// the object's own window: its notifications and its colour requests.
#define AFX_REFLECTED(message) (0x10000u | (message))
// Colour requests of every control type (WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT,
// ...) reach the one reflected entry for this code.
#define AFX_CTLCOLOR_ANY 0x0019u

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    virtual const MessageMap* GetMessageMap() const;

    // Whether this object's maps bind the command nID (ON_COMMAND).
    BOOL HandlesCommand(UINT nID) const;

protected:
    static const MessageMap* GetThisMessageMap();

    // Offers a message to the entries with this key, most derived map first,
    // until one handles it.
    bool DispatchToMap(UINT entryMessage, UINT code, UINT id, UINT message, WPARAM wParam,
                       LPARAM lParam, LRESULT* result);
};

// clang-format off
#define DECLARE_MESSAGE_MAP()                                                  \
protected:                                                                     \
    static const MessageMap* GetThisMessageMap();                              \
public:                                                                        \
    const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                 \
    const MessageMap* theClass::GetMessageMap() const                          \
    {                                                                          \
        return GetThisMessageMap();                                            \
    }                                                                          \
    const MessageMap* theClass::GetThisMessageMap()                            \
    {                                                                          \
        using ThisClass [[maybe_unused]] = theClass;                           \
        using TheBaseClass = baseClass;                                        \
        static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                      \
            {0, 0, 0, nullptr}                                                 \
        };                                                                     \
        static const MessageMap map = {&TheBaseClass::GetThisMessageMap,       \
                                       entries};                               \
        return &map;                                                           \
    }
// clang-format on

// Thunks for the handlers of commands and of ON_MESSAGE. Handler is a pointer
// to a member of T or of one of its bases; assigning it to a pointer of the
// exact signature is what checks its type.
template <class T> struct AfxCommandThunks {
    template <auto Handler>
    static bool Command(CCmdTarget* target, UINT, WPARAM, LPARAM, LRESULT* result)
    {
        void (T::*handler)() = Handler;
        (static_cast<T*>(target)->*handler)();
        *result = 0;
        return true;
    }

    template <auto Handler>
    static bool Message(CCmdTarget* target, UINT, WPARAM wParam, LPARAM lParam, LRESULT* result)
    {
        LRESULT (T::*handler)(WPARAM, LPARAM) = Handler;
        *result = (static_cast<T*>(target)->*handler)(wParam, lParam);
        return true;
    }
};

// void handler(): the command id (a menu item, a button, an accelerator).
#define ON_COMMAND(id, memberFxn)                                                                  \
    {WM_COMMAND, 0, static_cast<UINT>(id), &AfxCommandThunks<ThisClass>::Command<memberFxn>},

// void handler(): a button's click; the same as ON_COMMAND for that id.
#define ON_BN_CLICKED(id, memberFxn)                                                               \
    {WM_COMMAND, BN_CLICKED, static_cast<UINT>(id),                                                \
     &AfxCommandThunks<ThisClass>::Command<memberFxn>},

// LRESULT handler(WPARAM, LPARAM): any message, its result returned as is.
#define ON_MESSAGE(message, memberFxn)                                                             \
    {static_cast<UINT>(message), 0, 0, &AfxCommandThunks<ThisClass>::Message<memberFxn>},

// void handler(): a notification that this control sent its parent (for a
// static, STN_CLICKED). Handled here, it does not reach the parent's map.
#define ON_CONTROL_REFLECT(code, memberFxn)                                                        \
    {AFX_REFLECTED(WM_COMMAND), static_cast<UINT>(code), 0,                                        \
     &AfxCommandThunks<ThisClass>::Command<memberFxn>},
