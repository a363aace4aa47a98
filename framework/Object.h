// Type identification for the window classes. A class that says
// DECLARE_DYNAMIC carries one CRuntimeClass record with its name and a pointer
// to its base class's record, so that IsKindOf can walk the chain. That is all
// it does: nothing is created by name.
#pragma once

#include "Platform.h"

struct CRuntimeClass {
    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;

    bool IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                                                                \
public:                                                                                            \
    static const CRuntimeClass class##class_name;                                                  \
    const CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                             \
    const CRuntimeClass class_name::class##class_name = {#class_name,                              \
                                                         RUNTIME_CLASS(base_class_name)};          \
    const CRuntimeClass* class_name::GetRuntimeClass() const                                       \
    {                                                                                              \
        return RUNTIME_CLASS(class_name);                                                          \
    }

// The root of the window classes' hierarchy. Objects of the layer wrap
// handles that belong to them, so they are never copied.
class CObject {
public:
    static const CRuntimeClass classCObject;

    virtual ~CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    virtual const CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

protected:
    CObject() = default;
};
